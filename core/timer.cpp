#include "core/timer.h"

#include <QTimer>
#include <algorithm>

namespace {
FakeClock* activeClock = nullptr;
}

Timer::Timer(QObject* parent) : QObject(parent), clock_(activeClock)
{
    if (!clock_) {
        qtimer_ = new QTimer;
        qtimer_->setTimerType(Qt::PreciseTimer);
        connect(qtimer_, &QTimer::timeout, this, &Timer::fire);
    }
    restart();
}

Timer::~Timer()
{
    *alive_ = false;
    if (clock_ && activeClock == clock_)
        clock_->disarm(this);
    if (qtimer_) {
        qtimer_->stop();
        qtimer_->disconnect();
        // Destroyed from inside its own timeout: let Qt finish the emission first.
        if (firing_)
            qtimer_->deleteLater();
        else
            delete qtimer_;
    }
}

void Timer::setInterval(int ms)
{
    if (ms == interval_)
        return;
    interval_ = ms;
    restart();
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    restart();
}

void Timer::restart()
{
    const bool run = enabled_ && interval_ > 0;
    if (qtimer_) {
        if (run)
            qtimer_->start(interval_);
        else
            qtimer_->stop();
    } else if (clock_ && activeClock == clock_) {
        if (run)
            clock_->arm(this, clock_->now() + interval_);
        else
            clock_->disarm(this);
    }
}

void Timer::fire()
{
    auto alive = alive_;
    ++firing_;
    OnTimer();
    if (*alive)
        --firing_;
}

FakeClock::FakeClock() : previous_(activeClock) { activeClock = this; }

FakeClock::~FakeClock() { activeClock = previous_; }

FakeClock* FakeClock::active() { return activeClock; }

void FakeClock::arm(Timer* timer, qint64 due)
{
    disarm(timer);
    entries_.push_back({timer, due, seq_++});
}

void FakeClock::disarm(Timer* timer)
{
    std::erase_if(entries_, [timer](const Entry& e) { return e.timer == timer; });
}

std::vector<FakeClock::Entry>::iterator FakeClock::earliest()
{
    return std::min_element(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        return a.due != b.due ? a.due < b.due : a.seq < b.seq;
    });
}

qint64 FakeClock::nextDeadline() const
{
    auto it = const_cast<FakeClock*>(this)->earliest();
    return it == entries_.end() ? -1 : it->due;
}

bool FakeClock::step()
{
    auto it = earliest();
    if (it == entries_.end())
        return false;
    Timer* timer = it->timer;
    now_ = std::max(now_, it->due);
    // Re-arm before the handler runs, so whatever the handler does to the timer wins.
    arm(timer, now_ + timer->interval_);
    timer->fire();
    return true;
}

void FakeClock::advance(qint64 ms)
{
    const qint64 target = now_ + ms;
    for (;;) {
        auto it = earliest();
        if (it == entries_.end() || it->due > target)
            break;
        step();
    }
    now_ = target;
}
