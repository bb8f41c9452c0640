#pragma once

#include <QObject>
#include <QString>
#include <functional>

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
// and duplex set, and with store the write command.
struct MemoryWrite {
    bool single = false;  // one channel on its own, not part of an upload
    bool store = true;
    int channel = 0;
    QString freq;
    int mode = -1;    // the engine's mode number; -1: none sent
    int duplex = -1;  // civ::Duplex; -1: none sent
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
    void writeMemory(const MemoryWrite& write);
    // Reads channel; 0 or less ends a transfer with nothing more asked.
    void readMemory(int channel);
    // The whole transfer has ended: puts the radio back once and reads every band.
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
    void progressed(civ::Progress::Code p, int n);
    void traced(const QString& bytes);
    void linkLost(const QString& why);

private:
    void engineNotified(civ::Notify::Code t, int q);
    void engineFailed(civ::Error::Code e, int d);
    void takeSnapshot();
    void restore(const BandSnapshot& b);

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
};
