#include "widgets/mdichild.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVariant>

QMdiSubWindow* showAsMdiChild(QWidget* owner, QWidget* child)
{
    auto* frame = qobject_cast<QMainWindow*>(owner);
    auto* area = frame ? qobject_cast<QMdiArea*>(frame->centralWidget()) : nullptr;
    if (!area) {
        child->show();
        return nullptr;
    }
    const QSize designed = child->size();
    QMdiSubWindow* sub = area->addSubWindow(child);
    sub->setWindowIcon(child->windowIcon());
    child->show();
    setDesignSize(sub, sub->size() - child->size() + designed);
    return sub;
}

namespace {
const char* const designSizeProperty = "tslnDesignSize";
}

QSize designSizeOf(const QMdiSubWindow* sub)
{
    return sub ? sub->property(designSizeProperty).toSize() : QSize();
}

void setDesignSize(QMdiSubWindow* sub, QSize size)
{
    if (sub)
        sub->setProperty(designSizeProperty, size);
}

QMdiSubWindow* mdiWindowOf(QWidget* child)
{
    for (QWidget* w = child; w; w = w->parentWidget()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w))
            return sub;
    }
    return nullptr;
}
