#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "sim/radiomodel.h"

// One band's receiver: two VFOs, or a memory channel when in memory mode.
struct BandState {
    MemoryEntry vfo[2];  // VFO A and VFO B
    int activeVfo = 0;   // 0 = A, 1 = B
    bool memoryMode = false;
    int channel = 1;
    MemoryEntry tuned;  // memory mode: the selected channel as tuned from the panel
};

// Everything a radio remembers, with the operations its front panel and its CI-V
// port share. Pure state: no wire bytes here.
class RadioState {
public:
    explicit RadioState(const RadioModel& model);

    const RadioModel& model() const { return *model_; }

    int bandCount() const { return int(bands_.size()); }
    int activeBand() const { return band_; }
    bool selectBand(int band);
    const BandState& band(int index) const { return bands_[index]; }
    BandState& current() { return bands_[band_]; }
    const BandState& current() const { return bands_[band_]; }

    // What the radio is tuned to: the active VFO, or the tuned memory channel. A blank
    // memory channel gives a blank entry.
    MemoryEntry& operating();
    const MemoryEntry& operating() const;

    void selectVfoMode() { current().memoryMode = false; }
    void selectVfo(int vfo);  // 0 = A, 1 = B; also leaves memory mode
    void equalizeVfos();      // the other VFO takes the active one's settings
    void exchangeVfos();
    void exchangeBands();  // main and sub trade everything they show; the selection stays
    void selectMemoryMode();
    bool selectChannel(int channel);  // false outside 1..memories
    bool writeMemory();               // the operating settings into the selected channel
    bool memoryToVfo();               // false for a blank channel
    void clearMemory();

    const MemoryEntry& memory(int channel) const { return memories_[channel]; }
    void setMemory(int channel, const MemoryEntry& entry);
    int memoryCount() const { return model_->memories; }
    int filledMemories() const;

    bool split() const { return split_; }
    void setSplit(bool on) { split_ = on; }
    bool dualWatch() const { return dualWatch_; }
    void setDualWatch(bool on) { dualWatch_ = on; }
    int antenna() const { return antenna_; }  // 1 or 2
    void setAntenna(int antenna) { antenna_ = antenna; }
    bool receiveAntenna() const { return receiveAntenna_; }
    void setReceiveAntenna(bool on) { receiveAntenna_ = on; }
    // The running 0E sub-command; 0 = not scanning.
    quint8 scan() const { return scan_; }
    void setScan(quint8 scan) { scan_ = scan; }
    // Repeater offset, Hz.
    qint64 offset() const { return offset_; }
    void setOffset(qint64 hz) { offset_ = hz; }
    // Whether it reports its own changes (00, 01) on the bus.
    bool transceive() const { return transceive_; }
    void setTransceive(bool on) { transceive_ = on; }

    // Text for the control channel.
    QStringList describeState() const;
    QStringList describeMemories(bool includeBlank) const;

private:
    const RadioModel* model_;
    QList<BandState> bands_;
    int band_ = 0;
    QList<MemoryEntry> memories_;  // index = channel; 0 unused
    bool split_ = false;
    bool dualWatch_ = false;
    int antenna_ = 1;
    bool receiveAntenna_ = false;
    quint8 scan_ = 0;
    qint64 offset_ = 0;
    bool transceive_ = true;
};

QString hertzText(qint64 hz);  // "14.195.000" style for people, "blank" for 0
