#include "panel756bench.h"

namespace {

TEST_F(Panel756, NoResponseRaisesABoxAndEndsATransferWithOneBox)
{
    THi_756FORM* p = open();
    radio->silent = true;
    p->controls().BUpdate->click();
    runFor(clock, *radio, 15000);
    ASSERT_FALSE(modal.boxes.empty());
    EXPECT_EQ(modal.boxes.back().text,
              QStringLiteral("No Response, Your CIV Interface is Not Connected or is Turned Off"));

    // A download the radio stops answering: the counters go to the status bar, the
    // engine's giving up ends the transfer with one box, and nothing is sent after.
    otherDialog = [&](QDialog& d) {
        EXPECT_NE(qobject_cast<TDownloadFORM*>(&d), nullptr);
        RangeFields(d).fill(1, 3, 1);
        return int(Modal::Ok);
    };
    modal.boxes.clear();
    TMemoryFORM* memory = p->memoryWindow();
    memory->BDownLoadClick();
    EXPECT_TRUE(memory->Downloading());
    radio->sent.clear();
    runFor(clock, *radio, 30000);
    EXPECT_EQ(
        modal.texts(),
        QStringList{QStringLiteral("No Response, Your CIV Interface is Not Connected or is Turned Off")});
    EXPECT_FALSE(p->session()->transferring());
    EXPECT_FALSE(memory->Downloading());
    EXPECT_FALSE(memory->findChild<TLedLittle*>(QStringLiteral("BusyLed"))->Blink());
    EXPECT_EQ(p->session()->requestState(), 5);
    // Only the first command of the read went out (and its retries); nothing was put back.
    ASSERT_FALSE(radio->sent.empty());
    for (const QByteArray& f : radio->sent)
        EXPECT_EQ(f, radio->sent.front());
}

TEST_F(Panel756, MemoryRequestsDriveTheRadioAndEndTheTransfer)
{
    THi_756FORM* p = open();
    radio->sent.clear();
    p->MemorySetRequest(false, true, 3, QStringLiteral("007.100.000"), QStringLiteral("cw"), QString());
    EXPECT_TRUE(p->session()->transferring());
    EXPECT_EQ(p->session()->requestState(), 10);
    runFor(clock, *radio, 3000);
    std::vector<QByteArray> want;
    using namespace civ::encode;
    for (const QByteArray& body : {vfo(1), memory(3), freq(QStringLiteral("007.100.000")),
                                   mode(1, civ::ModeTable::Base), memoryCmd(1)})
        want.push_back(frameOf(body));
    EXPECT_EQ(radio->sent, want);
    EXPECT_FALSE(p->session()->transferring());

    radio->sent.clear();
    p->MemoryGetRequest(7);
    EXPECT_EQ(p->session()->requestState(), 11);
    runFor(clock, *radio, 3000);
    EXPECT_FALSE(p->session()->transferring());
    p->MemoryGetRequest(0);
    EXPECT_EQ(p->session()->requestState(), 5);
}

TEST_F(Panel756, AnUploadPutsTheBandBackOnceAfterItsLastChannel)
{
    using namespace civ::encode;
    THi_756FORM* p = open();
    // The operator was on main memory channel 12, at 14.195 MHz in USB.
    click(p, centre(Model756::VFOMemo));
    runFor(clock, *radio, 3000);
    ASSERT_EQ(p->view().mainChannelState, 3);
    for (int i = 1; i < 12; ++i)
        click(p, centre(Model756::UP));
    runFor(clock, *radio, 5000);
    ASSERT_EQ(p->view().mainChannel, 12);
    const QString before = p->view().mainText;

    TMemoryFORM* window = p->memoryWindow();
    window->SetNumofMemories(3);
    auto* rows = window->findChild<MemoryModel*>();
    const QString freqs[] = {QStringLiteral("007.100.000"), QStringLiteral("021.200.000"),
                             QStringLiteral("028.300.000")};
    const char* modes[] = {"CW", "AM", "FM"};
    for (int i = 0; i < 3; ++i)
        rows->setRecord(i, MemRecord{freqs[i], QString::fromLatin1(modes[i]), QString(), QString()});
    otherDialog = [&](QDialog& d) {
        EXPECT_NE(qobject_cast<TUploadFORM*>(&d), nullptr);
        RangeFields(d).fill(1, 3, 21);
        return int(Modal::Ok);
    };
    radio->sent.clear();
    window->BUploadClick();
    runFor(clock, *radio, 10000);

    const civ::ModeTable t = civ::ModeTable::Base;
    EXPECT_EQ(radio->sent, framesOf({vfo(1),       memory(21),     freq(freqs[0]), mode(1, t),
                                     memoryCmd(1),                                                // channel 1
                                     memory(22),   freq(freqs[1]), mode(4, t),     memoryCmd(1),  // channel 2
                                     memory(23),   freq(freqs[2]), mode(5, t),     memoryCmd(1),  // channel 3
                                     memoryCmd(0), memory(12),     freq(before),   mode(3, t),    // put back
                                     band(1),      readFreq(),     readMode(),     band(0),
                                     readFreq(),   readMode()}));  // read both
    EXPECT_FALSE(window->Writing());
    EXPECT_FALSE(window->findChild<TLedLittle*>(QStringLiteral("BusyLed"))->Blink());
    EXPECT_EQ(p->view().mainText, before);
    EXPECT_EQ(p->view().mainChannelState, 3);
    EXPECT_EQ(p->view().mainChannel, 12);
    EXPECT_EQ(p->view().mainMode, 2);  // USB
    EXPECT_EQ(p->session()->requestState(), 5);
}

TEST_F(Panel756, AnUploadClearsBlankRowsAndSumsUpWhatTheRadioRefused)
{
    using namespace civ::encode;
    THi_756FORM* p = open();
    TMemoryFORM* window = p->memoryWindow();
    window->SetNumofMemories(3);
    auto* rows = window->findChild<MemoryModel*>();
    rows->setRecord(0, MemRecord{QStringLiteral("BLANK"), QString(), QString(), QString()});
    rows->setRecord(1, MemRecord{QString(), QStringLiteral("USB"), QString(), QString()});
    rows->setRecord(2, MemRecord{QStringLiteral("028.300.000"), QStringLiteral("FM"), QString(), QString()});
    radio->refusedChannels = {3};
    otherDialog = [&](QDialog& d) {
        RangeFields(d).fill(1, 3, 1);
        return int(Modal::Ok);
    };
    radio->sent.clear();
    window->BUploadClick();
    runFor(clock, *radio, 10000);
    const std::vector<QByteArray> upload =
        framesOf({vfo(1), memory(1), memoryCmd(3), memory(2), memoryCmd(3), memory(3),
                  freq(QStringLiteral("028.300.000")), mode(5, civ::ModeTable::Base), memoryCmd(1)});
    ASSERT_GE(radio->sent.size(), upload.size());
    EXPECT_EQ(std::vector<QByteArray>(radio->sent.begin(), radio->sent.begin() + upload.size()), upload);
    EXPECT_EQ(modal.texts(), QStringList{QStringLiteral("2 channels written, 1 refused by the radio: 3")});
    EXPECT_FALSE(window->Writing());
    EXPECT_EQ(p->session()->requestState(), 5);
}

TEST_F(Panel756, DoubleClickingARowTunesAndTheKnobStepsFromThere)
{
    THi_756FORM* p = open();
    TMemoryFORM* window = p->memoryWindow();
    window->SetNumofMemories(2);
    window->findChild<MemoryModel*>()->setRecord(
        1, MemRecord{QStringLiteral("021.200.000"), QStringLiteral("AM"), QString(), QString()});
    window->findChild<MemoryGrid*>()->setCurrentRow(1);
    window->SGMemoryDblClick();
    runFor(clock, *radio, 3000);
    EXPECT_EQ(p->session()->requestState(), 5);
    EXPECT_EQ(p->view().mainText, QStringLiteral("021.200.000"));
    EXPECT_FALSE(window->findChild<TLedLittle*>(QStringLiteral("BusyLed"))->Blink());
    // The panel follows the radio's reports again and tunes on from the channel.
    radio->sent.clear();
    press(p, centre(Model756::KnobUp));
    release(p, centre(Model756::KnobUp));
    runFor(clock, *radio, 2000);
    EXPECT_EQ(p->view().mainText, QStringLiteral("021.200.010"));
    EXPECT_EQ(radio->sent, framesOf({civ::encode::freq(QStringLiteral("021.200.010"))}));
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

TEST_F(Panel756, ADownloadPutsTheBandBackOnceAfterItsLastChannel)
{
    using namespace civ::encode;
    THi_756FORM* p = open();
    const QString before = p->view().mainText;
    otherDialog = [&](QDialog& d) {
        EXPECT_NE(qobject_cast<TDownloadFORM*>(&d), nullptr);
        RangeFields(d).fill(5, 7, 1);
        return int(Modal::Ok);
    };
    radio->sent.clear();
    TMemoryFORM* window = p->memoryWindow();
    window->BDownLoadClick();
    runFor(clock, *radio, 10000);
    std::vector<QByteArray> want;
    for (int n : {5, 6, 7})
        for (const QByteArray& b : {memoryCmd(0), memory(n), readMode(), readFreq()})
            want.push_back(frameOf(b));
    for (const QByteArray& b : {vfo(0), freq(before), mode(3, civ::ModeTable::Base), band(1), readFreq(),
                                readMode(), band(0), readFreq(), readMode()})
        want.push_back(frameOf(b));
    EXPECT_EQ(radio->sent, want);
    EXPECT_EQ(window->NumofMemories(), 3);
    EXPECT_FALSE(window->Downloading());
    EXPECT_EQ(p->view().mainText, before);
    EXPECT_EQ(p->view().mainChannelState, 0);
    EXPECT_EQ(p->session()->requestState(), 5);
}

TEST_F(Panel756, ARefusedOrUnsendableFrequencyIsReadBackFromTheRadio)
{
    using namespace civ::encode;
    THi_756FORM* p = open();
    radio->refuseFreq = true;
    radio->sent.clear();
    p->controls().EFreq->setMaskedText(QStringLiteral("65.000.000"));
    p->controls().BMainDial->click();
    runFor(clock, *radio, 3000);
    EXPECT_EQ(modal.texts(), QStringList{QStringLiteral("Radio Said Frequency is Invalid")});
    EXPECT_EQ(radio->sent, framesOf({freq(QStringLiteral("065.000.000")), readFreq(), readMode()}));
    EXPECT_EQ(p->view().mainText, QStringLiteral("014.195.000"));
    EXPECT_EQ(p->session()->requestState(), 5);

    // A text with blanks in it cannot be sent at all: the band is read back too.
    modal.boxes.clear();
    radio->sent.clear();
    p->controls().EFreq->setMaskedText(QStringLiteral("37.573.  "));
    p->controls().BMainDial->click();
    runFor(clock, *radio, 3000);
    EXPECT_EQ(modal.texts(), QStringList{QStringLiteral("Radio Returned Bad Frequency")});
    EXPECT_EQ(radio->sent, framesOf({readFreq(), readMode()}));
    EXPECT_EQ(p->view().mainText, QStringLiteral("014.195.000"));
}

TEST_F(Panel756, ClosingWithAnUnsavedMemoryListAsksFirst)
{
    THi_756FORM* p = open();
    auto* rows = p->memoryWindow()->findChild<MemoryModel*>();
    rows->setRecord(
        0, MemRecord{QStringLiteral("014.195.000"), QStringLiteral("USB"), QString(), QStringLiteral("x")});
    modal.answers = {Modal::Cancel};
    EXPECT_FALSE(p->close());
    EXPECT_EQ(
        modal.texts(),
        QStringList{QStringLiteral("Save changes to the memory list of IC756 on device [Bench] <Serial>?")});
    EXPECT_FALSE(p->closing());
    EXPECT_NE(p->engine(), nullptr);
    modal.answers = {Modal::Discard};
    EXPECT_TRUE(p->close());
    EXPECT_EQ(modal.boxes.size(), 2u);
}

}  // namespace
