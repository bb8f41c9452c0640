#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/intconv.h"
#include "memfiles/printers.h"
#include "memory/download.h"
#include "memory/freqedit.h"
#include "memory/memedit.h"
#include "memory/radiogroup.h"
#include "memory/singledialog.h"
#include "memory/upload.h"
#include "support/memorydialogs.h"
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
    const RangeFields f(form);
    QTest::keyClicks(f.start, "1");
    EXPECT_EQ(f.ending->text(), QString());  // the empty fields are not touched
    modal.boxes.clear();

    QTest::keyClicks(f.count, "12");
    EXPECT_EQ(f.ending->text(), QStringLiteral("12"));
    EXPECT_EQ(f.count->text(), QStringLiteral("12"));

    retype(f.ending, "20");
    EXPECT_EQ(f.count->text(), QStringLiteral("20"));
    EXPECT_TRUE(modal.boxes.empty());

    // Typing 10 with the start at 5 settles at once on 14.
    retype(f.start, "5");
    retype(f.count, "10");
    EXPECT_EQ(f.ending->text(), QStringLiteral("14"));
    EXPECT_EQ(f.count->text(), QStringLiteral("10"));
}

TEST(RangeDialog, EndingNotAboveStartLeavesCountAlone)
{
    ModalRecorder modal;
    TDownloadFORM form;
    const RangeFields f(form);
    f.start->setText("5");
    f.count->setText("0");
    EXPECT_EQ(f.ending->text(), QStringLiteral("4"));
    EXPECT_EQ(f.count->text(), QStringLiteral("0"));
    f.count->setText("-3");
    EXPECT_EQ(f.ending->text(), QStringLiteral("1"));
    EXPECT_EQ(f.count->text(), QStringLiteral("-3"));
    f.ending->setText("5");
    EXPECT_EQ(f.count->text(), QStringLiteral("-3"));
    // Start moved below the ending: the count follows.
    f.start->setText("2");
    EXPECT_EQ(f.count->text(), QStringLiteral("4"));
    EXPECT_TRUE(modal.boxes.empty());
}

TEST(RangeDialog, HandlersSkipFieldsThatHoldNoNumberYet)
{
    ModalRecorder modal;
    TUploadFORM form;
    const RangeFields f(form);
    {
        const QSignalBlocker a(f.start), b(f.ending), c(f.count);
        f.ending->setText("9");
        f.count->setText("4");
    }
    // The start is empty: nothing to compute from.
    EXPECT_NO_THROW(Q_EMIT f.count->textChanged(f.count->text()));
    EXPECT_NO_THROW(Q_EMIT f.ending->textChanged(f.ending->text()));
    EXPECT_NO_THROW(Q_EMIT f.start->textChanged(f.start->text()));
    EXPECT_EQ(f.ending->text(), QStringLiteral("9"));
    EXPECT_EQ(f.count->text(), QStringLiteral("4"));

    const struct {
        const char* start;
        const char* num;
        const char* ending;
    } typed[] = {{"2", "x", "9"}, {"2", "-", "9"}, {"+", "3", "9"}, {"$", "3", "9"}, {"2", "4", "5"}};
    for (const auto& t : typed) {
        const QSignalBlocker a(f.start), b(f.ending);
        f.start->setText(t.start);
        f.ending->setText("9");
        f.count->setText(t.num);
        EXPECT_EQ(f.ending->text(), QLatin1String(t.ending)) << t.start << " " << t.num;
    }
    EXPECT_TRUE(modal.boxes.empty());
}

TEST(RangeDialog, ClearingStartWhileTypingSaysNothing)
{
    ModalRecorder modal;
    TUploadFORM form;
    const RangeFields f(form);
    f.start->setText("1");
    f.count->setText("12");

    retype(f.start, "");
    QTest::keyClicks(f.start, "3");
    retype(f.count, "");
    retype(f.ending, "");
    QTest::keyClicks(f.ending, "-");

    EXPECT_TRUE(modal.boxes.empty());
    EXPECT_EQ(f.count->text(), QString());
    QTest::keyClicks(f.ending, "12");
    EXPECT_EQ(f.ending->text(), QStringLiteral("-12"));
    retype(f.ending, "12");
    EXPECT_EQ(f.count->text(), QStringLiteral("10"));
    EXPECT_TRUE(modal.boxes.empty());
}

TEST(RangeDialog, SumsBeyondTheIntegerRangeAreShownAndRefusedByOk)
{
    ModalRecorder modal;
    TUploadFORM form;
    const RangeFields f(form);
    f.start->setText("2147483647");
    f.count->setText("2");
    f.target->setText("1");
    EXPECT_EQ(f.ending->text(), QStringLiteral("2147483648"));
    EXPECT_TRUE(modal.boxes.empty());
    EXPECT_EQ(pressOk(form, f.ok), int(Modal::Cancel));
    EXPECT_EQ(modal.texts(), QStringList{"Invalid Value on UploadFORM"});
}

TEST(RangeDialog, OkChecksEveryFieldAndTurnsIntoCancel)
{
    ModalRecorder modal;
    TDownloadFORM form;
    const RangeFields f(form);
    f.start->setText("5");
    f.ending->setText("7");
    f.target->setText("x");
    modal.boxes.clear();

    EXPECT_EQ(pressOk(form, f.ok), Modal::Cancel);
    EXPECT_EQ(modal.texts(), QStringList{"Invalid Value on UploadFORM"});
    EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Error);

    // No range is checked.
    modal.boxes.clear();
    f.target->setText("0");
    f.start->setText("-4");
    f.ending->setText("-9");
    EXPECT_EQ(pressOk(form, f.ok), Modal::Ok);
    EXPECT_TRUE(modal.boxes.empty());

    // Cancel, Escape and the close box check nothing.
    f.count->setText("");
    modal.boxes.clear();
    EXPECT_EQ(pressOk(form, f.cancel), Modal::Cancel);
    form.reject();
    EXPECT_EQ(form.result(), Modal::Cancel);
    EXPECT_TRUE(modal.boxes.empty());
}

TEST(RangeDialog, UploadHasTheSameCheck)
{
    ModalRecorder modal;
    TUploadFORM form;
    const RangeFields f(form);
    f.start->setText("3");
    f.ending->setText("5");
    modal.boxes.clear();
    EXPECT_EQ(pressOk(form, f.ok), Modal::Cancel);  // EStartRadio is empty
    EXPECT_EQ(modal.texts(), QStringList{"Invalid Value on UploadFORM"});
    f.target->setText("$0A");
    modal.boxes.clear();
    EXPECT_EQ(pressOk(form, f.ok), Modal::Ok);
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
    EXPECT_NE(up.findChild<QLineEdit*>(QStringLiteral("EStartRadio")), nullptr);
    EXPECT_NE(down.findChild<QLineEdit*>(QStringLiteral("EStartProg")), nullptr);
    const RangeFields upFields(up);
    const SingleWriteFields singleFields(single);
    // First use: every field empty.
    for (QLineEdit* e :
         {upFields.start, upFields.ending, upFields.count, upFields.target, singleFields.radioMemory})
        EXPECT_TRUE(e->text().isEmpty());
    ModalRecorder modal;
    singleFields.radioMemory->setText("junk");
    EXPECT_EQ(pressOk(single, singleFields.ok), Modal::Ok);  // no check of its own
    EXPECT_TRUE(modal.boxes.empty());
}

TEST(MemEditForm, ResetGivesAnEmptyCwSimplexRecord)
{
    TMemEditFORM form;
    const EditFields f(form);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Memory Edit"));
    f.mode->setItemIndex(5);
    f.desc->setText("x");
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
    const EditFields f(form);
    for (int mode = 0; mode < 8; ++mode) {
        for (int duplex = 0; duplex < 3; ++duplex) {
            form.Reset();
            QTest::keyClicks(f.freq, "1455");
            f.mode->button(mode)->click();
            f.duplex->button(duplex)->click();
            f.desc->setText("Club, north");
            MemRecord r;
            form.DialogToRecord(&r);
            EXPECT_EQ(r, (MemRecord{"145.5  .   ", modes[mode], duplexes[duplex], "Club, north"}));

            form.Reset();
            f.mode->setItemIndex((mode + 3) % 8);
            form.RecordToDialog(r);
            EXPECT_EQ(f.mode->itemIndex(), mode);
            EXPECT_EQ(f.duplex->itemIndex(), duplex);
            EXPECT_EQ(f.freq->maskedText(), QStringLiteral("145.5  .   "));
            MemRecord back;
            form.DialogToRecord(&back);
            EXPECT_EQ(back, r);
        }
    }
}

TEST(MemEditForm, ModeAndDuplexAreMatchedWithoutRegardToCase)
{
    TMemEditFORM form;
    const EditFields f(form);
    form.RecordToDialog({"BLANK", "CWN", "minus", ""});
    EXPECT_EQ(f.mode->itemIndex(), 1);
    EXPECT_EQ(f.duplex->itemIndex(), 1);
    form.RecordToDialog({"", "cwn", "Plus", ""});
    EXPECT_EQ(f.mode->itemIndex(), 1);
    EXPECT_EQ(f.duplex->itemIndex(), 2);
    MemRecord r;
    form.DialogToRecord(&r);
    EXPECT_EQ(r.Mode, QStringLiteral("CWn"));
}

TEST(MemEditForm, UnknownModeKeepsThePreviousChoiceAndDuplexShowsSimplex)
{
    TMemEditFORM form;
    const EditFields f(form);
    form.RecordToDialog({"145.500.000", "USB", "PLUS", ""});
    form.RecordToDialog({"BLANK", "", "", "old"});
    EXPECT_EQ(f.mode->itemIndex(), 3);
    EXPECT_EQ(f.duplex->itemIndex(), 0);
    EXPECT_EQ(f.freq->maskedText(), QStringLiteral("   .   .   "));
    form.RecordToDialog({"", "PKT", "SPLIT", ""});
    EXPECT_EQ(f.mode->itemIndex(), 3);
    EXPECT_EQ(f.duplex->itemIndex(), 0);
}

TEST(MemEditForm, AGroupWithNothingChosenKeepsTheRecordsText)
{
    TMemEditFORM form;  // never reset: nothing chosen yet
    const EditFields f(form);
    EXPECT_EQ(f.mode->itemIndex(), -1);
    f.duplex->setItemIndex(-1);
    MemRecord r{"145.500.000", "PKT", "ODD", "d"};
    form.DialogToRecord(&r);
    EXPECT_EQ(r.Mode, QStringLiteral("PKT"));
    EXPECT_EQ(r.Duplex, QStringLiteral("ODD"));
    EXPECT_EQ(r.Freq, QStringLiteral("   .   .   "));
}

TEST(MemEditForm, OkAndCancelGiveTheirResults)
{
    TMemEditFORM form;
    const EditFields f(form);
    EXPECT_EQ(pressOk(form, f.ok), Modal::Ok);
    EXPECT_EQ(pressOk(form, f.cancel), Modal::Cancel);
    form.reject();
    EXPECT_EQ(form.result(), Modal::Cancel);
}

TEST(MemEditForm, DescriptionRefusesCharactersAFileCannotHold)
{
    TMemEditFORM form;
    const EditFields f(form);
    form.Reset();
    auto type = [&f](const QString& text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(f.desc, &press);
    };
    QTest::keyClicks(f.desc, "Caf");
    type(QStringLiteral("\u00e9"));  // Latin-1 is fine
    EXPECT_EQ(f.desc->text(), QStringLiteral("Caf\u00e9"));
    EXPECT_EQ(f.hint->text(), QString());

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
        EXPECT_EQ(f.desc->text(), QStringLiteral("Caf\u00e9"));
        EXPECT_EQ(f.hint->text(),
                  QStringLiteral("The character \"%1\" cannot be stored in a memory file.").arg(r.named));
    }
    // Pasted text goes in whole or not at all.
    f.desc->insert(QStringLiteral(" 2\u00b0 \u2192 x"));
    EXPECT_EQ(f.desc->text(), QStringLiteral("Caf\u00e9"));
    EXPECT_TRUE(f.hint->text().contains(QStringLiteral("\u2192")));
    // The next accepted key clears the hint.
    QTest::keyClicks(f.desc, "s");
    EXPECT_EQ(f.desc->text(), QStringLiteral("Caf\u00e9s"));
    EXPECT_EQ(f.hint->text(), QString());
}

TEST(MemEditForm, OkRefusesADescriptionAFileCannotHold)
{
    TMemEditFORM form;
    const EditFields f(form);
    form.RecordToDialog({"145.500.000", "FM", "NONE", QStringLiteral("Repeater \u2192 north")});
    form.setResult(0);
    f.ok->click();
    EXPECT_EQ(form.result(), 0);  // still open
    EXPECT_EQ(f.hint->text(), QStringLiteral("The character \"\u2192\" cannot be stored in a memory file."));
    EXPECT_EQ(pressOk(form, f.cancel), Modal::Cancel);
    f.desc->setText(QStringLiteral("Repeater north"));
    EXPECT_EQ(pressOk(form, f.ok), Modal::Ok);
    EXPECT_EQ(f.hint->text(), QString());
}

TEST(RangeDialog, HandsBackTheRangeAsTyped)
{
    TUploadFORM up;
    TDownloadFORM down;
    const RangeFields upFields(up), downFields(down);
    EXPECT_FALSE(up.range().has_value());  // empty fields
    upFields.start->setText("3");
    upFields.ending->setText("$0A");
    upFields.target->setText("-2");
    upFields.count->setText("junk");  // only a way of typing the ending
    ASSERT_TRUE(up.range().has_value());
    EXPECT_EQ(up.range()->firstRow, 3);
    EXPECT_EQ(up.range()->lastRow, 10);
    EXPECT_EQ(up.range()->firstRadioMemory, -2);
    upFields.target->setText("x");
    EXPECT_FALSE(up.range().has_value());

    downFields.start->setText("5");
    downFields.ending->setText("7");
    downFields.target->setText("1");
    ASSERT_TRUE(down.range().has_value());
    EXPECT_EQ(down.range()->firstRadioMemory, 5);
    EXPECT_EQ(down.range()->lastRadioMemory, 7);
    EXPECT_EQ(down.range()->firstRow, 1);
}

TEST(SingleUpload, HandsBackTheRadioMemory)
{
    TSingleUpload single;
    const SingleWriteFields fields(single);
    EXPECT_FALSE(single.target().has_value());
    fields.radioMemory->setText("42");
    ASSERT_TRUE(single.target().has_value());
    EXPECT_EQ(single.target()->radioMemory, 42);
    fields.radioMemory->setText("4x");
    EXPECT_FALSE(single.target().has_value());
}

TEST(MemEditForm, HandsBackTheRecordShownAsEdited)
{
    TMemEditFORM form;
    const EditFields f(form);
    form.RecordToDialog({"145.500.000", "PKT", "ODD", "d"});  // a mode it does not know: none chosen
    EXPECT_EQ(form.record(), (MemRecord{"145.500.000", "PKT", "NONE", "d"}));
    f.duplex->setItemIndex(2);
    f.desc->setText("club");
    EXPECT_EQ(form.record(), (MemRecord{"145.500.000", "PKT", "PLUS", "club"}));
    form.Reset();
    EXPECT_EQ(form.record(), (MemRecord{"   .   .   ", "CW", "NONE", ""}));
}
