#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <deque>

#include "civ/civcodes.h"
#include "civ/codec.h"
#include "core/device.h"
#include "core/event.h"
#include "core/timer.h"

// Engine events: OnNotify (what was processed, commands queued), OnError (failure,
// detail), OnProgress (counter, value) and OnDebug (trace of received bytes).
using TOnNotify = Event<civ::Notify::Code, int>;
using TOnError = Event<civ::Error::Code, int>;
using TOnProgress = Event<civ::Progress::Code, int>;
using TOnDebug = Event<QString>;
// A command frame (preamble to the last byte before FD, and its length).
using TOnHeard = Event<const quint8*, int>;

// One queued frame.
struct TCmd {
    std::array<quint8, civ::MaxFrame> Data{};  // the complete frame; Data[4] is its command byte
    int Len = 0;
    bool Echoed = false;  // seen coming back on the bus
    int Tries = 0;        // transmissions so far
    int NgCount = 0;
    quint64 Serial = 0;  // tells a command from the one queued after it in the same place
};

// The CI-V protocol engine behind a radio panel: queues commands, sends the head of
// the queue through its device, follows the bus echo and the radio's OK/NG answers,
// retransmits on time-out, and decodes frequency and mode reports.
//
// Naming: properties whose write sends a command have a getter named as the
// property and a setX writer (Freq()/setFreq, mode()/setMode, VFO()/setVFO,
// Memory()/setMemory, band()/setBand, split()/setSplit, duplex()/setDuplex; the
// write-only setMemoryCmd and setScanCmd). Values whose write has no side effect are
// public fields (Address, RadioName, MaxTries, ReplyTimeout, SendDelay and the
// events). Queue(), RxWindow() and Timer() expose the internals read-only.
//
// The engine sends through the device it is given (setDevice); whoever owns the
// engine registers rxHandler() with that device and unregisters it before either
// goes (RadioSession does both).
//
// Event codes, and the values of the properties that select a command, are named
// in civ/civcodes.h.
//
// Handlers run inside the engine and may write properties, clear the queue, pump a
// nested event loop, or destroy the engine's owner (deleteLater is kinder, but the
// engine stops touching itself once destroyed either way).
class Tciv : public QObject {
    Q_OBJECT

public:
    // The timer is created with the same owner, as the panels expect to find it.
    explicit Tciv(QObject* owner);
    // Releases the timer, then the queue. Unregister RxData from the device first.
    ~Tciv() override;

    quint8 Address = 0;
    QString RadioName;
    int MaxTries = 9;
    int ReplyTimeout = 1000;  // ms
    int SendDelay = 250;      // ms
    // The timing every panel sets by the kind of its device (a DeviceKind): TCP/IP
    // one try, 15 s, 500 ms; serial (and anything else) nine tries, 1 s, 300 ms.
    void setTimingForDevice(int kind);
    TOnNotify OnNotify;
    TOnError OnError;
    TOnProgress OnProgress;
    TOnDebug OnDebug;
    // Every command heard on the bus from this program's address to the radio: the
    // echo of the engine's own, or another controller's (a panel, the rig server).
    TOnHeard OnHeard;

    // The device frames are sent through; without one they go nowhere. It must
    // outlive the engine or be replaced first.
    void setDevice(Tdevice* device) { device_ = device; }
    Tdevice* device() const { return device_; }

    QString Freq() const { return freq_; }
    int mode() const { return mode_; }
    int band() const { return band_; }
    bool split() const { return split_; }
    int duplex() const { return duplex_; }
    int VFO() const { return vfo_; }
    int Memory() const { return memory_; }
    // The duplex offset last read (ReadOffset), in Hz; -1 until one is read.
    int offset() const { return offset_; }

    // Writers store the value, then queue its command. Values without a command
    // (outside the tables) are stored and queue nothing.
    virtual void setFreq(const QString& text);
    virtual void setMode(int mode);
    virtual void setBand(int band);
    virtual void setSplit(bool split);
    virtual void setDuplex(int duplex);
    void setVFO(int vfo);
    void setMemory(int channel);
    void setMemoryCmd(int cmd);
    void setScanCmd(int cmd);

    virtual void ReadFreq();
    virtual void ReadMode();
    virtual void ReadOffset();

    // Whether the model takes a frequency text that converts.
    virtual bool CheckFreq(const QString& text) = 0;

    // Queues one complete frame. Frames over 20 bytes are refused (error 2); an
    // empty frame queues nothing.
    void SendCmd(const quint8* frame, qint32 len);
    // Drops every queued command; no event, the timer runs on.
    void ClearQueue();
    // The device's receive handler: frames are processed as their FD arrives, then
    // OnDebug gets the chunk's trace.
    void RxData(const quint8* data, qint32 len);
    // RxData bound to this engine, ready for Tdevice::RegFunc; it goes quiet once
    // the engine is gone.
    TRxHandler rxHandler();
    // One received byte, without a trace.
    void RxByte(quint8 b);
    // The timer's event: transmits the head, or gives the whole queue up once the
    // head has been sent MaxTries times.
    void SendNext();

    const std::deque<TCmd>& Queue() const { return queue_; }
    // The last 20 bytes received, oldest first; bytes before a jam read as 00.
    const std::array<quint8, civ::MaxFrame>& RxWindow() const { return window_; }
    ::Timer* Timer() const { return timer_; }

protected:
    // One frame: positions 0-1 preamble, 2 destination, 3 source, 4 command, then
    // data; len counts the bytes before the FD.
    virtual void ParseFrame(const quint8* frame, int len);

    // Frames body to Address from the controller and queues it; an empty body
    // queues nothing.
    void queueBody(const QByteArray& body);

    QString freq_ = QStringLiteral("NONE");
    int mode_ = civ::Mode::Fm;
    int vfo_ = 0;
    int memory_ = 0;
    int band_ = 0;
    bool split_ = false;
    int duplex_ = 0;
    int offset_ = -1;

private:
    // Marks a stack frame that must stop once the engine is gone: the destructor
    // flags every guard still open, handlers having destroyed the engine.
    struct LifeGuard {
        explicit LifeGuard(Tciv* engine) : engine(engine), outer(engine->guards_) { engine->guards_ = this; }
        ~LifeGuard()
        {
            if (!dead)
                engine->guards_ = outer;
        }
        LifeGuard(const LifeGuard&) = delete;
        LifeGuard& operator=(const LifeGuard&) = delete;
        Tciv* engine;
        LifeGuard* outer;
        bool dead = false;
    };

    // Each raises its event and answers whether the engine survived it.
    bool error(civ::Error::Code e, int d);
    bool progress(civ::Progress::Code p, int n);
    bool notify(civ::Notify::Code t, int q);

    int queued() const { return int(queue_.size()); }
    void setInterval(int ms);
    void transmit(const TCmd& cmd);
    // One received byte into the window; answers whether the engine survived the
    // frame it may complete.
    bool receive(quint8 b);
    // The frame from window position start to the FD at the end.
    bool frameReceived(int start);
    // Each answers whether the engine survived and the frame counts as an answer
    // (the queue count and the next transmission follow).
    bool decodeAnswer(const quint8* frame, int len);
    bool frequencyAnswer(const quint8* frame, int len);
    bool modeAnswer(const quint8* frame, int len);
    bool offsetAnswer(const quint8* frame, int len);
    bool okAnswer();
    bool ngAnswer();

    Tdevice* device_ = nullptr;
    std::deque<TCmd> queue_;
    std::array<quint8, civ::MaxFrame> window_{};
    QPointer<::Timer> timer_;
    LifeGuard* guards_ = nullptr;
    quint64 serial_ = 0;
};
