#include "shell/windowarrange.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include "widgets/mdichild.h"

QList<QRect> stackedTiles(const QRect& area, int n)
{
    QList<QRect> tiles;
    if (n <= 0 || area.isEmpty())
        return tiles;
    const int h = area.height() / n;
    for (int i = 0; i < n; ++i) {
        const int top = area.top() + i * h;
        const int height = (i == n - 1) ? area.bottom() + 1 - top : h;
        tiles.append(QRect(area.left(), top, area.width(), height));
    }
    return tiles;
}

void tileStacked(QMdiArea* area)
{
    QList<QMdiSubWindow*> open;
    int iconRow = 0;
    for (QMdiSubWindow* sub : area->subWindowList(QMdiArea::CreationOrder)) {
        if (sub->isHidden())
            continue;
        if (sub->isMinimized()) {
            iconRow = std::max(iconRow, sub->height());
            continue;
        }
        open.append(sub);
    }
    QRect space = area->viewport()->rect();
    space.setBottom(space.bottom() - iconRow);
    const QList<QRect> tiles = stackedTiles(space, static_cast<int>(open.size()));
    for (int i = 0; i < open.size(); ++i) {
        if (open[i]->isMaximized())
            open[i]->showNormal();
        open[i]->setGeometry(tiles[i]);
    }
}

void cascadeAtDesignSizes(QMdiArea* area)
{
    QList<QMdiSubWindow*> open;
    for (QMdiSubWindow* sub : area->subWindowList(QMdiArea::StackingOrder)) {
        if (!sub->isHidden() && !sub->isMinimized())
            open.append(sub);
    }
    if (open.isEmpty())
        return;
    QStyleOptionTitleBar option;
    option.initFrom(open.first());
    const int step =
        std::max(open.first()->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, open.first()), 16);
    const QRect space = area->viewport()->rect();
    QMdiSubWindow* active = area->activeSubWindow();
    QPoint at = space.topLeft();
    for (QMdiSubWindow* sub : open) {
        if (sub->isMaximized())
            sub->showNormal();
        QSize size = designSizeOf(sub);
        if (!size.isValid())
            size = sub->size();
        // Back to the corner once a window would start outside the area.
        if (at.y() + step > space.bottom() || at.x() + step > space.right())
            at = space.topLeft();
        sub->setGeometry(QRect(at, size));
        sub->raise();
        at += QPoint(step, step);
    }
    if (active && open.contains(active))
        area->setActiveSubWindow(active);
}
