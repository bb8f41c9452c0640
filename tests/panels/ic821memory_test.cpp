#include "ic821window.h"

namespace {

TEST_F(Ic821, UploadOfThreeMemoriesPreparesTheRadioOnceAndEndsWithTheQueue)
{
    TIC821FORM* w = open();
    w->controls().BSub->click();
    sent();
    TMemoryFORM* memory = w->memoryWindow();
    auto* rows = memory->findChild<MemoryModel*>();
    ASSERT_NE(rows, nullptr);
    const MemRecord list[] = {
        {QStringLiteral("145.500.000"), QStringLiteral("FM"), QStringLiteral("MINUS"), {}},
        {QStringLiteral("435.000.000"), QStringLiteral("am"), QStringLiteral("PLUS"), {}},
        {QStringLiteral("144.300.000"), QStringLiteral("usb"), QString(), {}}};
    for (int i = 0; i < 3; ++i)
        rows->setRecord(i, list[i]);
    memory->BUploadClick();
    EXPECT_TRUE(w->session()->transferring());
    EXPECT_EQ(w->session()->requestState(), 10);
    EXPECT_TRUE(memory->findChild<TLedLittle*>(QStringLiteral("BusyLed"))->Blink());
    const Frames expected = {
        enc::band(0),
        enc::vfo(1),
        enc::memory(1),
        enc::freq(QStringLiteral("145.500.000")),
        mode(5),
        enc::duplex(1),
        enc::memoryCmd(1),
        enc::memory(2),
        enc::freq(QStringLiteral("435.000.000")),
        enc::duplex(2),
        enc::memoryCmd(1),
        enc::memory(3),
        enc::freq(QStringLiteral("144.300.000")),
        mode(3),
        enc::duplex(0),
        enc::memoryCmd(1),
        // Once the last memory is in, the main band is put back as the window
        // showed it (no VFO chosen yet: VFO mode), and both bands are read.
        enc::vfo(0),
        enc::freq(QStringLiteral("014.195.000")),
        mode(3),
    };
    EXPECT_EQ(sent(12000), expected + readBoth());
    EXPECT_FALSE(w->session()->transferring());
    EXPECT_FALSE(memory->findChild<TLedLittle*>(QStringLiteral("BusyLed"))->Blink());
    EXPECT_EQ(w->controls().LMainSub->text(), QStringLiteral("<-MAIN"));
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

TEST_F(Ic821, DownloadOfABlankChannelStoresBlank)
{
    TIC821FORM* w = open();
    sent();
    range = 1;
    radio->blankMemories = true;
    TMemoryFORM* memory = w->memoryWindow();
    auto* rows = memory->findChild<MemoryModel*>();
    rows->setRecord(0, {QStringLiteral("145.500.000"), QStringLiteral("FM"), QStringLiteral("PLUS"), {}});
    memory->BDownLoadClick();
    EXPECT_TRUE(w->session()->transferring());
    EXPECT_EQ(w->session()->requestState(), 11);
    EXPECT_EQ(sent(), (Frames{enc::memoryCmd(0), enc::memory(1), enc::readMode(), enc::readFreq(),
                              enc::vfo(0), enc::freq(QStringLiteral("014.195.000")), mode(3)} +
                       readBoth()));
    EXPECT_FALSE(memory->Downloading());
    EXPECT_FALSE(w->session()->transferring());
    EXPECT_EQ(w->session()->requestState(), 5);
    const MemRecord r = rows->recordAt(0);
    EXPECT_EQ(r.Freq, QStringLiteral("BLANK"));
    EXPECT_EQ(r.Mode, QString());
    EXPECT_EQ(r.Duplex, QString());
    // The main frequency box keeps what it showed.
    EXPECT_EQ(w->controls().EMainFreq->text(), QStringLiteral("014.195.000"));
}

TEST_F(Ic821, DownloadOfAFilledChannelStoresFrequencyAndMode)
{
    TIC821FORM* w = open();
    sent();
    range = 2;
    radio->freq[0] = QStringLiteral("145.500.000");
    radio->mode[0] = 5;
    TMemoryFORM* memory = w->memoryWindow();
    memory->BDownLoadClick();
    EXPECT_EQ(sent(), (Frames{enc::memoryCmd(0), enc::memory(1), enc::readMode(), enc::readFreq(),
                              enc::memoryCmd(0), enc::memory(2), enc::readMode(), enc::readFreq(),
                              enc::vfo(0), enc::freq(QStringLiteral("014.195.000")), mode(3)} +
                       readBoth()));
    auto* rows = memory->findChild<MemoryModel*>();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(rows->recordAt(i).Freq, QStringLiteral("145.500.000"));
        EXPECT_EQ(rows->recordAt(i).Mode, QStringLiteral("FM"));
    }
    EXPECT_EQ(w->session()->requestState(), 5);
    EXPECT_FALSE(w->session()->transferring());
}

TEST_F(Ic821, ATransferInMemoryModePutsTheChannelBack)
{
    TIC821FORM* w = open();
    pick(w->controls().RGMainVfo, 2);
    w->controls().MainMemChan->setText(QStringLiteral("7"));
    sent();
    range = 1;
    w->memoryWindow()->BDownLoadClick();
    EXPECT_EQ(sent(),
              (Frames{enc::memoryCmd(0), enc::memory(1), enc::readMode(), enc::readFreq(), enc::memoryCmd(0),
                      enc::memory(7), enc::freq(QStringLiteral("014.195.000")), mode(3)} +
               readBoth()));
}

TEST_F(Ic821, NoResponseEndsATransferWithOneBoxAndPutsNothingBack)
{
    TIC821FORM* w = open();
    sent();
    range = 3;
    radio->silent = true;
    TMemoryFORM* memory = w->memoryWindow();
    memory->BDownLoadClick();
    const Frames frames = sent(30000);
    EXPECT_EQ(
        modal.texts(),
        QStringList{QStringLiteral("No Response, Your CIV Interface is Not Connected or is Turned Off")});
    EXPECT_FALSE(w->session()->transferring());
    EXPECT_FALSE(memory->Downloading());
    EXPECT_FALSE(memory->findChild<TLedLittle*>(QStringLiteral("BusyLed"))->Blink());
    ASSERT_FALSE(frames.empty());
    for (const QByteArray& f : frames)
        EXPECT_EQ(f, frames.front());  // the first command and its retries only
}

TEST_F(Ic821, ADownloadTheRadioPartlyRefusesEndsWithOneSummaryBox)
{
    TIC821FORM* w = open();
    sent();
    range = 4;
    radio->refusedChannels = {2, 4};
    TMemoryFORM* memory = w->memoryWindow();
    memory->BDownLoadClick();
    sent(20000);
    // The transfer flag drops before the next channel is asked for, so the NG of
    // the second and later channels raises no box of its own.
    EXPECT_EQ(modal.texts(), QStringList{QStringLiteral("2 channels read, 2 refused by the radio: 2, 4")});
    EXPECT_FALSE(w->session()->transferring());
    EXPECT_FALSE(memory->Downloading());
    EXPECT_EQ(w->session()->requestState(), 5);
}

TEST_F(Ic821, ARadioFallingSilentAfterTheFirstChannelEndsTheDownload)
{
    TIC821FORM* w = open();
    sent();
    range = 3;
    radio->answersLeft = 4;  // the first channel's four commands only
    TMemoryFORM* memory = w->memoryWindow();
    memory->BDownLoadClick();
    sent(30000);
    EXPECT_EQ(
        modal.texts(),
        QStringList{QStringLiteral("No Response, Your CIV Interface is Not Connected or is Turned Off")});
    EXPECT_FALSE(w->session()->transferring());
    EXPECT_FALSE(memory->Downloading());
    EXPECT_FALSE(memory->findChild<TLedLittle*>(QStringLiteral("BusyLed"))->Blink());
    EXPECT_EQ(memory->findChild<MemoryModel*>()->recordAt(0).Freq, QStringLiteral("014.195.000"));
}

TEST_F(Ic821, AnUploadClearsTheChannelOfABlankRow)
{
    TIC821FORM* w = open();
    sent();
    range = 2;
    auto* rows = w->memoryWindow()->findChild<MemoryModel*>();
    rows->setRecord(0, {QStringLiteral("BLANK"), QString(), QString(), {}});
    rows->setRecord(1, {QStringLiteral("145.500.000"), QStringLiteral("FM"), QString(), {}});
    w->memoryWindow()->BUploadClick();
    const Frames frames = sent(12000);
    const Frames upload = {enc::vfo(1),
                           enc::memory(1),
                           enc::memoryCmd(3),
                           enc::memory(2),
                           enc::freq(QStringLiteral("145.500.000")),
                           mode(5),
                           enc::duplex(0),
                           enc::memoryCmd(1)};
    ASSERT_GE(frames.size(), upload.size());
    EXPECT_EQ(Frames(frames.begin(), frames.begin() + upload.size()), upload);
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

TEST_F(Ic821, DoubleClickingARowTunesAndFollowsTheRadioAgain)
{
    TIC821FORM* w = open();
    sent();
    TMemoryFORM* memory = w->memoryWindow();
    auto* rows = memory->findChild<MemoryModel*>();
    rows->setRecord(4, {QStringLiteral("145.500.000"), QStringLiteral("FM"), QString(), {}});
    memory->findChild<MemoryGrid*>()->setCurrentRow(4);
    memory->SGMemoryDblClick();
    EXPECT_EQ(sent(), (Frames{enc::memory(5), enc::freq(QStringLiteral("145.500.000")), mode(5),
                              enc::duplex(0), enc::readFreq(), enc::readMode()}));
    EXPECT_EQ(w->session()->requestState(), 5);
    EXPECT_EQ(w->controls().EMainFreq->maskedText(), QStringLiteral("145.500.000"));
    EXPECT_FALSE(memory->findChild<TLedLittle*>(QStringLiteral("BusyLed"))->Blink());
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

TEST_F(Ic821, ABlankChannelIsSaidInWords)
{
    TIC821FORM* w = open();
    EXPECT_FALSE(w->controls().LMainBlank->isVisibleTo(w));
    radio->blank = true;
    w->controls().BUpdate->click();
    sent();
    EXPECT_TRUE(w->controls().LMainBlank->isVisibleTo(w));
    EXPECT_TRUE(w->controls().LSubBlank->isVisibleTo(w));
    EXPECT_EQ(w->controls().LMainBlank->text(), QStringLiteral("Blank channel"));
    radio->blank = false;
    w->controls().BUpdate->click();
    sent();
    EXPECT_FALSE(w->controls().LMainBlank->isVisibleTo(w));
    EXPECT_FALSE(w->controls().LSubBlank->isVisibleTo(w));
    EXPECT_EQ(w->controls().EMainFreq->maskedText(), QStringLiteral("014.195.000"));
}

TEST_F(Ic821, ClosingWithAnUnsavedMemoryListAsksFirst)
{
    TIC821FORM* w = open();
    auto* rows = w->memoryWindow()->findChild<MemoryModel*>();
    rows->setRecord(0, {QStringLiteral("145.500.000"), QStringLiteral("FM"), QString(), QStringLiteral("x")});
    modal.answers = {Modal::Cancel};
    EXPECT_FALSE(w->close());
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].text,
              QStringLiteral("Save changes to the memory list of IC821 on device [Bench] <Serial>?"));
    EXPECT_FALSE(w->closing());
    modal.answers = {Modal::Discard};
    EXPECT_TRUE(w->close());
}

}  // namespace
