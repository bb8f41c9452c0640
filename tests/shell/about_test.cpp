#include "shell/about.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "core/modal.h"
#include "shell/disclaimer.h"
#include "support/findpart.h"

TEST(About, ShowsTheVersionTextEveryTimeItIsPainted)
{
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), "About");
    EXPECT_EQ(box.size(), QSize(331, 217));
    EXPECT_EQ(part<QLabel>(box, "version")->text(), "Version");
    for (int i = 0; i < 2; ++i) {
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        box.grab();
        EXPECT_EQ(part<QLabel>(box, "version")->text(), "Version 1.0 1997-Nov-27");
        EXPECT_EQ(part<QLabel>(box, "version")->width(), 260);
        box.hide();
    }
    EXPECT_EQ(part<QLabel>(box, "programName")->text(), "Tessaline");
    EXPECT_EQ(part<QLabel>(box, "programName")->font().pixelSize(), 24);
    EXPECT_EQ(part<QLabel>(box, "comments")->text(), "Serial - TCP/IP Version");
    EXPECT_EQ(part<QLabel>(box, "comments")->font().pixelSize(), 16);
    EXPECT_EQ(part<QLabel>(box, "maker")->text(), "Quenmark");
    EXPECT_EQ(part<QLabel>(box, "icon")->size(), QSize(33, 33));
    EXPECT_TRUE(part<QPushButton>(box, "ok")->isDefault());
    QTest::mouseClick(part<QPushButton>(box, "ok"), Qt::LeftButton);
    EXPECT_EQ(box.result(), QDialog::Accepted);
}

TEST(Disclaimer, KeepsEditsAndClosesWithItsButton)
{
    TDisclaimerFORM form;
    EXPECT_EQ(form.windowTitle(), "Disclaimer");
    EXPECT_EQ(form.size(), QSize(547, 336));
    EXPECT_EQ(part<QPlainTextEdit>(form, "notice")->size(), QSize(521, 249));
    EXPECT_FALSE(part<QPlainTextEdit>(form, "notice")->isReadOnly());
    EXPECT_TRUE(part<QPlainTextEdit>(form, "notice")->toPlainText().contains("NO WARRANTY"));
    form.show();
    part<QPlainTextEdit>(form, "notice")->setPlainText("edited");
    QTest::mouseClick(part<QPushButton>(form, "close"), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    form.show();
    EXPECT_EQ(part<QPlainTextEdit>(form, "notice")->toPlainText(), "edited");
}
