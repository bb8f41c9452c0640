#include <QPointer>
#include <algorithm>
#include <optional>

#include "core/intconv.h"
#include "core/modal.h"
#include "memory/download.h"
#include "memory/memoryform.h"
#include "memory/memorygrid.h"
#include "memory/memorymodel.h"
#include "memory/singledialog.h"
#include "memory/upload.h"
#include "widgets/ledlittle.h"

// The memory window's transfers: tuning to a row, writing rows to the radio's
// memories and reading the radio's memories into the list, one memory at a time
// through the panel.

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
    busyLamp_->setBlink(true);
    if (w) {
        writing_ = true;
        drained_ = false;
    }
    // The record is a copy: the handler may change the list.
    OnSetMem(s, w, n, record.Freq, record.Mode, record.Duplex);
}

void TMemoryFORM::BusyOff()
{
    busyLamp_->setBlink(false);
    drained_ = true;
    // The panel says so whenever its queue runs dry, which may happen between two
    // memories of an upload: only the last one ends the transfer.
    if (writing_ && !queuing_)
        endTransfer();
}

void TMemoryFORM::AbortTransfer()
{
    busyLamp_->setBlink(false);
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

void TMemoryFORM::BWriteClick()
{
    TSingleUpload& dialog = ownWindow(writeDialog_);
    if (Modal::exec(dialog) != Modal::Ok)
        return;
    const std::optional<SingleWriteTarget> target = dialog.target();
    if (!target)
        return;
    // The one memory goes as a transfer of its own: the radio is put back afterwards.
    writeChannels(currentRow() + 1, 1, target->radioMemory);
}

void TMemoryFORM::BUploadClick()
{
    TUploadFORM& dialog = ownWindow(uploadDialog_);
    if (Modal::exec(dialog) != Modal::Ok)
        return;
    // OK lets only whole numbers through.
    const std::optional<UploadRange> range = dialog.range();
    if (!range)
        return;
    if (!uploadRangeInList(range->firstRow, range->lastRow)) {
        // Rows the list does not have would go out as empty memories, and a
        // huge ending would queue commands without end.
        Modal::error(QStringLiteral("Invalid Value on UploadFORM"));
        return;
    }
    const qint64 count = std::max<qint64>(qint64(range->lastRow) - range->firstRow + 1, 1);
    try {
        writeChannels(range->firstRow, count, range->firstRadioMemory);
    } catch (const EConvertError&) {
        // The panel could not convert a memory it was handed: the upload ends
        // where the error arose; the radio keeps what it got.
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
    TDownloadFORM& dialog = ownWindow(downloadDialog_);
    dialog.setRadioMemories(radioMemories_);
    if (Modal::exec(dialog) != Modal::Ok || !OnGetMem)
        return;
    // OK lets only whole numbers through.
    const std::optional<DownloadRange> range = dialog.range();
    if (!range)
        return;
    busyLamp_->setBlink(true);
    FReadMem = range->firstRadioMemory;
    FReadLast = range->lastRadioMemory;
    FReadRow = range->firstRow;
    downloading_ = true;
    try {
        OnGetMem(FReadMem);
    } catch (const EConvertError&) {
        // The panel could not make the request: the command ends, the lamp goes
        // on blinking.
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
    grid_->viewport()->repaint();
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
        // The panel could not make the request: no further one goes out; the
        // lamp goes on blinking.
        Modal::error(QStringLiteral("Error During Download"));
    }
}

void TMemoryFORM::endDownload()
{
    busyLamp_->setBlink(false);
    Renumber();
    FReadMem = 0;
    downloading_ = false;
}

void TMemoryFORM::cancelDownload()
{
    busyLamp_->setBlink(false);
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
