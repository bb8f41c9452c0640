#pragma once

#include <QObject>
#include <QTextStream>
#include <memory>
#include <vector>

#include "civ/civcodes.h"
#include "memfiles/memfile.h"
#include "radio/radiosession.h"
#include "tools/ctloptions.h"

class CtlLink;
class QEventLoop;
class QSaveFile;

// tsln-ctl's download and upload: memory channels between the radio and a list
// file, through the radio session the panels' memory windows use. The radio's
// frequency and mode are read first and given back afterwards, as a panel gives
// back what it shows.
class CtlMemory : public QObject {
    Q_OBJECT

public:
    // err: where the channels and failures are told; terminal: it is one, so a line
    // updated in place tells them.
    CtlMemory(const CtlOptions& options, QTextStream& out, QTextStream& err, bool terminal);
    ~CtlMemory() override;

    // 0 done, 1 the radio refused a channel or did not answer, 2 a file that
    // cannot be read or written, or a link that cannot be opened or broke.
    int run();

private:
    enum class Phase { Reading, Transfer, PuttingBack };

    bool loadList();
    bool openDestination();
    bool openLink();
    void openSession();
    // The radio's band, frequency and mode before anything changes.
    void readRadio();
    void radioRead(bool blank);
    void startTransfer();
    void uploadAll();
    void channelRead(bool blank);
    void allWritten();
    // Upload: channels whose commands are all through, told as they come.
    void tellWritten(int queued);
    void tellChannel(int index, const QString& what);
    void notified(civ::Notify::Code t, int q);
    void failed(civ::Error::Code e, int d);
    void givenUp(civ::Error::Code e, int d);
    void ended(const TransferSummary& summary);
    bool saveList();
    void fail(int status, const QString& why);
    void finish(int status);

    bool download() const { return options_.transfer.direction == CtlTransfer::Download; }
    int firstChannel() const { return options_.transfer.first > 0 ? options_.transfer.first : 1; }

    CtlOptions options_;
    QTextStream& out_;
    QTextStream& err_;
    bool terminal_;
    std::unique_ptr<QSaveFile> destination_;
    std::unique_ptr<CtlLink> link_;
    RadioSession* session_ = nullptr;
    QEventLoop* loop_ = nullptr;
    Phase phase_ = Phase::Reading;
    BandSnapshot before_;
    // The list: an upload's rows, or the channels a download has read so far.
    MemRecords rows_;
    int count_ = 0;  // channels the transfer goes through
    // Upload: the engine's commands for channels 1..k of the transfer, for each k.
    std::vector<int> ends_;
    int queued_ = 0;
    int told_ = 0;
    TransferSummary summary_;
    bool finished_ = false;
    int status_ = 0;
};
