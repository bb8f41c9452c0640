// Tile and Cascade in the main frame: children stacked full width, or each at its
// design size a title bar apart.

#include "shell/windowarrange.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <algorithm>

#include "devices/devicewindow.h"
#include "shell/mainform.h"
#include "widgets/mdichild.h"

namespace {

using Command = TMainFORM::Command;

TEST(WindowArrange, StackedTilesAreFullWidthAndCoverTheArea)
{
    const QList<QRect> tiles = stackedTiles(QRect(0, 0, 800, 601), 3);
    ASSERT_EQ(tiles.size(), 3);
    EXPECT_EQ(tiles[0], QRect(0, 0, 800, 200));
    EXPECT_EQ(tiles[1], QRect(0, 200, 800, 200));
    EXPECT_EQ(tiles[2], QRect(0, 400, 800, 201));
    EXPECT_TRUE(stackedTiles(QRect(0, 0, 800, 600), 0).isEmpty());
    EXPECT_EQ(stackedTiles(QRect(0, 0, 800, 600), 1).first(), QRect(0, 0, 800, 600));
}

TEST(WindowArrange, TileStacksTheOpenChildrenOneAboveTheOther)
{
    TMainFORM form;
    form.resize(1000, 800);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QList<QMdiSubWindow*> subs;
    for (int i = 0; i < 3; ++i) {
        auto* w = new QWidget;
        w->setWindowTitle(QString::number(i));
        subs << form.mdiArea()->addSubWindow(w);
        subs.last()->show();
    }
    subs[1]->showMaximized();
    form.command(Command::Tile)->trigger();
    const QRect view = form.mdiArea()->viewport()->rect();
    int top = 0;
    for (QMdiSubWindow* s : subs) {
        EXPECT_FALSE(s->isMaximized());
        EXPECT_EQ(s->geometry().left(), 0);
        EXPECT_EQ(s->geometry().width(), view.width());
        EXPECT_EQ(s->geometry().top(), top);
        top = s->geometry().bottom() + 1;
    }
    EXPECT_EQ(top, view.height());
}

TEST(WindowArrange, CascadeGivesEveryChildItsDesignSize)
{
    TMainFORM form;
    form.resize(1200, 900);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    // A panel: a picture and controls placed by hand, no layout, no size hint.
    auto* panel = new QWidget;
    panel->resize(750, 500);
    QMdiSubWindow* panelSub = showAsMdiChild(&form, panel);
    ASSERT_TRUE(panelSub);
    auto* device = new QWidget;
    showDeviceWindow(&form, device, 393, 186);
    auto* minimised = new QWidget;
    minimised->resize(300, 200);
    QMdiSubWindow* icon = showAsMdiChild(&form, minimised);
    icon->showMinimized();
    const QRect iconPlace = icon->geometry();

    panelSub->showMaximized();
    form.command(Command::Tile)->trigger();
    form.command(Command::Cascade)->trigger();

    QMdiSubWindow* deviceSub = mdiWindowOf(device);
    EXPECT_FALSE(panelSub->isMaximized());
    EXPECT_EQ(panel->size(), QSize(750, 500));
    EXPECT_EQ(deviceSub->size(), QSize(393, 186));
    // One at the corner, the other a title bar lower and to the right.
    const QPoint a = panelSub->pos(), b = deviceSub->pos();
    EXPECT_EQ(std::min(a, b, [](QPoint p, QPoint q) { return p.y() < q.y(); }), QPoint(0, 0));
    const QPoint further = a.y() > b.y() ? a : b;
    EXPECT_GT(further.y(), 0);
    EXPECT_EQ(further.x(), further.y());
    EXPECT_TRUE(icon->isMinimized());
    EXPECT_EQ(icon->geometry(), iconPlace);
}

}  // namespace
