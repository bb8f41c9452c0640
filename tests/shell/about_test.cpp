#include "shell/about.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "core/modal.h"
#include "shell/disclaimer.h"

TEST(About, ShowsTheVersionTextEveryTimeItIsPainted)
{
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), "About");
    EXPECT_EQ(box.size(), QSize(331, 217));
    EXPECT_EQ(box.LVersion->text(), "Version");
    for (int i = 0; i < 2; ++i) {
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        box.grab();
        EXPECT_EQ(box.LVersion->text(), "Version 1.0 1997-Nov-27");
        EXPECT_EQ(box.LVersion->width(), 260);
        box.hide();
    }
    EXPECT_EQ(box.Version->text(), "Tessaline");
    EXPECT_EQ(box.Version->font().pixelSize(), 24);
    EXPECT_EQ(box.Comments->text(), "Serial - TCP/IP Version");
    EXPECT_EQ(box.Comments->font().pixelSize(), 16);
    EXPECT_EQ(box.Label2->text(), "Quenmark");
    EXPECT_EQ(box.Image1->size(), QSize(33, 33));
    EXPECT_TRUE(box.OKButton->isDefault());
    QTest::mouseClick(box.OKButton, Qt::LeftButton);
    EXPECT_EQ(box.result(), QDialog::Accepted);
}

TEST(Disclaimer, KeepsEditsAndClosesWithItsButton)
{
    TDisclaimerFORM form;
    EXPECT_EQ(form.windowTitle(), "Disclaimer");
    EXPECT_EQ(form.size(), QSize(547, 336));
    EXPECT_EQ(form.Memo1->size(), QSize(521, 249));
    EXPECT_FALSE(form.Memo1->isReadOnly());
    EXPECT_TRUE(form.Memo1->toPlainText().contains("NO WARRANTY"));
    form.show();
    form.Memo1->setPlainText("edited");
    QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    form.show();
    EXPECT_EQ(form.Memo1->toPlainText(), "edited");
}
