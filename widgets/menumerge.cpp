#include "widgets/menumerge.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <algorithm>

namespace {
const char GroupProperty[] = "tslnMenuGroup";

int groupOf(const QAction* a)
{
    const QVariant v = a->property(GroupProperty);
    return v.isValid() ? v.toInt() : 0;
}
}  // namespace

void addMergedMenuItem(QWidget* child, QAction* action, int group)
{
    action->setProperty(GroupProperty, group);
    child->addAction(action);
}

MenuMerger::MenuMerger(QMenuBar* bar, QMdiArea* area) : QObject(bar), bar_(bar), area_(area)
{
    connect(area_, &QMdiArea::subWindowActivated, this, &MenuMerger::refresh);
}

void MenuMerger::refresh()
{
    for (const QPointer<QAction>& a : std::as_const(merged_)) {
        if (a)
            bar_->removeAction(a);
    }
    merged_.clear();
    // The current window stays current while a dialog or another program has the
    // focus, so the items do not flicker away with the activation.
    QMdiSubWindow* sub = area_->currentSubWindow();
    QWidget* child = sub ? sub->widget() : nullptr;
    if (!child)
        return;
    QList<QAction*> items;
    for (QAction* a : child->actions()) {
        if (a->property(GroupProperty).isValid())
            items.append(a);
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const QAction* a, const QAction* b) { return groupOf(a) < groupOf(b); });
    for (QAction* a : items) {
        // Before the first frame item of a higher group, else at the end.
        QAction* before = nullptr;
        for (QAction* existing : bar_->actions()) {
            if (groupOf(existing) > groupOf(a)) {
                before = existing;
                break;
            }
        }
        bar_->insertAction(before, a);
        merged_.append(a);
    }
}
