#pragma once

#include <QtGlobal>

// Microseconds on the clock the program's timers run on: the test's FakeClock when
// one is active, else the monotonic clock. Byte pacing measures the line with it.
qint64 simNowMicros();
