#include "memory/memoryform.h"

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

    SGMemory = new MemoryGrid(this);
    SGMemory->setModel(model_);

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

    if (owner)
        connect(owner, &QObject::destroyed, this, &QObject::deleteLater);

    Clear();
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
    const int row = currentRow();
    model_->resize(std::clamp(n, 0, MaxMemories));
    SGMemory->setCurrentRow(std::min(std::max(row, 0), model_->count() - 1));
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
    // The record is a copy: the handler may change the list.
    OnSetMem(s, w, n, record.Freq, record.Mode, record.Duplex);
}

void TMemoryFORM::BusyOff() { BusyLed->setBlink(false); }

void TMemoryFORM::BWriteClick()
{
    if (!SingleUpload || Modal::exec(*SingleUpload) != Modal::Ok)
        return;
    int n = 0;
    if (!tryStrToInt(SingleUpload->ENumber->text(), &n))
        return;
    setMem(false, true, n, model_->recordAt(currentRow()));
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
        setMem(false, true, radio, Channel(start));
        for (qint64 k = 1; k <= qint64(ending) - start; ++k) {
            if (!alive || !OnSetMem)
                return;
            setMem(true, true, static_cast<int>(radio + k), Channel(start + k));
        }
    } catch (const EConvertError&) {
        // The upload ends where the error arose; the radio keeps what it got.
    }
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
            if (OnGetMem)
                OnGetMem(0);
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
    if (OnGetMem)
        OnGetMem(0);
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
}

void TMemoryFORM::BSaveClick()
{
    QString name = MemFileChooser::choose(this, MemFileChooser::Purpose::Save, lastFile_);
    if (name.isEmpty())
        return;
    name = memFileSaveName(name);
    lastFile_ = name;
    QString why;
    if (!saveMemFile(name, writeMemFile(model_->records()), &why))
        Modal::error(QStringLiteral("Cannot write \"%1\": %2").arg(name, why));
}

void TMemoryFORM::ShowWindow()
{
    if (QMdiSubWindow* sub = mdiWindowOf(this)) {
        show();
        sub->show();
        if (QMdiArea* area = sub->mdiArea())
            area->setActiveSubWindow(sub);
        return;
    }
    const QSize wanted = size();
    if (QMdiSubWindow* sub = showAsMdiChild(owner_ ? owner_->window() : nullptr, this)) {
        // The document area gives new windows a size of its own; keep the panel's.
        sub->resize(sub->size() - size() + wanted);
        sub->show();
        return;
    }
    raise();
    activateWindow();
}

void TMemoryFORM::closeEvent(QCloseEvent* event)
{
    // The window lives as long as its panel; closing only puts it out of sight.
    event->ignore();
    if (QMdiSubWindow* sub = mdiWindowOf(this))
        sub->hide();
    else
        hide();
}
