#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "civ/civcodes.h"
#include "civ/rigmodel.h"
#include "radio/requeststep.h"

class Tciv;
class Tdevice;

// What a window showed of one band when a memory transfer began, given back to
// the radio when the transfer ends.
struct BandSnapshot {
    enum Channel { VfoMode, VfoA, VfoB, Memory };
    int band = civ::Band::Main;
    Channel channel = VfoMode;
    int memory = 0;  // the channel selected again in memory mode; 0: none
    QString freq;    // sent again when it is a frequency
    int mode = -1;   // the engine's mode number sent again; -1: none
};

// One channel a memory window writes: the channel selected, its frequency, mode
// and duplex set, and with store the write command. A blank frequency ("BLANK"
// or nothing) with store clears the channel instead.
struct MemoryWrite {
    bool single = false;  // not the first channel of a transfer: the radio is prepared already
    bool store = true;    // false: only tune to the channel, then read the radio back
    int channel = 0;
    QString freq;
    int mode = -1;    // the engine's mode number; -1: none sent
    int duplex = -1;  // civ::Duplex; -1: none sent
};

// What a memory transfer came to, told once when it ends.
struct TransferSummary {
    bool writing = false;  // an upload or a write; false: a download
    int channels = 0;      // channels the transfer went through
    QList<int> refused;    // channels the radio refused (NG), each once, in order
    // "12 channels written, 3 refused by the radio: 4, 9, 11"
    QString text() const;
};

// One radio as one window (or the rig server, or tsln-ctl) works it: the model's
// engine, registered with its device for as long as the session lives, the link
// watched, what was asked last (the request state) and what the answers mean,
// the read-back of a frequency the radio refused, and memory transfers, from the
// first channel to putting the radio back as it was.
//
// The session tells what happened through its signals; the window shows it. A
// handler may destroy the session's owner (a window closing itself); the session
// stops touching itself once gone.
class RadioSession : public QObject {
    Q_OBJECT

public:
    // What follows an engine error the radio raised over a frequency.
    enum class ReadBack {
        None,          // nothing: the caller answers for itself (rig server, tsln-ctl)
        SelectedBand,  // the selected band is read again (the panels)
        AllBands,      // both bands are read again (the IC-821 window)
    };

    // Makes the model's engine, sending through device, registers its receive
    // handler with the device and watches the link. device must outlive the
    // session. Registration fails when the device's table is full; the device
    // has told the operator, and the session stays quiet.
    RadioSession(RigModel model, Tdevice& device, QObject* parent = nullptr);
    ~RadioSession() override;

    bool isRegistered() const { return registration_ != 0; }
    // The device's handle for the engine's receive handler; 0 when refused.
    int registration() const { return registration_; }
    Tciv* engine() const { return engine_; }
    Tdevice& device() const { return device_; }
    RigModel model() const { return model_; }
    bool dualBand() const;

    void setReadBack(ReadBack readBack) { readBack_ = readBack; }

    // The band the engine has selected: main on one-band radios.
    bool subSelected() const;
    // Selects the band when it is not selected already (dual-band radios only).
    void selectBand(int band);

    int requestState() const { return state_; }
    void setRequestState(int state) { state_ = state; }
    // Reads both bands (sub first, ending on main) or the one band.
    void readAll();
    // Reads the selected band's frequency, then its mode.
    void readSelected();

    // Memory transfers. The snapshot source tells what to put back when the
    // transfer ends; without one the radio is left as the transfer leaves it.
    bool transferring() const { return transfer_; }
    void setSnapshotSource(std::function<BandSnapshot()> source) { snapshot_ = std::move(source); }
    // A blank frequency clears the channel; a frequency that does not convert is
    // never followed by the write, so the radio never stores what its VFO holds.
    void writeMemory(const MemoryWrite& write);
    // Whether a channel's frequency text means an empty channel.
    static bool isBlankFrequency(const QString& freq);
    // Reads channel; 0 or less ends a transfer with nothing more asked.
    void readMemory(int channel);
    // The whole transfer has ended: puts the radio back once and reads every band,
    // then tells what the transfer came to.
    void finishTransfer();

signals:
    void bandSelected(int band);
    // The engine's Freq holds the frequency read, unless blank.
    void frequencyRead(int band, bool blank);
    // The engine's mode holds the mode read, unless blank.
    void modeRead(int band, bool blank);
    // A transfer's channel is read (the engine's Freq and mode), or blank.
    void memoryRead(bool blank);
    // A transfer's channel write is through.
    void memoryWritten();
    // Every notification, after the session has acted on it.
    void notified(civ::Notify::Code t, int q);
    // An engine error outside a transfer; a read-back follows where asked for.
    void failed(civ::Error::Code e, int d);
    // The engine gave a transfer up (nothing answered): nothing more will come
    // and nothing is put back.
    void transferGivenUp(civ::Error::Code e, int d);
    // A transfer has ended (finishTransfer): what it came to. Not raised for a
    // transfer given up.
    void transferEnded(const TransferSummary& summary);
    // Raised with transferEnded when the radio refused channels: the one thing
    // of an ended transfer an operator is told in a box.
    void channelsRefused(const QString& text);
    void progressed(civ::Progress::Code p, int n);
    // A command another controller with this program's address gave the radio (a
    // panel, the rig server), heard on the bus: the frame without its FD.
    void commandHeard(const QByteArray& frame);
    void traced(const QString& bytes);
    void linkLost(const QString& why);

private:
    void engineNotified(civ::Notify::Code t, int q);
    void engineHeard(const quint8* frame, int len);
    // An answer to another controller's read while resting: told for the band
    // selected on the bus. True when it was one.
    bool othersAnswer(civ::Notify::Code t, int q);
    void engineFailed(civ::Error::Code e, int d);
    void takeSnapshot();
    void restore(const BandSnapshot& b);
    void sendChannel(const MemoryWrite& write);
    // Counting a transfer's channels: queuedBefore is the engine's queue before the
    // transfer's first command.
    void startTally(bool writing, int queuedBefore);
    void countChannel(int channel, int queuedBefore);
    // The command the radio has just refused (already off the queue) names its channel.
    void noteRefused();

    RigModel model_;
    Tdevice& device_;
    Tciv* engine_ = nullptr;
    int registration_ = 0;
    int linkWatch_ = 0;
    ReadBack readBack_ = ReadBack::None;
    int state_ = RequestState::Idle;
    bool transfer_ = false;
    std::function<BandSnapshot()> snapshot_;
    bool snapshotTaken_ = false;
    BandSnapshot before_;
    // A tune to a channel (no write) reads the radio back once its queue is through.
    bool tuning_ = false;
    // The band the radio has selected, as last heard on the bus from any
    // controller, and which read (03, 04) another controller has just asked for.
    int busBand_ = civ::Band::Main;
    quint8 othersRead_ = 0;

    // The transfer's channels, told at its end. Commands are numbered from the
    // first queued when the tally began; each channel owns a run of them, so an
    // NG (which names only a command byte) is put down to its channel.
    struct ChannelCommands {
        qint64 first = 0;
        qint64 end = 0;
        int channel = 0;
    };
    bool counting_ = false;
    TransferSummary tally_;
    qint64 issued_ = 0;
    std::vector<ChannelCommands> commands_;
};
