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

#include "core/modal.h"
#include "memfiles/channelcsv.h"
#include "memory/errorreport.h"
#include "memory/filechooser.h"
#include "memory/memedit.h"
#include "memory/memopen.h"
#include "memory/memorygrid.h"
#include "memory/memorymodel.h"
#include "widgets/ledlittle.h"
#include "widgets/mdichild.h"

TMemoryFORM::TMemoryFORM(QWidget* owner) : owner_(owner), model_(new MemoryModel(this))
{
    setObjectName(QStringLiteral("MemoryFORM"));
    setWindowTitle(QStringLiteral("Memory"));

    auto* title = new QLabel(QStringLiteral("Program Memories"), this);
    title->setObjectName(QStringLiteral("TitleLabel"));
    QFont font = title->font();
    font.setPixelSize(13);
    title->setFont(font);
    QPalette palette = title->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    title->setPalette(palette);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    buildControls(layout);
    buildGrid();
    layout->addWidget(grid_, 1);
    resize(652, 480);

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

QPushButton* TMemoryFORM::button(const char* name, const QString& caption, std::function<void()> click)
{
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, std::move(click));
    return b;
}

void TMemoryFORM::buildControls(QBoxLayout* layout)
{
    auto* buttons = new QGridLayout;
    buttons->addWidget(button("BLoad", QStringLiteral("Load From File"), [this] { BLoadClick(); }), 0, 0);
    buttons->addWidget(button("BSave", QStringLiteral("Save to File"), [this] { BSaveClick(); }), 1, 0);
    buttons->addWidget(button("BAdd", QStringLiteral("ADD"), [this] { BAddClick(); }), 0, 1);
    buttons->addWidget(button("BEdit", QStringLiteral("Edit"), [this] { BEditClick(); }), 1, 1);
    buttons->addWidget(button("BDelete", QStringLiteral("Delete"), [this] { BDeleteClick(); }), 0, 2);
    buttons->addWidget(button("BClear", QStringLiteral("Clear All"), [this] { BClearClick(); }), 1, 2);
    buttons->addWidget(button("BWrite", QStringLiteral("Write Memory"),
                              [this] { runReportingErrors([this] { BWriteClick(); }); }),
                       0, 3);
    buttons->addWidget(button("BUpload", QStringLiteral("Upload"), [this] { BUploadClick(); }), 0, 4);
    buttons->addWidget(button("BDownLoad", QStringLiteral("Download"), [this] { BDownLoadClick(); }), 1, 4);

    auto* countLabel = new QLabel(QStringLiteral("# of Memories"), this);
    countField_ = new QLineEdit(this);
    countField_->setObjectName(QStringLiteral("ENum"));
    countField_->setReadOnly(true);
    countField_->setMaximumWidth(64);
    countField_->setAccessibleName(countLabel->text());

    busyLamp_ = new TLedLittle(this);
    busyLamp_->setObjectName(QStringLiteral("BusyLed"));
    busyLamp_->setLedColor(lcBlack);
    busyLamp_->setClicLedColor(lcRed);
    busyLamp_->setInterval(250);
    busyLamp_->setBlink(false);
    auto* busyLabel = new QLabel(QStringLiteral("BUSY"), this);
    busyLabel->setObjectName(QStringLiteral("BusyLabel"));
    busyLamp_->setAccessibleName(busyLabel->text());

    auto* status = new QHBoxLayout;
    status->addWidget(countLabel);
    status->addWidget(countField_);
    status->addSpacing(24);
    status->addWidget(busyLamp_);
    status->addWidget(busyLabel);
    status->addStretch();
    layout->addLayout(buttons);
    layout->addLayout(status);
}

void TMemoryFORM::buildGrid()
{
    grid_ = new MemoryGrid(this);
    grid_->setModel(model_);
    auto* importCsv = new QAction(QStringLiteral("Import CSV..."), this);
    importCsv->setObjectName(QStringLiteral("ImportCsvAction"));
    auto* exportCsv = new QAction(QStringLiteral("Export CSV..."), this);
    exportCsv->setObjectName(QStringLiteral("ExportCsvAction"));
    grid_->addAction(importCsv);
    grid_->addAction(exportCsv);
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);

    connect(grid_, &QAbstractItemView::doubleClicked, this,
            [this] { runReportingErrors([this] { SGMemoryDblClick(); }); });
    connect(grid_, &MemoryGrid::insertPressed, this, &TMemoryFORM::SGMemoryInsert);
    connect(grid_, &MemoryGrid::deletePressed, this, &TMemoryFORM::BDeleteClick);
    connect(grid_, &MemoryGrid::rowMoved, this, &TMemoryFORM::SGMemoryRowMoved);
    connect(importCsv, &QAction::triggered, this, &TMemoryFORM::ImportCsvClick);
    connect(exportCsv, &QAction::triggered, this, &TMemoryFORM::ExportCsvClick);
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
    grid_->setCurrentRow(std::min(std::max(row, 0), model_->count() - 1));
    modified_ = modified;
}

MemRecord TMemoryFORM::Channel(qint64 n) const
{
    if (n < 1 || n > model_->count())
        return {};
    return model_->recordAt(static_cast<int>(n - 1));
}

int TMemoryFORM::currentRow() const { return grid_->currentRow(); }

void TMemoryFORM::Clear()
{
    countField_->setText(QStringLiteral("0"));
    model_->replaceAll(MemRecords(1));
    grid_->setCurrentRow(0);
}

void TMemoryFORM::Renumber()
{
    model_->renumber();
    countField_->setText(QString::number(model_->count()));
}

void TMemoryFORM::insertBlankRow()
{
    const int row = std::max(currentRow(), 0);
    model_->insertBlank(row);
    grid_->setCurrentRow(row);
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
    grid_->setCurrentRow(std::min(row, model_->count() - 1));
    Renumber();
}

void TMemoryFORM::SGMemoryInsert() { insertBlankRow(); }

void TMemoryFORM::SGMemoryRowMoved(int from, int to)
{
    model_->moveRecord(from, to);
    grid_->setCurrentRow(to);
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
    TMemEditFORM& dialog = ownWindow(editDialog_);
    dialog.Reset();
    if (Modal::exec(dialog) != Modal::Ok)
        return;
    insertBlankRow();
    model_->setRecord(currentRow(), dialog.record());
}

void TMemoryFORM::BEditClick()
{
    const int row = currentRow();
    if (row < 0)
        return;
    TMemEditFORM& dialog = ownWindow(editDialog_);
    dialog.RecordToDialog(model_->recordAt(row));
    if (Modal::exec(dialog) != Modal::Ok)
        return;
    model_->setRecord(row, dialog.record());
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

void TMemoryFORM::BLoadClick()
{
    const QString name = MemFileChooser::choose(this, MemFileChooser::Purpose::Open, lastFile_);
    if (name.isEmpty())
        return;
    lastFile_ = name;
    TMemOpenFORM& progress = ownWindow(readingWindow_);
    progress.Start();

    QByteArray bytes;
    QString why;
    if (!loadMemFile(name, &bytes, &why)) {
        progress.Finish();
        Modal::error(QStringLiteral("Cannot read \"%1\": %2").arg(name, why));
        return;
    }
    MemRecords records = readMemFile(bytes, [&progress](int line) { progress.SetCount(line); });
    progress.SetCount(static_cast<int>(records.size()), true);

    model_->replaceAll(std::move(records));
    grid_->setCurrentRow(0);
    progress.Finish();
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
    grid_->setCurrentRow(0);
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
