#include "widgets/mdichild.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

QMdiSubWindow* showAsMdiChild(QWidget* owner, QWidget* child)
{
    auto* frame = qobject_cast<QMainWindow*>(owner);
    auto* area = frame ? qobject_cast<QMdiArea*>(frame->centralWidget()) : nullptr;
    if (!area) {
        child->show();
        return nullptr;
    }
    QMdiSubWindow* sub = area->addSubWindow(child);
    sub->setWindowIcon(child->windowIcon());
    child->show();
    return sub;
}

QMdiSubWindow* mdiWindowOf(QWidget* child)
{
    for (QWidget* w = child; w; w = w->parentWidget()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w))
            return sub;
    }
    return nullptr;
}
