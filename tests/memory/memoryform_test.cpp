#include "memory/memoryform.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <map>
#include <memory>

#include "core/intconv.h"
#include "core/timer.h"
#include "memfiles/printers.h"
#include "memory/download.h"
#include "memory/filechooser.h"
#include "memory/freqedit.h"
#include "memory/memedit.h"
#include "memory/memopen.h"
#include "memory/memorygrid.h"
#include "memory/memorymodel.h"
#include "memory/radiogroup.h"
#include "memory/singledialog.h"
#include "memory/upload.h"
#include "support/memorydialogs.h"
#include "support/modalrecorder.h"
#include "widgets/ledlittle.h"
#include "widgets/mdichild.h"

namespace {

// The panel's side of the memory window, as the radio panels do it: requests
// are recorded, and memories are handed back when the test says the radio has
// answered.
struct FakePanel {
    struct Set {
        bool s;
        bool w;
        int n;
        QString f, m, o;
        bool operator==(const Set&) const = default;
    };

    TMemoryFORM* form = nullptr;
    std::vector<Set> sets;
    std::vector<int> gets;
    std::map<int, std::pair<QString, QString>> radio;  // memory -> frequency, mode
    int throwOnSet = -1;                               // throws on this request (0-based)
    int throwOnGet = -1;
    // The radio works through each memory before the next is handed over.
    bool busyOffOnSet = false;
    // Requests and transfer ends in the order they came: "set 3", "get 2", "end".
    QStringList log;

    void bind(TMemoryFORM* f)
    {
        form = f;
        f->OnSetMem.bind(this, &FakePanel::MemorySetRequest);
        f->OnGetMem.bind(this, &FakePanel::MemoryGetRequest);
        f->OnTransferEnd.bind([this] { log << QStringLiteral("end"); });
    }

    void MemorySetRequest(bool s, bool w, int n, const QString& f, const QString& m, const QString& o)
    {
        sets.push_back({s, w, n, f, m, o});
        log << QStringLiteral("set %1").arg(n);
        if (int(sets.size()) - 1 == throwOnSet)
            throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(f));
        if (busyOffOnSet)
            form->BusyOff();
    }

    void MemoryGetRequest(int n)
    {
        gets.push_back(n);
        log << QStringLiteral("get %1").arg(n);
        if (int(gets.size()) - 1 == throwOnGet)
            throw EConvertError(QStringLiteral("'' is not a valid integer value"));
    }

    // The engine has read the memory last asked for.
    void answer()
    {
        const auto it = radio.find(gets.back());
        if (it == radio.end())
            form->StoreMem(QStringLiteral("BLANK"), QString(), QString());
        else
            form->StoreMem(it->second.first, it->second.second, QString());
    }
};

class MemoryWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        MemFileChooser::setChooser(
            [this](QWidget*, MemFileChooser::Purpose purpose, const QString& previous) {
                asked.push_back({purpose, previous});
                return chosen;
            });
        panel.bind(form.get());
    }

    void TearDown() override { MemFileChooser::setChooser({}); }

    // The operator fills the Upload or Download dialog and presses OK (or Cancel).
    template <class Dialog>
    void answerRange(const QString& start, const QString& ending, const QString& to, bool ok = true)
    {
        modal.onDialog = [=](QDialog& shown) {
            EXPECT_NE(qobject_cast<Dialog*>(&shown), nullptr);
            const RangeFields dialog(shown);
            const QSignalBlocker a(dialog.start), b(dialog.ending), c(dialog.count);
            dialog.start->setText(start);
            dialog.ending->setText(ending);
            dialog.count->setText("1");
            dialog.target->setText(to);
            (ok ? dialog.ok : dialog.cancel)->click();
            return shown.result();
        };
    }
    void answerUpload(const QString& start, const QString& ending, const QString& to, bool ok = true)
    {
        answerRange<TUploadFORM>(start, ending, to, ok);
    }
    void answerDownload(const QString& start, const QString& ending, const QString& to, bool ok = true)
    {
        answerRange<TDownloadFORM>(start, ending, to, ok);
    }

    void answerEdit(const QString& digits, int mode, int duplex, const QString& desc, bool ok = true)
    {
        modal.onDialog = [=](QDialog& shown) {
            EXPECT_NE(qobject_cast<TMemEditFORM*>(&shown), nullptr);
            const EditFields edit(shown);
            if (!digits.isNull()) {
                edit.freq->setMaskedText(QString());
                QTest::keyClicks(edit.freq, digits);
            }
            if (mode >= 0)
                edit.mode->setItemIndex(mode);
            if (duplex >= 0)
                edit.duplex->setItemIndex(duplex);
            if (!desc.isNull())
                edit.desc->setText(desc);
            (ok ? edit.ok : edit.cancel)->click();
            return shown.result();
        };
    }

    // The operator writes the current row into radio memory n with Write Memory.
    void answerSingleWrite(const QString& n)
    {
        modal.onDialog = [=](QDialog& shown) {
            EXPECT_NE(qobject_cast<TSingleUpload*>(&shown), nullptr);
            const SingleWriteFields single(shown);
            single.radioMemory->setText(n);
            single.ok->click();
            return shown.result();
        };
    }

    // The window's parts, found as a test finds them.
    MemoryGrid* grid() const { return form->findChild<MemoryGrid*>(); }
    TLedLittle* lamp() const { return form->findChild<TLedLittle*>(QStringLiteral("BusyLed")); }
    // The count of memories shown above the grid.
    QString shownCount() const { return form->findChild<QLineEdit*>(QStringLiteral("ENum"))->text(); }
    QPushButton* button(const char* name) const { return form->findChild<QPushButton*>(QLatin1String(name)); }
    QAction* action(const char* name) const { return form->findChild<QAction*>(QLatin1String(name)); }
    // The Reading Memory window, once a load has made it.
    TMemOpenFORM* progress() const { return form->findChild<TMemOpenFORM*>(); }

    QString channels() const
    {
        QStringList list;
        for (int i = 1; i <= form->NumofMemories(); ++i)
            list << form->Channel(i).Description;
        return list.join(QLatin1Char('|'));
    }

    QString writeFile(const char* name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(QLatin1String(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    QByteArray readFile(const QString& path)
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        return f.readAll();
    }

    // Records with descriptions a, b, c ... loaded from a file.
    void load(const QByteArray& bytes)
    {
        chosen = writeFile("load.mem", bytes);
        form->BLoadClick();
    }

    FakeClock clock;
    ModalRecorder modal;
    std::unique_ptr<TMemoryFORM> form = std::make_unique<TMemoryFORM>();
    FakePanel panel;
    QTemporaryDir dir;
    QString chosen;
    std::vector<std::pair<MemFileChooser::Purpose, QString>> asked;
};

const QByteArray fiveRows =
    "145.500.000,FM,MINUS,a\r\n"
    "146.520.000,FM,NONE,b\r\n"
    "014.195.000,USB,NONE,c\r\n"
    "007.030.000,CWN,,d\r\n"
    "BLANK,,,e\r\n";

}  // namespace

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

TEST_F(MemoryWindow, AWholeTransferEndsOnceAfterItsLastMemory)
{
    const auto writeOne = [this] {
        answerSingleWrite("9");
        form->BWriteClick();
    };
    const auto uploadThree = [this] {
        answerUpload("1", "3", "7");
        form->BUploadClick();
    };
    const auto downloadThree = [this] {
        answerDownload("1", "3", "1");
        form->BDownLoadClick();
    };
    const struct {
        const char* name;
        bool busyOffOnSet;
        std::function<void()> run;
        QStringList log;
    } cases[] = {
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
        {"upload given up",
         false,
         [&] {
             uploadThree();
             form->AbortTransfer();
             form->BusyOff();
         },
         {"set 7", "set 8", "set 9", "end"}},
        {"nothing running",
         false,
         [&] {
             form->AbortTransfer();
             form->BusyOff();
         },
         {}},
    };
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

TEST_F(MemoryWindow, UnsavedChangesAreOfferedForSaving)
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

namespace {

const QByteArray csvHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
    "CrossMode,Mode,TStep,Skip,Comment\r\n";

}  // namespace

TEST_F(MemoryWindow, GridContextMenuOffersCsvImportAndExport)
{
    EXPECT_EQ(grid()->contextMenuPolicy(), Qt::ActionsContextMenu);
    QStringList texts;
    for (QAction* action : grid()->actions())
        texts << action->text();
    EXPECT_EQ(texts, (QStringList{"Import CSV...", "Export CSV..."}));

    chosen.clear();
    action("ImportCsvAction")->trigger();
    action("ExportCsvAction")->trigger();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].first, MemFileChooser::Purpose::ImportCsv);
    EXPECT_EQ(asked[1].first, MemFileChooser::Purpose::ExportCsv);
    // Cancelled: nothing changed, nothing written, nothing said.
    EXPECT_EQ(form->NumofMemories(), 1);
    EXPECT_TRUE(modal.boxes.empty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(MemoryWindow, ImportCsvReplacesTheListAndSumsUpInOneBox)
{
    load(fiveRows);
    chosen = writeFile("list.csv",
                       "\xEF\xBB\xBF"
                       "Location,Name,Frequency,Duplex,Offset,Tone,Mode,Comment\r\n"
                       "1,\"Club, north\",146.940000,-,0.600000,Tone,NFM,\"the \"\"old\"\" one\"\r\n"
                       "3,,14.195,,0,,USB,\r\n"
                       "4,Bad,banana,,0,,FM,\r\n");
    action("ImportCsvAction")->trigger();

    EXPECT_EQ(form->NumofMemories(), 3);
    EXPECT_EQ(form->Channel(1), (MemRecord{"146.940.000", "FM", "MINUS", "Club, north - the \"old\" one"}));
    EXPECT_EQ(form->Channel(2), MemRecord{});
    EXPECT_EQ(form->Channel(3), (MemRecord{"014.195.000", "USB", "NONE", ""}));
    EXPECT_EQ(shownCount(), QStringLiteral("3"));
    EXPECT_EQ(grid()->currentRow(), 0);
    EXPECT_EQ(grid()->model()->headerData(2, Qt::Vertical).toString(), QStringLiteral("3"));
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Info);
    EXPECT_EQ(modal.boxes[0].text,
              QStringLiteral("2 channels imported.\n"
                             "Dropped, as a memory channel cannot hold them: 1 offset, 1 tone.\n"
                             "Changed:\n  line 2: mode NFM became FM\n"
                             "Not imported:\n  line 4: frequency \"banana\" is not one a memory holds "
                             "(0.010000 to 9999.999999 MHz)\n"));
}

TEST_F(MemoryWindow, UnreadableCsvLeavesTheListAndSaysWhy)
{
    load(fiveRows);
    chosen = writeFile("list.csv", "Location,Name,Freq\r\n1,a,146.52\r\n");
    form->ImportCsvClick();
    chosen = dir.filePath("missing.csv");
    form->ImportCsvClick();

    EXPECT_EQ(channels(), QStringLiteral("a|b|c|d|e"));
    ASSERT_EQ(modal.boxes.size(), 2u);
    EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Error);
    EXPECT_EQ(modal.boxes[0].text, QStringLiteral("Cannot import \"%1\", line 1: the header line names no "
                                                  "Frequency column.")
                                       .arg(dir.filePath("list.csv")));
    EXPECT_EQ(modal.boxes[1].kind, Modal::Kind::Error);
    EXPECT_TRUE(modal.boxes[1].text.startsWith(QStringLiteral("Cannot read \"%1\": ").arg(chosen)));
}

TEST_F(MemoryWindow, ExportCsvWritesTheListAndComesBackTheSame)
{
    load(
        "145.500.000,FM,MINUS,Club - output\r\n"
        ",,,\r\n"
        "007.030.000,CWn,PLUS,\"quoted\", and more\r\n"
        "1296.000.000,USB,NONE,EME\r\n");
    chosen = dir.filePath("list");
    action("ExportCsvAction")->trigger();
    EXPECT_TRUE(modal.boxes.empty());
    EXPECT_EQ(
        readFile(dir.filePath("list.csv")),
        csvHeader +
            "1,Club,145.500000,-,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,output\r\n"
            "3,\"\"\"quoted\"\", and more\",7.030000,+,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NCW,5.00,,"
            "\r\n"
            "4,EME,1296.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,USB,5.00,,\r\n");

    const MemRecords before = form->Memories().records();
    form->Clear();
    chosen = dir.filePath("list.csv");
    form->ImportCsvClick();
    EXPECT_EQ(form->Memories().records(), before);
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].text, QStringLiteral("3 channels imported.\n"));
    EXPECT_EQ(asked.back().second, dir.filePath("list.csv"));  // the dialog starts at the last CSV name
}

TEST_F(MemoryWindow, ExportCsvSaysWhatItLeftOut)
{
    load("BLANK,,,kept\r\n014.195.000,PSK,NONE,dx\r\n");
    chosen = dir.filePath("out.CSV");
    form->ExportCsvClick();
    EXPECT_TRUE(QFile::exists(chosen));
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Info);
    EXPECT_EQ(modal.boxes[0].text, QStringLiteral("1 channel exported.\nLeft out or changed:\n"
                                                  "  channel 1: \"BLANK\" is no frequency; left out\n"
                                                  "  channel 2: mode \"PSK\" has no CSV name; left empty\n"));

    chosen = dir.filePath("no/such/folder/out.csv");
    form->ExportCsvClick();
    ASSERT_EQ(modal.boxes.size(), 2u);
    EXPECT_EQ(modal.boxes[1].kind, Modal::Kind::Error);
    EXPECT_TRUE(modal.boxes[1].text.startsWith(QStringLiteral("Cannot write \"%1\": ").arg(chosen)));
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
