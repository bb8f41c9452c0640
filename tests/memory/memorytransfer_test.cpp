#include "memorywindow.h"

TEST_F(MemoryWindow, UploadSendsTheRangeToConsecutiveRadioMemories)
{
    load(fiveRows);
    answerUpload("3", "5", "10");
    button("BUpload")->click();
    using S = FakePanel::Set;
    EXPECT_EQ(panel.sets, (std::vector<S>{{false, true, 10, "014.195.000", "USB", "NONE"},
                                          {true, true, 11, "007.030.000", "CWN", ""},
                                          {true, true, 12, "BLANK", "", ""}}));
    EXPECT_TRUE(lamp()->Blink());
    // The panel says the radio is through.
    form->BusyOff();
    EXPECT_FALSE(lamp()->Blink());
}

TEST_F(MemoryWindow, UploadEdges)
{
    load(fiveRows);
    using S = FakePanel::Set;
    // An ending below the start sends only the start.
    answerUpload("2", "1", "7");
    form->BUploadClick();
    EXPECT_EQ(panel.sets, (std::vector<S>{{false, true, 7, "146.520.000", "FM", "NONE"}}));
    // The last row is the last one sent.
    panel.sets.clear();
    answerUpload("4", "5", "1");
    form->BUploadClick();
    EXPECT_EQ(panel.sets,
              (std::vector<S>{{false, true, 1, "007.030.000", "CWN", ""}, {true, true, 2, "BLANK", "", ""}}));
    // Cancel sends nothing.
    panel.sets.clear();
    answerUpload("1", "5", "1", false);
    form->BUploadClick();
    EXPECT_TRUE(panel.sets.empty());
    // So does a field that is not a number: the dialog refuses OK.
    answerUpload("1", "5", "one");
    form->BUploadClick();
    EXPECT_TRUE(panel.sets.empty());
    EXPECT_EQ(modal.texts(), QStringList{"Invalid Value on UploadFORM"});
}

TEST_F(MemoryWindow, UploadOfRowsTheListDoesNotHaveIsRefused)
{
    load(fiveRows);
    const struct {
        const char* start;
        const char* ending;
    } refused[] = {{"5", "7"}, {"1", "100000000"}, {"6", "6"}, {"6", "1"}, {"0", "3"}, {"-2", "-1"}};
    for (const auto& r : refused) {
        modal.boxes.clear();
        answerUpload(r.start, r.ending, "1");
        form->BUploadClick();
        EXPECT_EQ(modal.texts(), QStringList{"Invalid Value on UploadFORM"}) << r.start << ".." << r.ending;
    }
    EXPECT_TRUE(panel.sets.empty());
    EXPECT_FALSE(lamp()->Blink());
}

TEST_F(MemoryWindow, ConversionErrorInThePanelEndsTheUploadSilently)
{
    load(fiveRows);
    panel.throwOnSet = 1;
    answerUpload("1", "5", "1");
    form->BUploadClick();
    EXPECT_EQ(panel.sets.size(), 2u);
    EXPECT_TRUE(modal.boxes.empty());
}

TEST_F(MemoryWindow, PanelMayCloseTheWindowDuringAnUpload)
{
    load(fiveRows);
    form->OnSetMem.bind([this](bool, bool, int n, const QString&, const QString&, const QString&) {
        panel.sets.push_back({});
        if (n == 2)
            form.reset();
    });
    answerUpload("1", "5", "1");
    form->BUploadClick();
    EXPECT_EQ(panel.sets.size(), 2u);
}

TEST_F(MemoryWindow, WriteMemoryStoresTheCurrentRowIntoOneRadioMemory)
{
    load(fiveRows);
    grid()->setCurrentRow(1);
    answerSingleWrite("42");
    button("BWrite")->click();
    ASSERT_EQ(panel.sets.size(), 1u);
    EXPECT_EQ(panel.sets[0], (FakePanel::Set{false, true, 42, "146.520.000", "FM", "NONE"}));
    EXPECT_TRUE(lamp()->Blink());

    // Not a number: nothing, and no message.
    answerSingleWrite("4x");
    form->BWriteClick();
    modal.onDialog = [](QDialog&) { return int(Modal::Cancel); };
    form->BWriteClick();
    EXPECT_EQ(panel.sets.size(), 1u);
    EXPECT_TRUE(modal.boxes.empty());
}

TEST_F(MemoryWindow, ConversionErrorsOfATuneOrWriteGetTheGeneralReport)
{
    load(fiveRows);
    panel.throwOnSet = 0;
    answerSingleWrite("3");
    button("BWrite")->click();
    panel.throwOnSet = 1;
    EXPECT_THROW(form->SGMemoryDblClick(), EConvertError);
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].caption, QStringLiteral("TSLN"));
    EXPECT_EQ(modal.boxes[0].text, QStringLiteral("'145.500.000' is not a valid integer value."));
}

TEST_F(MemoryWindow, DownloadReadsOneMemoryAtATimeAndGrowsTheList)
{
    panel.radio = {{5, {"145.500.000", "FM"}}, {6, {"007.030.000", "CWN"}}};
    answerDownload("5", "7", "1");
    button("BDownLoad")->click();
    EXPECT_TRUE(lamp()->Blink());
    EXPECT_TRUE(form->Downloading());
    EXPECT_EQ(panel.gets, std::vector<int>{5});

    panel.answer();
    EXPECT_EQ(panel.gets, (std::vector<int>{5, 6}));
    panel.answer();
    EXPECT_EQ(form->NumofMemories(), 2);
    EXPECT_EQ(shownCount(), QStringLiteral("2"));
    panel.answer();  // memory 7 is empty

    EXPECT_EQ(panel.gets, (std::vector<int>{5, 6, 7, 0}));
    EXPECT_EQ(form->NumofMemories(), 3);
    EXPECT_EQ(form->Channel(1), (MemRecord{"145.500.000", "FM", "", ""}));
    EXPECT_EQ(form->Channel(2), (MemRecord{"007.030.000", "CWN", "", ""}));
    EXPECT_EQ(form->Channel(3), (MemRecord{"BLANK", "", "", ""}));
    EXPECT_EQ(shownCount(), QStringLiteral("3"));
    EXPECT_FALSE(lamp()->Blink());
    EXPECT_FALSE(form->Downloading());
    EXPECT_EQ(form->ReadMem(), 0);
    EXPECT_TRUE(modal.boxes.empty());
}

TEST_F(MemoryWindow, DownloadIntoExistingRowsKeepsTheirDescriptions)
{
    load(fiveRows);
    answerDownload("9", "9", "4");
    form->BDownLoadClick();
    panel.answer();
    EXPECT_EQ(panel.gets, (std::vector<int>{9, 0}));
    EXPECT_EQ(form->Channel(4), (MemRecord{"BLANK", "", "", "d"}));
    EXPECT_EQ(form->NumofMemories(), 5);
}

TEST_F(MemoryWindow, DownloadDialogRefusalStartsNothing)
{
    answerDownload("5", "7", "x");
    form->BDownLoadClick();
    EXPECT_EQ(modal.texts(), QStringList{"Invalid Value on UploadFORM"});
    EXPECT_TRUE(panel.gets.empty());
    EXPECT_FALSE(lamp()->Blink());
    EXPECT_FALSE(form->Downloading());
}

TEST_F(MemoryWindow, DownloadRefusesMemoriesTheRadioDoesNotHave)
{
    form->setRadioMemories(99);
    for (const auto& [start, ending] :
         {std::pair{"516", "600"}, std::pair{"98", "120"}, std::pair{"0", "5"}}) {
        modal.boxes.clear();
        answerDownload(start, ending, "1");
        form->BDownLoadClick();
        EXPECT_EQ(modal.texts(), QStringList{"The radio's memories run from 1 to 99."}) << start;
        EXPECT_TRUE(panel.gets.empty()) << start;
        EXPECT_FALSE(lamp()->Blink());
        EXPECT_FALSE(form->Downloading());
    }
    modal.boxes.clear();
    answerDownload("97", "99", "1");
    form->BDownLoadClick();
    EXPECT_TRUE(modal.boxes.empty());
    EXPECT_EQ(panel.gets, std::vector<int>{97});
    EXPECT_TRUE(form->Downloading());
}

TEST_F(MemoryWindow, ConversionErrorWhileAskingForTheNextMemoryStopsTheDownload)
{
    panel.throwOnGet = 1;
    answerDownload("1", "3", "1");
    form->BDownLoadClick();
    panel.answer();
    EXPECT_EQ(modal.texts(), QStringList{"Error During Download"});
    EXPECT_EQ(panel.gets, (std::vector<int>{1, 2}));
    EXPECT_TRUE(lamp()->Blink());
    EXPECT_EQ(form->Channel(1).Freq, QStringLiteral("BLANK"));
}

TEST_F(MemoryWindow, ConversionErrorInTheFirstRequestIsSilent)
{
    panel.throwOnGet = 0;
    answerDownload("1", "3", "1");
    form->BDownLoadClick();
    EXPECT_TRUE(modal.boxes.empty());
    EXPECT_TRUE(lamp()->Blink());
}

TEST_F(MemoryWindow, ProgramRowsOutsideTheListStopTheDownload)
{
    answerDownload("1", "3", "0");
    form->BDownLoadClick();
    panel.answer();
    EXPECT_EQ(modal.texts(), QStringList{"Error During Download"});
    EXPECT_EQ(panel.gets, std::vector<int>{1});
    EXPECT_EQ(form->NumofMemories(), 1);
    EXPECT_EQ(form->Memories().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Freq"));
}

TEST_F(MemoryWindow, StalledDownloadCanBeCancelled)
{
    answerDownload("1", "3", "1");
    form->BDownLoadClick();
    panel.answer();
    ASSERT_EQ(panel.gets, (std::vector<int>{1, 2}));

    // The radio never answers memory 2. Pressing Download asks first.
    modal.answers = {Modal::No};
    form->BDownLoadClick();
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Confirm);
    EXPECT_TRUE(form->Downloading());
    EXPECT_EQ(modal.dialogs.size(), 1u);  // no new download dialog

    form->BDownLoadClick();
    EXPECT_FALSE(form->Downloading());
    EXPECT_FALSE(lamp()->Blink());
    EXPECT_EQ(panel.gets, (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(form->ReadMem(), 0);

    // A late answer is dropped; the next Download starts afresh.
    form->StoreMem("145.500.000", "FM", "");
    EXPECT_EQ(form->NumofMemories(), 1);
    EXPECT_EQ(panel.gets.size(), 3u);
    form->BDownLoadClick();
    EXPECT_EQ(modal.dialogs.size(), 2u);
    EXPECT_EQ(panel.gets.back(), 1);
}

TEST_F(MemoryWindow, TransferGivenUpByThePanelKeepsWhatArrived)
{
    panel.radio = {{1, {"145.500.000", "FM"}}};
    answerDownload("1", "3", "1");
    form->BDownLoadClick();
    panel.answer();
    ASSERT_EQ(panel.gets, (std::vector<int>{1, 2}));

    // The radio stopped answering; the panel says so and gives up.
    form->AbortTransfer();
    EXPECT_FALSE(lamp()->Blink());
    EXPECT_FALSE(form->Downloading());
    EXPECT_EQ(form->ReadMem(), 0);
    EXPECT_EQ(form->NumofMemories(), 1);
    EXPECT_EQ(shownCount(), QStringLiteral("1"));
    EXPECT_EQ(form->Channel(1), (MemRecord{"145.500.000", "FM", "", ""}));
    EXPECT_EQ(panel.gets, (std::vector<int>{1, 2}));  // the panel is asked nothing more
    form->StoreMem("146.520.000", "FM", "");          // a late answer is dropped
    EXPECT_EQ(form->NumofMemories(), 1);
    EXPECT_TRUE(modal.boxes.empty());

    // An upload given up: the lamp goes out.
    load(fiveRows);
    answerUpload("1", "5", "1");
    form->BUploadClick();
    EXPECT_TRUE(lamp()->Blink());
    form->AbortTransfer();
    EXPECT_FALSE(lamp()->Blink());
    EXPECT_EQ(form->NumofMemories(), 5);
}

namespace {

// One way of running a transfer and the requests and ends it must come to.
struct TransferCase {
    const char* name;
    bool busyOffOnSet;
    std::function<void()> run;
    QStringList log;
};

}  // namespace

class WholeTransfers : public MemoryWindow {
protected:
    void check(const std::vector<TransferCase>& cases)
    {
        for (const auto& c : cases) {
            load(fiveRows);
            panel.log.clear();
            panel.busyOffOnSet = c.busyOffOnSet;
            c.run();
            EXPECT_EQ(panel.log, c.log) << c.name;
            EXPECT_FALSE(form->Writing()) << c.name;
            EXPECT_FALSE(form->Downloading()) << c.name;
        }
    }
};

TEST_F(WholeTransfers, AWriteEndsOnceAfterItsLastMemory)
{
    const auto writeOne = [this] {
        answerSingleWrite("9");
        form->BWriteClick();
    };
    const auto uploadThree = [this] {
        answerUpload("1", "3", "7");
        form->BUploadClick();
    };
    check({
        {"upload, radio through after each memory", true, uploadThree, {"set 7", "set 8", "set 9", "end"}},
        {"upload, radio through at the end",
         false,
         [&] {
             uploadThree();
             form->BusyOff();
         },
         {"set 7", "set 8", "set 9", "end"}},
        {"write memory",
         false,
         [&] {
             writeOne();
             form->BusyOff();
             form->BusyOff();
         },
         {"set 9", "end"}},
        {"tune by double click",
         false,
         [&] {
             grid()->setCurrentRow(1);
             form->SGMemoryDblClick();
             form->BusyOff();
         },
         {"set 2"}},
        {"upload given up",
         false,
         [&] {
             uploadThree();
             form->AbortTransfer();
             form->BusyOff();
         },
         {"set 7", "set 8", "set 9", "end"}},
    });
}

TEST_F(WholeTransfers, ADownloadEndsOnceAfterItsLastMemory)
{
    const auto downloadThree = [this] {
        answerDownload("1", "3", "1");
        form->BDownLoadClick();
    };
    check({
        {"download",
         false,
         [&] {
             downloadThree();
             panel.answer();
             panel.answer();
             panel.answer();
         },
         {"get 1", "get 2", "get 3", "get 0", "end"}},
        {"download cancelled",
         false,
         [&] {
             downloadThree();
             panel.answer();
             modal.answers = {Modal::Yes};
             form->BDownLoadClick();
         },
         {"get 1", "get 2", "get 0", "end"}},
        {"download given up",
         false,
         [&] {
             downloadThree();
             form->AbortTransfer();
             form->AbortTransfer();
         },
         {"get 1", "end"}},
        {"nothing running",
         false,
         [&] {
             form->AbortTransfer();
             form->BusyOff();
         },
         {}},
    });
}

TEST_F(MemoryWindow, PanelAnsweringAtOnceStillGetsOneRequestAtATime)
{
    panel.radio = {{1, {"145.500.000", "FM"}}, {2, {"146.520.000", "FM"}}};
    form->OnGetMem.bind([this](int n) {
        panel.gets.push_back(n);
        if (n > 0)
            panel.answer();
    });
    answerDownload("1", "2", "3");
    form->BDownLoadClick();
    EXPECT_EQ(panel.gets, (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(form->NumofMemories(), 4);
    EXPECT_EQ(form->Channel(4).Freq, QStringLiteral("146.520.000"));
    EXPECT_FALSE(form->Downloading());
}
