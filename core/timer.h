#pragma once

#include <QObject>
#include <memory>
#include <vector>

#include "core/event.h"

class QTimer;
class FakeClock;

// The program's timer. Its rules differ from QTimer's, and the engine's timing
// depends on them:
//  - setting Interval to a new value restarts the countdown; setting it to the
//    value it already has leaves the running countdown alone;
//  - disabling and enabling again restarts the countdown;
//  - it fires every Interval ms while enabled; an Interval of 0 or less never fires;
//  - the handler may disable, re-time or destroy the very timer that is firing.
// Timers created while a FakeClock exists run on that clock's virtual time.
class Timer : public QObject {
    Q_OBJECT

public:
    explicit Timer(QObject* parent = nullptr);
    ~Timer() override;

    int interval() const { return interval_; }
    void setInterval(int ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    Event<> OnTimer;

private:
    friend class FakeClock;

    void restart();
    void fire();

    int interval_ = 1000;
    bool enabled_ = true;
    FakeClock* clock_ = nullptr;
    QTimer* qtimer_ = nullptr;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    int firing_ = 0;
};

// Virtual time for tests: timers fire only when the test advances the clock, in
// the order of their deadlines (ties in the order they were armed). No sleeping.
class FakeClock {
public:
    FakeClock();
    ~FakeClock();
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    static FakeClock* active();

    qint64 now() const { return now_; }
    // Runs every timer event due up to now + ms, then stands at now + ms.
    void advance(qint64 ms);
    // Time of the next timer event, or -1 when no timer is running.
    qint64 nextDeadline() const;
    // Advances to the next timer event and runs it; false when none is armed.
    bool step();

private:
    friend class Timer;
    struct Entry {
        Timer* timer;
        qint64 due;
        quint64 seq;
    };
    void arm(Timer* timer, qint64 due);
    void disarm(Timer* timer);
    std::vector<Entry>::iterator earliest();

    qint64 now_ = 0;
    quint64 seq_ = 0;
    std::vector<Entry> entries_;
    FakeClock* previous_ = nullptr;
};
