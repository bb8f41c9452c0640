#include "sim/simclock.h"

#include <QElapsedTimer>

#include "core/timer.h"

qint64 simNowMicros()
{
    if (FakeClock* clock = FakeClock::active())
        return clock->now() * 1000;
    static QElapsedTimer monotonic = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return monotonic.nsecsElapsed() / 1000;
}
