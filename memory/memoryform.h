#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "core/event.h"
#include "memfiles/memfile.h"

class MemoryGrid;
class MemoryModel;
class QBoxLayout;
class QLineEdit;
class QPushButton;
class TDownloadFORM;
class TLedLittle;
class TMemEditFORM;
class TMemOpenFORM;
class TSingleUpload;
class TUploadFORM;

// "Memory": a radio panel's list of memory channels on the computer. It knows
// nothing of radios; it asks its panel through OnSetMem and OnGetMem and the
// panel answers through StoreMem and BusyOff.
class TMemoryFORM : public QWidget {
    Q_OBJECT

public:
    // s: false for the first memory of an operation (the panel prepares the
    // radio); w: true to write the memory, false only to tune to it; n: the
    // radio's memory channel; f, m, o: frequency, mode and duplex texts.
    using TOnSetMem = Event<bool, bool, int, const QString&, const QString&, const QString&>;
    // n >= 1: read radio memory n and hand it back through StoreMem; 0: the
    // download has ended.
    using TOnGetMem = Event<int>;
    // A whole transfer has ended: the last memory of an upload, a write or a
    // download is done, or the transfer was cancelled or given up. Raised once
    // per transfer, after the panel heard the last BusyOff or OnGetMem (0).
    using TOnTransferEnd = Event<>;

    // Rows a download may grow the list to; memories for rows outside 1 to this
    // stop the download with "Error During Download".
    static constexpr int MaxMemories = 1000000;

    // The window is destroyed with its owner (or earlier, by the owner).
    explicit TMemoryFORM(QWidget* owner = nullptr);
    ~TMemoryFORM() override;

    int NumofMemories() const;
    // The radio's memories run from 1 to count (its panel tells); Download
    // refuses others. 0, the start: not known, nothing refused.
    void setRadioMemories(int count) { radioMemories_ = count; }
    int radioMemories() const { return radioMemories_; }
    // Makes the list n rows: rows up to n keep their contents, new ones are blank.
    void SetNumofMemories(int n);

    TOnSetMem OnSetMem;
    TOnGetMem OnGetMem;
    TOnTransferEnd OnTransferEnd;

    // One memory read by the panel during a download: fills the next row and asks
    // for the next memory, or ends the download.
    void StoreMem(const QString& f, const QString& m, const QString& o);
    // The radio has worked through what the panel queued.
    void BusyOff();
    // The panel gave a transfer up (the radio stopped answering): the lamp goes
    // out, and a running download ends where it is, keeping the rows that arrived.
    // The panel is not asked for anything more.
    void AbortTransfer();

    // True while the list holds changes that no file has (edits, downloads, a
    // cleared or imported list); loading or saving a file makes it false.
    bool Modified() const { return modified_; }
    // Asked before the list goes with its panel or the program: unsaved changes
    // are offered for saving ("Save changes to the memory list of ...?", Save,
    // Discard, Cancel). False when the operator cancels or the save does not
    // happen; whatever was closing then stays open.
    bool CanClose();

    // Shows the window: a document window of the owner's main frame the first
    // time, the same window brought back later.
    void ShowWindow();

    bool Downloading() const { return downloading_; }
    // True from the first memory an upload or write hands to the panel until the
    // radio has worked through the last one.
    bool Writing() const { return writing_; }
    int ReadMem() const { return FReadMem; }
    int ReadLast() const { return FReadLast; }
    int ReadRow() const { return FReadRow; }

    const MemoryModel& Memories() const { return *model_; }
    // The record of a channel (1-based), blank outside the list.
    MemRecord Channel(qint64 n) const;

    void BLoadClick();
    void BSaveClick();
    void BAddClick();
    void BEditClick();
    void BDeleteClick();
    void BClearClick();
    void BWriteClick();
    void BUploadClick();
    void BDownLoadClick();
    void SGMemoryDblClick();
    void SGMemoryInsert();
    void SGMemoryRowMoved(int from, int to);
    // Replaces the list like a load, then sums up what could not come over.
    void ImportCsvClick();
    void ExportCsvClick();

    // One blank row, the count "0" (until the next renumbering).
    void Clear();
    void Renumber();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The buttons, the count and the lamp above the grid.
    void buildControls(QBoxLayout* layout);
    // The grid and its context menu: channel lists in CSV, as other programs keep them.
    void buildGrid();
    QPushButton* button(const char* name, const QString& caption, std::function<void()> click);
    // The window's own dialogs and its reading window are made on first use and
    // kept, so each dialog offers what the operator typed into it last time.
    template <class Window>
    Window& ownWindow(Window*& kept)
    {
        if (!kept)
            kept = new Window(this);
        return *kept;
    }

    // The current row (0-based) or -1.
    int currentRow() const;
    void insertBlankRow();
    void deleteCurrentRow();
    void setMem(bool s, bool w, int n, const MemRecord& record);
    // Hands memories first to first + count - 1 of the list to radio memories
    // from radio on, as one transfer.
    void writeChannels(qint64 first, qint64 count, int radio);
    void endTransfer();
    // Saves the list under a name the operator chooses; false when the choice is
    // cancelled or the file cannot be written (the operator is told why).
    bool saveList();
    // Whether an upload's rows lie in the list; an ending below the start sends
    // only the start.
    bool uploadRangeInList(qint64 start, qint64 ending) const;
    void cancelDownload();
    void endDownload();

    QPointer<QWidget> owner_;
    // The number of rows, as of the last renumbering.
    QLineEdit* countField_ = nullptr;
    TLedLittle* busyLamp_ = nullptr;
    MemoryGrid* grid_ = nullptr;
    TMemEditFORM* editDialog_ = nullptr;
    TUploadFORM* uploadDialog_ = nullptr;
    TDownloadFORM* downloadDialog_ = nullptr;
    TSingleUpload* writeDialog_ = nullptr;
    TMemOpenFORM* readingWindow_ = nullptr;
    MemoryModel* model_;
    QString lastFile_;
    QString lastCsvFile_;

    int radioMemories_ = 0;
    int FReadMem = 0;
    int FReadLast = 0;
    int FReadRow = 0;
    bool downloading_ = false;
    bool writing_ = false;
    // While memories are being handed over, a BusyOff does not end the transfer.
    bool queuing_ = false;
    // The radio has worked through every memory handed over so far.
    bool drained_ = false;
    bool modified_ = false;
    bool maximisedBeforeIcon_ = true;
};
