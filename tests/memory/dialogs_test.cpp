#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/intconv.h"
#include "memory/download.h"
#include "memory/freqedit.h"
#include "memory/memedit.h"
#include "memory/radiogroup.h"
#include "memory/singledialog.h"
#include "memory/upload.h"
#include "memfiles/printers.h"
#include "support/modalrecorder.h"

namespace {

// Replaces a field's text the way an operator does: select everything, type.
void retype(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

int pressOk(QDialog& dialog, QPushButton* ok)
{
    dialog.setResult(0);
    ok->click();
    return dialog.result();
}

}  // namespace

TEST(RangeDialog, CountSetsEndingAndEndingSetsCount)
{
    ModalRecorder modal;
    TUploadFORM form;
    QTest::keyClicks(form.EStart, "1");
    EXPECT_EQ(form.EEnding->text(), QString());  // the empty fields are not touched
    modal.boxes.clear();

    QTest::keyClicks(form.ENum, "12");
    EXPECT_EQ(form.EEnding->text(), QStringLiteral("12"));
    EXPECT_EQ(form.ENum->text(), QStringLiteral("12"));

    retype(form.EEnding, "20");
    EXPECT_EQ(form.ENum->text(), QStringLiteral("20"));
    EXPECT_TRUE(modal.boxes.empty());

    // Typing 10 with the start at 5 settles at once on 14.
    retype(form.EStart, "5");
    retype(form.ENum, "10");
    EXPECT_EQ(form.EEnding->text(), QStringLiteral("14"));
    EXPECT_EQ(form.ENum->text(), QStringLiteral("10"));
}

TEST(RangeDialog, EndingNotAboveStartLeavesCountAlone)
{
    ModalRecorder modal;
    TDownloadFORM form;
    form.EStart->setText("5");
    form.ENum->setText("0");
    EXPECT_EQ(form.EEnding->text(), QStringLiteral("4"));
    EXPECT_EQ(form.ENum->text(), QStringLiteral("0"));
    form.ENum->setText("-3");
    EXPECT_EQ(form.EEnding->text(), QStringLiteral("1"));
    EXPECT_EQ(form.ENum->text(), QStringLiteral("-3"));
    form.EEnding->setText("5");
    EXPECT_EQ(form.ENum->text(), QStringLiteral("-3"));
    // Start moved below the ending: the count follows.
    form.EStart->setText("2");
    EXPECT_EQ(form.ENum->text(), QStringLiteral("4"));
    EXPECT_TRUE(modal.boxes.empty());
}

TEST(RangeDialog, HandlersSkipFieldsThatHoldNoNumberYet)
{
    ModalRecorder modal;
    TUploadFORM form;
    {
        const QSignalBlocker a(form.EStart), b(form.EEnding), c(form.ENum);
        form.EEnding->setText("9");
        form.ENum->setText("4");
    }
    // The start is empty: nothing to compute from.
    EXPECT_NO_THROW(form.ENumChange());
    EXPECT_NO_THROW(form.EEndingChange());
    EXPECT_NO_THROW(form.EStartChange());
    EXPECT_EQ(form.EEnding->text(), QStringLiteral("9"));
    EXPECT_EQ(form.ENum->text(), QStringLiteral("4"));

    const struct {
        const char* start;
        const char* num;
        const char* ending;
    } typed[] = {{"2", "x", "9"}, {"2", "-", "9"}, {"+", "3", "9"}, {"$", "3", "9"}, {"2", "4", "5"}};
    for (const auto& t : typed) {
        const QSignalBlocker a(form.EStart), b(form.EEnding);
        form.EStart->setText(t.start);
        form.EEnding->setText("9");
        form.ENum->setText(t.num);
        EXPECT_EQ(form.EEnding->text(), QLatin1String(t.ending)) << t.start << " " << t.num;
    }
    EXPECT_TRUE(modal.boxes.empty());
}

TEST(RangeDialog, ClearingStartWhileTypingSaysNothing)
{
    ModalRecorder modal;
    TUploadFORM form;
    form.EStart->setText("1");
    form.ENum->setText("12");

    retype(form.EStart, "");
    QTest::keyClicks(form.EStart, "3");
    retype(form.ENum, "");
    retype(form.EEnding, "");
    QTest::keyClicks(form.EEnding, "-");

    EXPECT_TRUE(modal.boxes.empty());
    EXPECT_EQ(form.ENum->text(), QString());
    QTest::keyClicks(form.EEnding, "12");
    EXPECT_EQ(form.EEnding->text(), QStringLiteral("-12"));
    retype(form.EEnding, "12");
    EXPECT_EQ(form.ENum->text(), QStringLiteral("10"));
    EXPECT_TRUE(modal.boxes.empty());
}

TEST(RangeDialog, SumsBeyondTheIntegerRangeAreShownAndRefusedByOk)
{
    ModalRecorder modal;
    TUploadFORM form;
    form.EStart->setText("2147483647");
    form.ENum->setText("2");
    form.EStartRadio->setText("1");
    EXPECT_EQ(form.EEnding->text(), QStringLiteral("2147483648"));
    EXPECT_TRUE(modal.boxes.empty());
    EXPECT_EQ(pressOk(form, form.BOk), int(Modal::Cancel));
    EXPECT_EQ(modal.texts(), QStringList{"Invalid Value on UploadFORM"});
}

TEST(RangeDialog, OkChecksEveryFieldAndTurnsIntoCancel)
{
    ModalRecorder modal;
    TDownloadFORM form;
    form.EStart->setText("5");
    form.EEnding->setText("7");
    form.EStartProg->setText("x");
    modal.boxes.clear();

    EXPECT_EQ(pressOk(form, form.BOk), Modal::Cancel);
    EXPECT_EQ(modal.texts(), QStringList{"Invalid Value on UploadFORM"});
    EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Error);

    // No range is checked.
    modal.boxes.clear();
    form.EStartProg->setText("0");
    form.EStart->setText("-4");
    form.EEnding->setText("-9");
    EXPECT_EQ(pressOk(form, form.BOk), Modal::Ok);
    EXPECT_TRUE(modal.boxes.empty());

    // Cancel, Escape and the close box check nothing.
    form.ENum->setText("");
    modal.boxes.clear();
    EXPECT_EQ(pressOk(form, form.BCancel), Modal::Cancel);
    form.reject();
    EXPECT_EQ(form.result(), Modal::Cancel);
    EXPECT_TRUE(modal.boxes.empty());
}

TEST(RangeDialog, UploadHasTheSameCheck)
{
    ModalRecorder modal;
    TUploadFORM form;
    form.EStart->setText("3");
    form.EEnding->setText("5");
    modal.boxes.clear();
    EXPECT_EQ(pressOk(form, form.BOk), Modal::Cancel);  // EStartRadio is empty
    EXPECT_EQ(modal.texts(), QStringList{"Invalid Value on UploadFORM"});
    form.EStartRadio->setText("$0A");
    modal.boxes.clear();
    EXPECT_EQ(pressOk(form, form.BOk), Modal::Ok);
    EXPECT_TRUE(modal.boxes.empty());
}

TEST(RangeDialog, CaptionsAndFields)
{
    TUploadFORM up;
    TDownloadFORM down;
    TSingleUpload single;
    EXPECT_EQ(up.windowTitle(), QStringLiteral("Upload"));
    EXPECT_EQ(down.windowTitle(), QStringLiteral("Download"));
    EXPECT_EQ(single.windowTitle(), QStringLiteral("Single Memory Write"));
    EXPECT_EQ(up.EStartRadio->objectName(), QStringLiteral("EStartRadio"));
    EXPECT_EQ(down.EStartProg->objectName(), QStringLiteral("EStartProg"));
    // First use: every field empty.
    for (QLineEdit* e : {up.EStart, up.EEnding, up.ENum, up.EStartRadio, single.ENumber})
        EXPECT_TRUE(e->text().isEmpty());
    ModalRecorder modal;
    single.ENumber->setText("junk");
    EXPECT_EQ(pressOk(single, single.BOk), Modal::Ok);  // no check of its own
    EXPECT_TRUE(modal.boxes.empty());
}

TEST(MemEditForm, ResetGivesAnEmptyCwSimplexRecord)
{
    TMemEditFORM form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Memory Edit"));
    form.RGMode->setItemIndex(5);
    form.EDesc->setText("x");
    form.Reset();
    MemRecord r;
    form.DialogToRecord(&r);
    EXPECT_EQ(r, (MemRecord{"   .   .   ", "CW", "NONE", ""}));
}

TEST(MemEditForm, EveryModeAndDuplexRoundTrips)
{
    const QStringList modes = {"CW", "CWn", "LSB", "USB", "AM", "FM", "WFM", "RTTY"};
    const QStringList duplexes = {"NONE", "MINUS", "PLUS"};
    TMemEditFORM form;
    for (int mode = 0; mode < 8; ++mode) {
        for (int duplex = 0; duplex < 3; ++duplex) {
            form.Reset();
            QTest::keyClicks(form.MEFreq, "1455");
            form.RGMode->button(mode)->click();
            form.RGDuplex->button(duplex)->click();
            form.EDesc->setText("Club, north");
            MemRecord r;
            form.DialogToRecord(&r);
            EXPECT_EQ(r, (MemRecord{"145.5  .   ", modes[mode], duplexes[duplex], "Club, north"}));

            form.Reset();
            form.RGMode->setItemIndex((mode + 3) % 8);
            form.RecordToDialog(r);
            EXPECT_EQ(form.RGMode->itemIndex(), mode);
            EXPECT_EQ(form.RGDuplex->itemIndex(), duplex);
            EXPECT_EQ(form.MEFreq->maskedText(), QStringLiteral("145.5  .   "));
            MemRecord back;
            form.DialogToRecord(&back);
            EXPECT_EQ(back, r);
        }
    }
}

TEST(MemEditForm, ModeAndDuplexAreMatchedWithoutRegardToCase)
{
    TMemEditFORM form;
    form.RecordToDialog({"BLANK", "CWN", "minus", ""});
    EXPECT_EQ(form.RGMode->itemIndex(), 1);
    EXPECT_EQ(form.RGDuplex->itemIndex(), 1);
    form.RecordToDialog({"", "cwn", "Plus", ""});
    EXPECT_EQ(form.RGMode->itemIndex(), 1);
    EXPECT_EQ(form.RGDuplex->itemIndex(), 2);
    MemRecord r;
    form.DialogToRecord(&r);
    EXPECT_EQ(r.Mode, QStringLiteral("CWn"));
}

TEST(MemEditForm, UnknownModeKeepsThePreviousChoiceAndDuplexShowsSimplex)
{
    TMemEditFORM form;
    form.RecordToDialog({"145.500.000", "USB", "PLUS", ""});
    form.RecordToDialog({"BLANK", "", "", "old"});
    EXPECT_EQ(form.RGMode->itemIndex(), 3);
    EXPECT_EQ(form.RGDuplex->itemIndex(), 0);
    EXPECT_EQ(form.MEFreq->maskedText(), QStringLiteral("   .   .   "));
    form.RecordToDialog({"", "PKT", "SPLIT", ""});
    EXPECT_EQ(form.RGMode->itemIndex(), 3);
    EXPECT_EQ(form.RGDuplex->itemIndex(), 0);
}

TEST(MemEditForm, AGroupWithNothingChosenKeepsTheRecordsText)
{
    TMemEditFORM form;  // never reset: nothing chosen yet
    EXPECT_EQ(form.RGMode->itemIndex(), -1);
    form.RGDuplex->setItemIndex(-1);
    MemRecord r{"145.500.000", "PKT", "ODD", "d"};
    form.DialogToRecord(&r);
    EXPECT_EQ(r.Mode, QStringLiteral("PKT"));
    EXPECT_EQ(r.Duplex, QStringLiteral("ODD"));
    EXPECT_EQ(r.Freq, QStringLiteral("   .   .   "));
}

TEST(MemEditForm, OkAndCancelGiveTheirResults)
{
    TMemEditFORM form;
    EXPECT_EQ(pressOk(form, form.BOk), Modal::Ok);
    EXPECT_EQ(pressOk(form, form.BCancel), Modal::Cancel);
    form.reject();
    EXPECT_EQ(form.result(), Modal::Cancel);
}

TEST(MemEditForm, DescriptionRefusesCharactersAFileCannotHold)
{
    TMemEditFORM form;
    form.Reset();
    auto type = [&form](const QString& text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(form.EDesc, &press);
    };
    QTest::keyClicks(form.EDesc, "Caf");
    type(QStringLiteral("\u00e9"));  // Latin-1 is fine
    EXPECT_EQ(form.EDesc->text(), QStringLiteral("Caf\u00e9"));
    EXPECT_EQ(form.LHint->text(), QString());

    const struct {
        QString typed;
        QString named;
    } refused[] = {
        {QStringLiteral("\u20ac"), QStringLiteral("\u20ac")},
        {QStringLiteral("\u0141"), QStringLiteral("\u0141")},
        {QStringLiteral("\U0001F4FB"), QStringLiteral("\U0001F4FB")},  // two UTF-16 units, named whole
    };
    for (const auto& r : refused) {
        type(r.typed);
        EXPECT_EQ(form.EDesc->text(), QStringLiteral("Caf\u00e9"));
        EXPECT_EQ(form.LHint->text(),
                  QStringLiteral("The character \"%1\" cannot be stored in a memory file.").arg(r.named));
    }
    // Pasted text goes in whole or not at all.
    form.EDesc->insert(QStringLiteral(" 2\u00b0 \u2192 x"));
    EXPECT_EQ(form.EDesc->text(), QStringLiteral("Caf\u00e9"));
    EXPECT_TRUE(form.LHint->text().contains(QStringLiteral("\u2192")));
    // The next accepted key clears the hint.
    QTest::keyClicks(form.EDesc, "s");
    EXPECT_EQ(form.EDesc->text(), QStringLiteral("Caf\u00e9s"));
    EXPECT_EQ(form.LHint->text(), QString());
}

TEST(MemEditForm, OkRefusesADescriptionAFileCannotHold)
{
    TMemEditFORM form;
    form.RecordToDialog({"145.500.000", "FM", "NONE", QStringLiteral("Repeater \u2192 north")});
    form.setResult(0);
    form.BOk->click();
    EXPECT_EQ(form.result(), 0);  // still open
    EXPECT_EQ(form.LHint->text(),
              QStringLiteral("The character \"\u2192\" cannot be stored in a memory file."));
    EXPECT_EQ(pressOk(form, form.BCancel), Modal::Cancel);
    form.EDesc->setText(QStringLiteral("Repeater north"));
    EXPECT_EQ(pressOk(form, form.BOk), Modal::Ok);
    EXPECT_EQ(form.LHint->text(), QString());
}
