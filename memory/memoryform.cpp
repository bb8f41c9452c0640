#include "memory/memoryform.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/intconv.h"
#include "core/modal.h"
#include "memfiles/channelcsv.h"
#include "memory/download.h"
#include "memory/errorreport.h"
#include "memory/filechooser.h"
#include "memory/memedit.h"
#include "memory/memopen.h"
#include "memory/memorygrid.h"
#include "memory/memorymodel.h"
#include "memory/singledialog.h"
#include "memory/upload.h"
#include "widgets/ledlittle.h"
#include "widgets/mdichild.h"

namespace {

QPushButton* button(const char* name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TMemoryFORM::TMemoryFORM(QWidget* owner) : owner_(owner), model_(new MemoryModel(this))
{
    setObjectName(QStringLiteral("MemoryFORM"));
    setWindowTitle(QStringLiteral("Memory"));

    Label1 = new QLabel(QStringLiteral("Program Memories"), this);
    QFont font = Label1->font();
    font.setPixelSize(13);
    Label1->setFont(font);
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    Label1->setPalette(palette);

    BLoad = button("BLoad", QStringLiteral("Load From File"), this);
    BSave = button("BSave", QStringLiteral("Save to File"), this);
    BAdd = button("BAdd", QStringLiteral("ADD"), this);
    BEdit = button("BEdit", QStringLiteral("Edit"), this);
    BDelete = button("BDelete", QStringLiteral("Delete"), this);
    BClear = button("BClear", QStringLiteral("Clear All"), this);
    BWrite = button("BWrite", QStringLiteral("Write Memory"), this);
    BUpload = button("BUpload", QStringLiteral("Upload"), this);
    BDownLoad = button("BDownLoad", QStringLiteral("Download"), this);

    Label2 = new QLabel(QStringLiteral("# of Memories"), this);
    ENum = new QLineEdit(this);
    ENum->setObjectName(QStringLiteral("ENum"));
    ENum->setReadOnly(true);
    ENum->setMaximumWidth(64);

    BusyLed = new TLedLittle(this);
    BusyLed->setObjectName(QStringLiteral("BusyLed"));
    BusyLed->setLedColor(lcBlack);
    BusyLed->setClicLedColor(lcRed);
    BusyLed->setInterval(250);
    BusyLed->setBlink(false);
    Label3 = new QLabel(QStringLiteral("BUSY"), this);
    ENum->setAccessibleName(Label2->text());
    BusyLed->setAccessibleName(Label3->text());

    SGMemory = new MemoryGrid(this);
    SGMemory->setModel(model_);
    AImportCsv = new QAction(QStringLiteral("Import CSV..."), this);
    AExportCsv = new QAction(QStringLiteral("Export CSV..."), this);
    SGMemory->addAction(AImportCsv);
    SGMemory->addAction(AExportCsv);
    SGMemory->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* buttons = new QGridLayout;
    buttons->addWidget(BLoad, 0, 0);
    buttons->addWidget(BSave, 1, 0);
    buttons->addWidget(BAdd, 0, 1);
    buttons->addWidget(BEdit, 1, 1);
    buttons->addWidget(BDelete, 0, 2);
    buttons->addWidget(BClear, 1, 2);
    buttons->addWidget(BWrite, 0, 3);
    buttons->addWidget(BUpload, 0, 4);
    buttons->addWidget(BDownLoad, 1, 4);
    auto* status = new QHBoxLayout;
    status->addWidget(Label2);
    status->addWidget(ENum);
    status->addSpacing(24);
    status->addWidget(BusyLed);
    status->addWidget(Label3);
    status->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(buttons);
    layout->addLayout(status);
    layout->addWidget(SGMemory, 1);
    resize(652, 480);

    connect(BLoad, &QPushButton::clicked, this, &TMemoryFORM::BLoadClick);
    connect(BSave, &QPushButton::clicked, this, &TMemoryFORM::BSaveClick);
    connect(BAdd, &QPushButton::clicked, this, &TMemoryFORM::BAddClick);
    connect(BEdit, &QPushButton::clicked, this, &TMemoryFORM::BEditClick);
    connect(BDelete, &QPushButton::clicked, this, &TMemoryFORM::BDeleteClick);
    connect(BClear, &QPushButton::clicked, this, &TMemoryFORM::BClearClick);
    connect(BWrite, &QPushButton::clicked, this, [this] { runReportingErrors([this] { BWriteClick(); }); });
    connect(BUpload, &QPushButton::clicked, this, &TMemoryFORM::BUploadClick);
    connect(BDownLoad, &QPushButton::clicked, this, &TMemoryFORM::BDownLoadClick);
    connect(SGMemory, &QAbstractItemView::doubleClicked, this,
            [this] { runReportingErrors([this] { SGMemoryDblClick(); }); });
    connect(SGMemory, &MemoryGrid::insertPressed, this, &TMemoryFORM::SGMemoryInsert);
    connect(SGMemory, &MemoryGrid::deletePressed, this, &TMemoryFORM::BDeleteClick);
    connect(SGMemory, &MemoryGrid::rowMoved, this, &TMemoryFORM::SGMemoryRowMoved);
    connect(AImportCsv, &QAction::triggered, this, &TMemoryFORM::ImportCsvClick);
    connect(AExportCsv, &QAction::triggered, this, &TMemoryFORM::ExportCsvClick);

    if (owner)
        connect(owner, &QObject::destroyed, this, &QObject::deleteLater);

    Clear();
    // Every change to the rows, whoever makes it, is a change a file does not have.
    const auto changed = [this] { modified_ = true; };
    connect(model_, &QAbstractItemModel::dataChanged, this, changed);
    connect(model_, &QAbstractItemModel::rowsInserted, this, changed);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(model_, &QAbstractItemModel::rowsMoved, this, changed);
    connect(model_, &QAbstractItemModel::modelReset, this, changed);
}

TMemoryFORM::~TMemoryFORM()
{
    // The document window that framed this one would stay behind, empty.
    if (QMdiSubWindow* sub = mdiWindowOf(this))
        sub->deleteLater();
}

int TMemoryFORM::NumofMemories() const { return model_->count(); }

void TMemoryFORM::SetNumofMemories(int n)
{
    // The panel's choice of a size is no edit of the operator's: new rows are
    // blank, and rows a download fills mark the list by their contents.
    const bool modified = modified_;
    const int row = currentRow();
    model_->resize(std::clamp(n, 0, MaxMemories));
    SGMemory->setCurrentRow(std::min(std::max(row, 0), model_->count() - 1));
    modified_ = modified;
}

MemRecord TMemoryFORM::Channel(qint64 n) const
{
    if (n < 1 || n > model_->count())
        return {};
    return model_->recordAt(static_cast<int>(n - 1));
}

int TMemoryFORM::currentRow() const { return SGMemory->currentRow(); }

void TMemoryFORM::Clear()
{
    ENum->setText(QStringLiteral("0"));
    model_->replaceAll(MemRecords(1));
    SGMemory->setCurrentRow(0);
}

void TMemoryFORM::Renumber()
{
    model_->renumber();
    ENum->setText(QString::number(model_->count()));
}

void TMemoryFORM::insertBlankRow()
{
    const int row = std::max(currentRow(), 0);
    model_->insertBlank(row);
    SGMemory->setCurrentRow(row);
    Renumber();
}

void TMemoryFORM::deleteCurrentRow()
{
    if (model_->count() <= 1) {
        Clear();
        return;
    }
    const int row = currentRow();
    if (row < 0)
        return;
    if (!Modal::confirm(QStringLiteral("Are you Sure you want to delete this Memory?")))
        return;
    model_->removeAt(row);
    SGMemory->setCurrentRow(std::min(row, model_->count() - 1));
    Renumber();
}

void TMemoryFORM::SGMemoryInsert() { insertBlankRow(); }

void TMemoryFORM::SGMemoryRowMoved(int from, int to)
{
    model_->moveRecord(from, to);
    SGMemory->setCurrentRow(to);
    Renumber();
}

void TMemoryFORM::BDeleteClick() { deleteCurrentRow(); }

void TMemoryFORM::BClearClick()
{
    if (Modal::confirm(QStringLiteral("Are you Sure you want to Clear All Memories?")))
        Clear();
}

void TMemoryFORM::BAddClick()
{
    if (!MemEditFORM)
        return;
    MemEditFORM->Reset();
    if (Modal::exec(*MemEditFORM) != Modal::Ok)
        return;
    insertBlankRow();
    const int row = currentRow();
    MemRecord record = model_->recordAt(row);
    MemEditFORM->DialogToRecord(&record);
    model_->setRecord(row, record);
}

void TMemoryFORM::BEditClick()
{
    const int row = currentRow();
    if (!MemEditFORM || row < 0)
        return;
    MemEditFORM->RecordToDialog(model_->recordAt(row));
    if (Modal::exec(*MemEditFORM) != Modal::Ok)
        return;
    MemRecord record = model_->recordAt(row);
    MemEditFORM->DialogToRecord(&record);
    model_->setRecord(row, record);
}

void TMemoryFORM::SGMemoryDblClick()
{
    const int row = currentRow();
    if (row < 0)
        return;
    setMem(true, false, row + 1, model_->recordAt(row));
}

void TMemoryFORM::setMem(bool s, bool w, int n, const MemRecord& record)
{
    if (!OnSetMem)
        return;
    BusyLed->setBlink(true);
    if (w) {
        writing_ = true;
        drained_ = false;
    }
    // The record is a copy: the handler may change the list.
    OnSetMem(s, w, n, record.Freq, record.Mode, record.Duplex);
}

void TMemoryFORM::BusyOff()
{
    BusyLed->setBlink(false);
    drained_ = true;
    // The panel says so whenever its queue runs dry, which may happen between two
    // memories of an upload: only the last one ends the transfer.
    if (writing_ && !queuing_)
        endTransfer();
}

void TMemoryFORM::AbortTransfer()
{
    BusyLed->setBlink(false);
    const bool running = downloading_ || writing_;
    writing_ = false;
    if (downloading_) {
        Renumber();
        FReadMem = 0;
        FReadLast = 0;
        FReadRow = 0;
        downloading_ = false;
    }
    if (running)
        OnTransferEnd();
}

void TMemoryFORM::endTransfer()
{
    writing_ = false;
    OnTransferEnd();
}

bool TMemoryFORM::CanClose()
{
    if (!modified_)
        return true;
    const QString list = owner_ ? owner_->windowTitle() : windowTitle();
    switch (Modal::askSave(QStringLiteral("Save changes to the memory list of %1?").arg(list))) {
    case Modal::Save: return saveList();
    case Modal::Discard: return true;
    default: return false;
    }
}

void TMemoryFORM::BWriteClick()
{
    if (!SingleUpload || Modal::exec(*SingleUpload) != Modal::Ok)
        return;
    int n = 0;
    if (!tryStrToInt(SingleUpload->ENumber->text(), &n))
        return;
    // The one memory goes as a transfer of its own: the radio is put back afterwards.
    writeChannels(currentRow() + 1, 1, n);
}

void TMemoryFORM::BUploadClick()
{
    if (!UploadFORM || Modal::exec(*UploadFORM) != Modal::Ok)
        return;
    QPointer<TMemoryFORM> alive(this);
    try {
        const int start = strToInt(UploadFORM->EStart->text());
        const int ending = strToInt(UploadFORM->EEnding->text());
        const int radio = strToInt(UploadFORM->EStartRadio->text());
        if (!uploadRangeInList(start, ending)) {
            // Rows the list does not have would go out as empty memories, and a
            // huge ending would queue commands without end.
            Modal::error(QStringLiteral("Invalid Value on UploadFORM"));
            return;
        }
        writeChannels(start, std::max<qint64>(qint64(ending) - start + 1, 1), radio);
    } catch (const EConvertError&) {
        // The upload ends where the error arose; the radio keeps what it got.
    }
}

void TMemoryFORM::writeChannels(qint64 first, qint64 count, int radio)
{
    QPointer<TMemoryFORM> alive(this);
    queuing_ = true;
    setMem(false, true, radio, Channel(first));
    for (qint64 k = 1; k < count; ++k) {
        // The panel may go, or give the transfer up, while it takes a memory.
        if (!alive || !OnSetMem || !writing_)
            break;
        setMem(true, true, static_cast<int>(radio + k), Channel(first + k));
    }
    if (!alive)
        return;
    queuing_ = false;
    if (writing_ && drained_)
        endTransfer();
}

bool TMemoryFORM::uploadRangeInList(qint64 start, qint64 ending) const
{
    const qint64 rows = model_->count();
    return start >= 1 && start <= rows && ending <= rows;
}

void TMemoryFORM::BDownLoadClick()
{
    if (downloading_) {
        // A download whose panel stopped answering would otherwise wait forever.
        if (Modal::confirm(QStringLiteral("A Download is in progress. Do you want to cancel it?")))
            cancelDownload();
        return;
    }
    if (!DownloadFORM || Modal::exec(*DownloadFORM) != Modal::Ok || !OnGetMem)
        return;
    BusyLed->setBlink(true);
    try {
        FReadMem = strToInt(DownloadFORM->EStart->text());
        FReadLast = strToInt(DownloadFORM->EEnding->text());
        FReadRow = strToInt(DownloadFORM->EStartProg->text());
        downloading_ = true;
        OnGetMem(FReadMem);
    } catch (const EConvertError&) {
        // Ends the command; the lamp goes on blinking.
    }
}

void TMemoryFORM::StoreMem(const QString& f, const QString& m, const QString& o)
{
    // A memory nobody asked for (late, after a cancel) is not stored.
    if (!downloading_)
        return;
    if (FReadRow < 1 || FReadRow > MaxMemories) {
        // No such row: the list must not take the header's place or grow without end.
        Modal::error(QStringLiteral("Error During Download"));
        return;
    }
    if (FReadRow > model_->count()) {
        SetNumofMemories(FReadRow);
        Renumber();
    }
    MemRecord record = model_->recordAt(FReadRow - 1);
    record.Freq = f;
    record.Mode = m;
    record.Duplex = o;
    model_->setRecord(FReadRow - 1, record);
    SGMemory->viewport()->repaint();
    try {
        if (FReadMem >= FReadLast) {
            endDownload();
            QPointer<TMemoryFORM> alive(this);
            if (OnGetMem)
                OnGetMem(0);
            if (alive)
                OnTransferEnd();
        } else {
            ++FReadMem;
            ++FReadRow;
            if (OnGetMem)
                OnGetMem(FReadMem);
        }
    } catch (const EConvertError&) {
        // No further request goes out; the lamp goes on blinking.
        Modal::error(QStringLiteral("Error During Download"));
    }
}

void TMemoryFORM::endDownload()
{
    BusyLed->setBlink(false);
    Renumber();
    FReadMem = 0;
    downloading_ = false;
}

void TMemoryFORM::cancelDownload()
{
    BusyLed->setBlink(false);
    FReadMem = 0;
    FReadLast = 0;
    FReadRow = 0;
    downloading_ = false;
    QPointer<TMemoryFORM> alive(this);
    if (OnGetMem)
        OnGetMem(0);
    if (alive)
        OnTransferEnd();
}

void TMemoryFORM::BLoadClick()
{
    const QString name = MemFileChooser::choose(this, MemFileChooser::Purpose::Open, lastFile_);
    if (name.isEmpty())
        return;
    lastFile_ = name;
    QPointer<TMemOpenFORM> progress = MemOpenFORM;
    if (progress)
        progress->Start();

    QByteArray bytes;
    QString why;
    if (!loadMemFile(name, &bytes, &why)) {
        if (progress)
            progress->Finish();
        Modal::error(QStringLiteral("Cannot read \"%1\": %2").arg(name, why));
        return;
    }
    MemRecords records = readMemFile(bytes, [&progress](int line) {
        if (progress)
            progress->SetCount(line);
    });
    if (progress)
        progress->SetCount(static_cast<int>(records.size()), true);

    model_->replaceAll(std::move(records));
    SGMemory->setCurrentRow(0);
    if (progress)
        progress->Finish();
    Renumber();
    modified_ = false;
}

void TMemoryFORM::BSaveClick() { saveList(); }

bool TMemoryFORM::saveList()
{
    QString name = MemFileChooser::choose(this, MemFileChooser::Purpose::Save, lastFile_);
    if (name.isEmpty())
        return false;
    name = memFileSaveName(name);
    lastFile_ = name;
    QString why;
    if (!saveMemFile(name, writeMemFile(model_->records()), &why)) {
        Modal::error(QStringLiteral("Cannot write \"%1\": %2").arg(name, why));
        return false;
    }
    modified_ = false;
    return true;
}

void TMemoryFORM::ImportCsvClick()
{
    const QString name = MemFileChooser::choose(this, MemFileChooser::Purpose::ImportCsv, lastCsvFile_);
    if (name.isEmpty())
        return;
    lastCsvFile_ = name;
    QByteArray bytes;
    QString why;
    if (!loadMemFile(name, &bytes, &why)) {
        Modal::error(QStringLiteral("Cannot read \"%1\": %2").arg(name, why));
        return;
    }
    CsvImport list = importChannelCsv(bytes);
    if (!list.readable) {
        Modal::error(QStringLiteral("Cannot import \"%1\", line %2: %3.")
                         .arg(name)
                         .arg(list.problem.line)
                         .arg(list.problem.reason));
        return;
    }
    model_->replaceAll(std::move(list.records));
    SGMemory->setCurrentRow(0);
    Renumber();
    Modal::info(list.summary());
}

void TMemoryFORM::ExportCsvClick()
{
    QString name = MemFileChooser::choose(this, MemFileChooser::Purpose::ExportCsv, lastCsvFile_);
    if (name.isEmpty())
        return;
    if (!name.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        name += QLatin1String(".csv");
    lastCsvFile_ = name;
    const CsvExport list = exportChannelCsv(model_->records());
    QString why;
    if (!saveMemFile(name, list.bytes, &why)) {
        Modal::error(QStringLiteral("Cannot write \"%1\": %2").arg(name, why));
        return;
    }
    if (!list.complete())
        Modal::info(list.summary());
}

void TMemoryFORM::ShowWindow()
{
    if (QMdiSubWindow* sub = mdiWindowOf(this)) {
        show();
        // Brought back from its icon as it was before, maximised or not.
        if (sub->isMinimized()) {
            if (maximisedBeforeIcon_)
                sub->showMaximized();
            else
                sub->showNormal();
        }
        sub->show();
        if (QMdiArea* area = sub->mdiArea())
            area->setActiveSubWindow(sub);
        return;
    }
    const QSize wanted = size();
    if (QMdiSubWindow* sub = showAsMdiChild(owner_ ? owner_->window() : nullptr, this)) {
        // Restored from maximised it takes the panel's size, not the area's own.
        sub->resize(sub->size() - size() + wanted);
        sub->showMaximized();
        return;
    }
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void TMemoryFORM::closeEvent(QCloseEvent* event)
{
    // The window lives as long as its panel; closing only makes it an icon.
    event->ignore();
    if (QMdiSubWindow* sub = mdiWindowOf(this)) {
        if (!sub->isMinimized())
            maximisedBeforeIcon_ = sub->isMaximized();
        sub->showMinimized();
    } else {
        showMinimized();
    }
}
