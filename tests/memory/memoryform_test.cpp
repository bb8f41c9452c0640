#include "memorywindow.h"

TEST_F(MemoryWindow, NewWindowHasOneBlankRowAndTheControls)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Memory"));
    EXPECT_EQ(form->NumofMemories(), 1);
    EXPECT_EQ(form->Channel(1), MemRecord{});
    EXPECT_EQ(shownCount(), QStringLiteral("0"));
    EXPECT_EQ(button("BLoad")->text(), QStringLiteral("Load From File"));
    EXPECT_EQ(button("BSave")->text(), QStringLiteral("Save to File"));
    EXPECT_EQ(button("BAdd")->text(), QStringLiteral("ADD"));
    EXPECT_EQ(button("BClear")->text(), QStringLiteral("Clear All"));
    EXPECT_EQ(button("BWrite")->text(), QStringLiteral("Write Memory"));
    EXPECT_EQ(button("BDownLoad")->text(), QStringLiteral("Download"));
    EXPECT_EQ(form->findChild<QLabel*>("TitleLabel")->text(), QStringLiteral("Program Memories"));
    EXPECT_EQ(form->findChild<QLabel*>("BusyLabel")->text(), QStringLiteral("BUSY"));
    EXPECT_FALSE(lamp()->Blink());
    EXPECT_EQ(lamp()->LedColor(), lcBlack);
    EXPECT_EQ(lamp()->ClicLedColor(), lcRed);
    EXPECT_EQ(lamp()->Interval(), 250);

    const MemoryModel& model = form->Memories();
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Freq"));
    EXPECT_EQ(model.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Description"));
    EXPECT_EQ(model.headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("1"));
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(MemoryWindow, GridLooksLikeTheList)
{
    form->show();
    MemoryGrid* grid = this->grid();
    EXPECT_EQ(grid->verticalHeader()->width(), 64);
    EXPECT_GE(grid->columnWidth(0), 64);
    EXPECT_EQ(grid->columnWidth(1), 64);
    EXPECT_EQ(grid->columnWidth(3), 285);
    EXPECT_EQ(grid->rowHeight(0), 18);
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    load(fiveRows);
    // Widths survive a load, which resets the model.
    EXPECT_EQ(grid->columnWidth(3), 285);
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(0, {}));
}

TEST_F(MemoryWindow, NumofMemoriesKeepsRowsAndLeavesTheCountShown)
{
    form->SetNumofMemories(80);
    EXPECT_EQ(form->NumofMemories(), 80);
    EXPECT_EQ(shownCount(), QStringLiteral("0"));
    EXPECT_EQ(form->Memories().headerData(79, Qt::Vertical, Qt::DisplayRole).toString(),
              QStringLiteral("80"));
    load(fiveRows);
    form->SetNumofMemories(3);
    EXPECT_EQ(channels(), QStringLiteral("a|b|c"));
    form->SetNumofMemories(4);
    EXPECT_EQ(channels(), QStringLiteral("a|b|c|"));
    EXPECT_EQ(shownCount(), QStringLiteral("5"));
}

TEST_F(MemoryWindow, InsertKeyOnRowThreeOfFive)
{
    form->show();
    load(fiveRows);
    grid()->setCurrentRow(2);
    QTest::keyClick(grid(), Qt::Key_Insert);
    EXPECT_EQ(channels(), QStringLiteral("a|b||c|d|e"));
    EXPECT_EQ(form->Channel(3), MemRecord{});
    EXPECT_EQ(shownCount(), QStringLiteral("6"));
    EXPECT_EQ(grid()->currentRow(), 2);
    EXPECT_TRUE(modal.boxes.empty());
}

TEST_F(MemoryWindow, DeleteAsksAndRenumbers)
{
    form->show();
    load(fiveRows);
    grid()->setCurrentRow(1);
    modal.answers = {Modal::No};
    QTest::keyClick(grid(), Qt::Key_Delete);
    EXPECT_EQ(channels(), QStringLiteral("a|b|c|d|e"));
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Confirm);
    EXPECT_EQ(modal.boxes[0].text, QStringLiteral("Are you Sure you want to delete this Memory?"));

    button("BDelete")->click();  // any answer but No deletes
    EXPECT_EQ(channels(), QStringLiteral("a|c|d|e"));
    EXPECT_EQ(shownCount(), QStringLiteral("4"));
    EXPECT_EQ(grid()->currentRow(), 1);

    grid()->setCurrentRow(3);
    form->BDeleteClick();
    EXPECT_EQ(channels(), QStringLiteral("a|c|d"));
    EXPECT_EQ(grid()->currentRow(), 2);
}

TEST_F(MemoryWindow, DeletingTheLastRowEmptiesItWithoutAQuestion)
{
    load("145.500.000,FM,MINUS,a\r\n");
    EXPECT_EQ(shownCount(), QStringLiteral("1"));
    form->BDeleteClick();
    EXPECT_TRUE(modal.boxes.empty());
    EXPECT_EQ(form->NumofMemories(), 1);
    EXPECT_EQ(form->Channel(1), MemRecord{});
    EXPECT_EQ(shownCount(), QStringLiteral("0"));
}

TEST_F(MemoryWindow, ClearAllAsks)
{
    load(fiveRows);
    modal.answers = {Modal::No};
    button("BClear")->click();
    EXPECT_EQ(form->NumofMemories(), 5);
    button("BClear")->click();
    EXPECT_EQ(modal.texts(), (QStringList{"Are you Sure you want to Clear All Memories?",
                                          "Are you Sure you want to Clear All Memories?"}));
    EXPECT_EQ(form->NumofMemories(), 1);
    EXPECT_EQ(form->Channel(1), MemRecord{});
    EXPECT_EQ(shownCount(), QStringLiteral("0"));
}

TEST_F(MemoryWindow, DraggingRowFiveAboveRowTwoRenumbers)
{
    form->show();
    load(fiveRows);
    QHeaderView* header = grid()->verticalHeader();
    // The operator drags the channel cell of row 5 onto row 2.
    const int x = header->width() / 2;
    const QPoint from(x, header->sectionViewportPosition(4) + 9);
    const QPoint to(x, header->sectionViewportPosition(1) + 4);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, from);
    for (int y = from.y(); y >= to.y(); y -= 6)
        QTest::mouseMove(header->viewport(), QPoint(x, y));
    QTest::mouseMove(header->viewport(), to);
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, to);

    EXPECT_EQ(channels(), QStringLiteral("a|e|b|c|d"));
    EXPECT_EQ(shownCount(), QStringLiteral("5"));
    // The header shows rows in their own order again, numbered from the top.
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(header->logicalIndex(i), i);
        EXPECT_EQ(form->Memories().headerData(i, Qt::Vertical, Qt::DisplayRole).toString(),
                  QString::number(i + 1));
    }
    EXPECT_EQ(grid()->currentRow(), 1);

    // Downward too.
    header->moveSection(0, 4);
    EXPECT_EQ(channels(), QStringLiteral("e|b|c|d|a"));
}

TEST_F(MemoryWindow, AddInsertsTheDialogsRecordAtTheCurrentRow)
{
    load(fiveRows);
    grid()->setCurrentRow(1);
    // The dialog was left at WFM the last time.
    answerEdit("1", 6, -1, "x", false);
    form->BEditClick();
    answerEdit("1455", -1, 2, "new");
    button("BAdd")->click();
    // The dialog starts reset: CW, and the frequency typed into an empty field.
    EXPECT_EQ(form->Channel(2), (MemRecord{"145.5  .   ", "CW", "PLUS", "new"}));
    EXPECT_EQ(channels(), QStringLiteral("a|new|b|c|d|e"));
    EXPECT_EQ(shownCount(), QStringLiteral("6"));
}

TEST_F(MemoryWindow, CancelInAddAddsNoRow)
{
    load(fiveRows);
    answerEdit("1", 1, 1, "x", false);
    form->BAddClick();
    EXPECT_EQ(channels(), QStringLiteral("a|b|c|d|e"));
    EXPECT_EQ(form->NumofMemories(), 5);
}

TEST_F(MemoryWindow, EditLoadsTheRowAndStoresOnlyOnOk)
{
    load(fiveRows);
    grid()->setCurrentRow(3);  // 007.030.000,CWN,,d
    modal.onDialog = [](QDialog& shown) {
        const EditFields edit(shown);
        EXPECT_EQ(edit.freq->maskedText(), QStringLiteral("007.030.000"));
        EXPECT_EQ(edit.mode->itemIndex(), 1);
        EXPECT_EQ(edit.duplex->itemIndex(), 0);
        EXPECT_EQ(edit.desc->text(), QStringLiteral("d"));
        QTest::keyClick(edit.freq, Qt::Key_Delete);
        QTest::keyClicks(edit.freq, "01");
        return int(Modal::Cancel);
    };
    form->BEditClick();
    EXPECT_EQ(form->Channel(4), (MemRecord{"007.030.000", "CWN", "", "d"}));

    modal.onDialog = [](QDialog& shown) {
        const EditFields edit(shown);
        QTest::keyClicks(edit.freq, "01");
        edit.ok->click();
        return shown.result();
    };
    button("BEdit")->click();
    // The dialog writes its own spelling of the mode and a duplex word.
    EXPECT_EQ(form->Channel(4), (MemRecord{"017.030.000", "CWn", "NONE", "d"}));
}

TEST_F(MemoryWindow, EditingABlankMemoryKeepsTheDialogsLastMode)
{
    load(fiveRows);
    grid()->setCurrentRow(2);  // USB
    modal.onDialog = [](QDialog&) { return int(Modal::Cancel); };
    form->BEditClick();
    grid()->setCurrentRow(4);  // BLANK,,,e
    modal.onDialog = [](QDialog& shown) {
        const EditFields edit(shown);
        EXPECT_EQ(edit.mode->itemIndex(), 3);
        EXPECT_EQ(edit.duplex->itemIndex(), 0);
        EXPECT_EQ(edit.freq->maskedText(), QStringLiteral("   .   .   "));
        return int(Modal::Ok);
    };
    form->BEditClick();
    EXPECT_EQ(form->Channel(5), (MemRecord{"   .   .   ", "USB", "NONE", "e"}));
}

TEST_F(MemoryWindow, SaveWritesEveryRowAndAppendsMem)
{
    load(fiveRows);
    chosen = dir.filePath("radio");
    button("BSave")->click();
    EXPECT_EQ(readFile(dir.filePath("radio.mem")), fiveRows);
    EXPECT_TRUE(modal.boxes.empty());

    chosen = dir.filePath("x.mem.bak");
    form->BSaveClick();
    EXPECT_EQ(readFile(chosen), fiveRows);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[2].first, MemFileChooser::Purpose::Save);
    EXPECT_EQ(asked[2].second, dir.filePath("radio.mem"));  // the dialog starts at the last name
}

TEST_F(MemoryWindow, FileDialogsStartInTheLastFolderUsedElseTheDocumentsFolder)
{
    MemFileChooser::forgetLastFolder();
    chosen.clear();  // cancelled
    form->BLoadClick();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].second, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));

    load(fiveRows);  // chosen in dir
    // Another window, which has chosen nothing yet, starts where this one chose.
    TMemoryFORM other;
    chosen.clear();
    other.ExportCsvClick();
    EXPECT_EQ(asked.back().first, MemFileChooser::Purpose::ExportCsv);
    EXPECT_EQ(QDir(asked.back().second), QDir(dir.path()));
    MemFileChooser::forgetLastFolder();
}

TEST_F(MemoryWindow, LoadReplacesTheListAndCountsLines)
{
    form->SetNumofMemories(80);
    load(fiveRows + "\r\n");
    EXPECT_EQ(form->NumofMemories(), 6);
    EXPECT_EQ(channels(), QStringLiteral("a|b|c|d|e|"));
    EXPECT_EQ(shownCount(), QStringLiteral("6"));
    ASSERT_NE(progress(), nullptr);
    EXPECT_EQ(progress()->findChild<QLineEdit*>("ENumber")->text(), QStringLiteral("6"));
    EXPECT_FALSE(progress()->isVisible());
    EXPECT_EQ(progress()->windowTitle(), QStringLiteral("Reading Memory"));
    EXPECT_EQ(asked.back().first, MemFileChooser::Purpose::Open);
}

TEST_F(MemoryWindow, LoadingAnEmptyFileLeavesNoRows)
{
    load(QByteArray());
    EXPECT_EQ(form->NumofMemories(), 0);
    EXPECT_EQ(shownCount(), QStringLiteral("0"));
    EXPECT_EQ(grid()->currentRow(), -1);
    // Nothing to edit, double click or write; the keys still work.
    form->BEditClick();
    form->SGMemoryDblClick();
    EXPECT_TRUE(modal.dialogs.empty());
    EXPECT_TRUE(panel.sets.empty());
    form->SGMemoryInsert();
    EXPECT_EQ(form->NumofMemories(), 1);
    EXPECT_EQ(shownCount(), QStringLiteral("1"));
}

TEST_F(MemoryWindow, FailedLoadLeavesTheListAndSaysWhy)
{
    load(fiveRows);
    chosen = dir.filePath("missing.mem");
    form->BLoadClick();
    EXPECT_EQ(channels(), QStringLiteral("a|b|c|d|e"));
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Error);
    EXPECT_TRUE(modal.boxes[0].text.startsWith(QStringLiteral("Cannot read \"%1\": ").arg(chosen)));
    EXPECT_GT(modal.boxes[0].text.size(), chosen.size() + 16);
    ASSERT_NE(progress(), nullptr);
    EXPECT_FALSE(progress()->isVisible());
}

TEST_F(MemoryWindow, FailedSaveSaysWhy)
{
    chosen = dir.filePath("no/such/folder/list");
    form->BSaveClick();
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_TRUE(modal.boxes[0].text.startsWith(QStringLiteral("Cannot write \"%1.mem\": ").arg(chosen)));
}

TEST_F(MemoryWindow, CancelledFileDialogsDoNothing)
{
    load(fiveRows);
    chosen.clear();
    form->BLoadClick();
    form->BSaveClick();
    EXPECT_EQ(channels(), QStringLiteral("a|b|c|d|e"));
    EXPECT_TRUE(modal.boxes.empty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"load.mem"});
}

TEST_F(MemoryWindow, DoubleClickTunesToTheRow)
{
    form->show();
    load(fiveRows);
    MemoryGrid* grid = this->grid();
    const QRect cell = grid->visualRect(form->Memories().index(2, 1));
    // A double click arrives as a press and release, then the double click.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_TRUE(panel.sets.empty());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(panel.sets.size(), 1u);
    EXPECT_EQ(panel.sets[0], (FakePanel::Set{true, false, 3, "014.195.000", "USB", "NONE"}));
    EXPECT_TRUE(lamp()->Blink());
}

TEST_F(MemoryWindow, BusyLampBlinksRedAndBlackUntilBusyOff)
{
    load(fiveRows);
    form->SGMemoryDblClick();
    EXPECT_TRUE(lamp()->Blink());
    EXPECT_EQ(lamp()->shownColor(), lcBlack);
    clock.advance(250);
    EXPECT_EQ(lamp()->shownColor(), lcRed);
    clock.advance(250);
    EXPECT_EQ(lamp()->shownColor(), lcBlack);
    clock.advance(250);
    form->BusyOff();
    EXPECT_FALSE(lamp()->Blink());
    EXPECT_EQ(lamp()->shownColor(), lcBlack);
}

TEST_F(MemoryWindow, UnassignedEventsDoNothing)
{
    load(fiveRows);
    form->OnSetMem.unbind();
    form->OnGetMem.unbind();
    form->SGMemoryDblClick();
    answerUpload("1", "5", "1");
    form->BUploadClick();
    answerDownload("1", "5", "1");
    form->BDownLoadClick();
    EXPECT_FALSE(lamp()->Blink());
    EXPECT_FALSE(form->Downloading());
    EXPECT_TRUE(panel.sets.empty());
    EXPECT_TRUE(panel.gets.empty());
}

TEST_F(MemoryWindow, EveryKindOfChangeIsOfferedForSaving)
{
    QWidget owner;
    owner.setWindowTitle("IC756 on device [Shack] <TCP/IP>");
    form = std::make_unique<TMemoryFORM>(&owner);
    panel.bind(form.get());
    // A new list, sized by its panel, holds nothing to lose.
    form->SetNumofMemories(80);
    EXPECT_FALSE(form->Modified());
    EXPECT_TRUE(form->CanClose());
    EXPECT_TRUE(modal.boxes.empty());

    const QString question = "Save changes to the memory list of IC756 on device [Shack] <TCP/IP>?";
    const struct {
        const char* change;
        std::function<void()> make;
    } changes[] = {
        {"edit",
         [this] {
             answerEdit("1455", 5, 0, "calling");
             form->BEditClick();
         }},
        {"add",
         [this] {
             answerEdit("1455", 5, 0, "calling");
             form->BAddClick();
         }},
        {"insert", [this] { form->SGMemoryInsert(); }},
        {"delete",
         [this] {
             form->SGMemoryInsert();
             chosen = dir.filePath("x.mem");
             form->BSaveClick();
             form->BDeleteClick();
         }},
        {"clear", [this] { form->BClearClick(); }},
        {"move",
         [this] {
             form->SGMemoryInsert();
             chosen = dir.filePath("x.mem");
             form->BSaveClick();
             form->SGMemoryRowMoved(0, 1);
         }},
        {"download",
         [this] {
             answerDownload("1", "1", "1");
             form->BDownLoadClick();
             panel.answer();
         }},
    };
    for (const auto& c : changes) {
        load("a,b,c,d\r\n");
        EXPECT_FALSE(form->Modified()) << c.change;
        c.make();
        EXPECT_TRUE(form->Modified()) << c.change;
        modal.boxes.clear();
        modal.answers = {Modal::Cancel};
        EXPECT_FALSE(form->CanClose()) << c.change;
        ASSERT_EQ(modal.boxes.size(), 1u);
        EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Unsaved);
        EXPECT_EQ(modal.boxes[0].text, question);
        EXPECT_TRUE(form->Modified());
    }
}

TEST_F(MemoryWindow, TheUnsavedQuestionCanDiscardSaveOrKeepTheWindow)
{
    QWidget owner;
    owner.setWindowTitle("IC756 on device [Shack] <TCP/IP>");
    form = std::make_unique<TMemoryFORM>(&owner);
    panel.bind(form.get());
    load("a,b,c,d\r\n");
    answerDownload("1", "1", "1");
    form->BDownLoadClick();
    panel.answer();
    modal.boxes.clear();

    // Discard lets it go; the list keeps its changes until it goes.
    modal.answers = {Modal::Discard};
    EXPECT_TRUE(form->CanClose());
    EXPECT_TRUE(form->Modified());

    // Save asks for a file; a cancelled file dialog keeps the window open.
    chosen.clear();
    modal.answers = {Modal::Save};
    EXPECT_FALSE(form->CanClose());
    EXPECT_TRUE(form->Modified());

    // So does a file that cannot be written, after saying why.
    chosen = dir.filePath("no/such/folder/list.mem");
    modal.boxes.clear();
    modal.answers = {Modal::Save};
    EXPECT_FALSE(form->CanClose());
    ASSERT_EQ(modal.boxes.size(), 2u);
    EXPECT_TRUE(modal.boxes[1].text.startsWith("Cannot write"));

    chosen = dir.filePath("kept");
    modal.answers = {Modal::Save};
    EXPECT_TRUE(form->CanClose());
    EXPECT_FALSE(form->Modified());
    EXPECT_EQ(readFile(dir.filePath("kept.mem")), QByteArray("BLANK,,,d\r\n"));
    modal.boxes.clear();
    EXPECT_TRUE(form->CanClose());
    EXPECT_TRUE(modal.boxes.empty());
}

TEST_F(MemoryWindow, ShownMaximisedInTheMainFrameAndMinimisedByClosing)
{
    QMainWindow frame;
    auto* area = new QMdiArea(&frame);
    frame.setCentralWidget(area);
    frame.resize(1000, 800);
    frame.show();
    auto* panelWindow = new QWidget;
    area->addSubWindow(panelWindow)->show();

    QPointer<TMemoryFORM> memory = new TMemoryFORM(panelWindow);
    memory->setWindowTitle("Memory for IC756 on device COM2");
    memory->resize(569, 401);
    memory->ShowWindow();
    QMdiSubWindow* sub = mdiWindowOf(memory);
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->isVisible());
    EXPECT_TRUE(sub->isMaximized());
    EXPECT_EQ(area->subWindowList().size(), 2);

    sub->close();
    ASSERT_TRUE(memory);
    EXPECT_TRUE(sub->isVisible());
    EXPECT_TRUE(sub->isMinimized());
    memory->ShowWindow();
    EXPECT_FALSE(sub->isMinimized());
    EXPECT_TRUE(sub->isMaximized());
    EXPECT_EQ(area->activeSubWindow(), sub);
    EXPECT_EQ(mdiWindowOf(memory), sub);
    EXPECT_EQ(area->subWindowList().size(), 2);

    // Restored, it has the size its panel gave it.
    sub->showNormal();
    EXPECT_EQ(memory->size(), QSize(569, 401));
    sub->close();
    memory->ShowWindow();
    EXPECT_FALSE(sub->isMinimized());
    EXPECT_FALSE(sub->isMaximized());

    // The window goes with its panel, and so does its frame.
    delete panelWindow->parentWidget();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(memory);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area->subWindowList().isEmpty());
}

TEST_F(MemoryWindow, WithoutAMainFrameItIsAWindowOfItsOwn)
{
    QWidget owner;
    auto memory = std::make_unique<TMemoryFORM>(&owner);
    memory->ShowWindow();
    EXPECT_TRUE(memory->isVisible());
    EXPECT_TRUE(memory->isWindow());
    memory->close();
    EXPECT_TRUE(memory->isMinimized());
    memory->ShowWindow();
    EXPECT_TRUE(memory->isVisible());
    EXPECT_FALSE(memory->isMinimized());
}

TEST_F(MemoryWindow, EachWindowsDialogsOfferWhatWasTypedThereLastTime)
{
    load(fiveRows);
    answerUpload("2", "3", "7");
    form->BUploadClick();
    form->BusyOff();
    QStringList offered;
    modal.onDialog = [&offered](QDialog& shown) {
        const RangeFields fields(shown);
        offered << fields.start->text() << fields.ending->text() << fields.target->text();
        return int(Modal::Cancel);
    };
    form->BUploadClick();
    EXPECT_EQ(offered, (QStringList{"2", "3", "7"}));

    // Another window's dialog starts empty, and answering it leaves this one's alone.
    TMemoryFORM other;
    offered.clear();
    other.BUploadClick();
    EXPECT_EQ(offered, (QStringList{"", "", ""}));
    ASSERT_EQ(modal.dialogs.size(), 3u);
    EXPECT_NE(modal.dialogs[2], modal.dialogs[1]);
    offered.clear();
    form->BUploadClick();
    EXPECT_EQ(offered, (QStringList{"2", "3", "7"}));
    EXPECT_EQ(modal.dialogs[3], modal.dialogs[1]);
}
