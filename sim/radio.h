#pragma once

#include <QByteArray>
#include <list>
#include <memory>

#include "sim/busstation.h"
#include "sim/frameassembler.h"
#include "sim/radiostate.h"

class SimBus;
class Timer;

// One simulated radio on the bus: it answers the frames addressed to it as the real
// radio does (FB, FA, 03/04 reports), follows commands that other controllers send
// it, and reports the changes made on its own front panel with command 00/01 to
// the broadcast address.
class SimRadio : public BusStation {
public:
    SimRadio(SimBus& bus, const RadioModel& model, quint8 address);
    ~SimRadio() override;
    Q_DISABLE_COPY(SimRadio)

    const RadioModel& model() const { return state_.model(); }
    quint8 address() const { return address_; }
    RadioState& state() { return state_; }
    const RadioState& state() const { return state_; }

    void hear(const quint8* data, int len) override;
    QString describe() const override;

    // Front panel. Each change the operator makes is reported on the bus.
    void turnKnob(int detents, qint64 stepHz = 0);
    // Turns the knob by detents every ms milliseconds; 0 stops it.
    void setKnobTimer(int ms, int detents = 1);
    int knobTimerMs() const;
    bool setFrequency(qint64 hz);
    bool setMode(int mode);
    void reportFrequency();
    void reportMode();

    // Faults of the radio itself.
    bool powered() const { return powered_; }
    void setPowered(bool on);
    bool refusesAll() const { return refuseAll_; }
    void setRefuseAll(bool on) { refuseAll_ = on; }
    int answerDelayMs() const { return answerDelayMs_; }
    void setAnswerDelayMs(int ms) { answerDelayMs_ = ms < 0 ? 0 : ms; }

    // Scan steps are this far apart while a scan runs.
    static constexpr int ScanStepMs = 300;

private:
    struct Knob;

    void onFrame(const QByteArray& frame);
    // The answer body for a command body addressed to this radio; empty for none.
    QByteArray execute(const QByteArray& body);
    QByteArray setFreqCommand(const QByteArray& body);
    QByteArray setModeCommand(const QByteArray& body);
    QByteArray vfoCommand(const QByteArray& body);
    QByteArray memoryCommand(const QByteArray& body);
    QByteArray scanCommand(const QByteArray& body);
    QByteArray splitDuplexCommand(const QByteArray& body);
    QByteArray offsetCommand(const QByteArray& body);
    QByteArray antennaCommand(const QByteArray& body);
    QByteArray bandEdges() const;
    QByteArray freqAnswer(quint8 command) const;
    QByteArray modeAnswer(quint8 command) const;

    void transmit(quint8 to, const QByteArray& body, int delayMs);
    void scanStep();
    void stopScan();
    qint64 clampToRange(qint64 hz, qint64 from) const;

    SimBus& bus_;
    RadioState state_;
    quint8 address_;
    FrameAssembler assembler_;
    bool powered_ = true;
    bool refuseAll_ = false;
    int answerDelayMs_ = 0;
    int knobDetents_ = 1;
    std::unique_ptr<Timer> knobTimer_;
    std::unique_ptr<Timer> scanTimer_;
    std::list<std::unique_ptr<Timer>> delayed_;
};
