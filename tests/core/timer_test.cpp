#include "core/timer.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <memory>
#include <vector>

namespace {

struct Recorder {
    FakeClock* clock;
    std::vector<qint64> times;
    void tick() { times.push_back(clock->now()); }
};

}  // namespace

TEST(Timer, RepeatsEveryIntervalWhileEnabled)
{
    FakeClock clock;
    Timer t;
    Recorder r{&clock, {}};
    t.OnTimer.bind(&r, &Recorder::tick);
    t.setInterval(300);
    clock.advance(1000);
    EXPECT_EQ(r.times, (std::vector<qint64>{300, 600, 900}));
}

TEST(Timer, SameIntervalDoesNotRestartButNewOneDoes)
{
    FakeClock clock;
    Timer t;
    Recorder r{&clock, {}};
    t.OnTimer.bind(&r, &Recorder::tick);
    t.setInterval(300);
    clock.advance(200);
    t.setInterval(300);  // unchanged: the countdown runs on
    clock.advance(100);
    ASSERT_EQ(r.times, (std::vector<qint64>{300}));
    clock.advance(200);   // t = 500
    t.setInterval(1000);  // changed: restarts from zero
    clock.advance(999);
    EXPECT_EQ(r.times.size(), 1u);
    clock.advance(1);
    EXPECT_EQ(r.times.back(), 1500);
}

TEST(Timer, DisableEnableRestartsAndZeroNeverFires)
{
    FakeClock clock;
    Timer t;
    Recorder r{&clock, {}};
    t.OnTimer.bind(&r, &Recorder::tick);
    t.setInterval(500);
    clock.advance(400);
    t.setEnabled(false);
    t.setEnabled(true);
    clock.advance(400);
    EXPECT_TRUE(r.times.empty());
    clock.advance(100);
    EXPECT_EQ(r.times, (std::vector<qint64>{900}));

    t.setInterval(0);
    clock.advance(10000);
    EXPECT_EQ(r.times.size(), 1u);
    t.setEnabled(false);
    t.setInterval(100);
    clock.advance(1000);
    EXPECT_EQ(r.times.size(), 1u);
}

TEST(Timer, HandlerMayRetimeDisableOrDestroyItsTimer)
{
    FakeClock clock;
    auto t = std::make_unique<Timer>();
    int fired = 0;
    t->setInterval(250);
    t->OnTimer.bind([&] {
        ++fired;
        t->setInterval(1000);  // a change inside the handler restarts from now
    });
    clock.advance(250);
    clock.advance(999);
    EXPECT_EQ(fired, 1);
    clock.advance(1);
    EXPECT_EQ(fired, 2);

    t->OnTimer.bind([&] {
        ++fired;
        t->setEnabled(false);
    });
    clock.advance(5000);
    EXPECT_EQ(fired, 3);

    t->setEnabled(true);
    t->OnTimer.bind([&] {
        ++fired;
        t.reset();
    });
    clock.advance(5000);
    EXPECT_EQ(fired, 4);
    EXPECT_EQ(clock.nextDeadline(), -1);
}

TEST(Timer, TimersFireInDeadlineOrder)
{
    FakeClock clock;
    Timer a, b;
    std::vector<char> order;
    a.setInterval(300);
    b.setInterval(200);
    a.OnTimer.bind([&] { order.push_back('a'); });
    b.OnTimer.bind([&] { order.push_back('b'); });
    clock.advance(600);
    EXPECT_EQ(order, (std::vector<char>{'b', 'a', 'b', 'a', 'b'}));
}

TEST(Timer, UnboundTimerKeepsItsScheduleUntilAHandlerIsBound)
{
    FakeClock clock;
    Timer t;
    t.setInterval(10);
    clock.advance(95);  // fires at 10 ... 90 with nobody listening
    EXPECT_EQ(clock.nextDeadline(), 100);
    Recorder r{&clock, {}};
    t.OnTimer.bind(&r, &Recorder::tick);
    clock.advance(25);
    EXPECT_EQ(r.times, (std::vector<qint64>{100, 110, 120}));
}

// The real-time backend keeps the same rules. Wall-clock time is all these can use,
// and a loaded machine may stall for a long while at any point: they assert what
// holds however late the event loop runs (an event never comes before its
// countdown has run out; one comes eventually) and wait with generous deadlines.
TEST(TimerRealClock, RepeatsAndSameIntervalKeepsTheCountdown)
{
    Timer t;
    int fired = 0;
    t.OnTimer.bind([&] { ++fired; });
    t.setInterval(40);
    QElapsedTimer clock;
    clock.start();
    // Re-setting the same interval every 5 ms must not hold the timer back.
    while (fired < 3 && clock.elapsed() < 10000) {
        t.setInterval(40);
        QTest::qWait(5);
    }
    EXPECT_GE(fired, 3);
    EXPECT_GE(clock.elapsed(), 3 * 40 - 5);
}

TEST(TimerRealClock, ChangedIntervalRestartsTheCountdown)
{
    Timer t;
    QElapsedTimer clock;
    clock.start();
    qint64 restartedAt = 0;
    std::vector<qint64> earlyBy;  // how long before its countdown ran out a timer event came
    t.OnTimer.bind([&] {
        const qint64 due = restartedAt + t.interval();
        if (clock.elapsed() < due - 2)
            earlyBy.push_back(due - clock.elapsed());
    });
    t.setInterval(60);
    int next = 61;
    while (clock.elapsed() < 300) {
        restartedAt = clock.elapsed();
        t.setInterval(next);  // a different value each time: the countdown starts again
        next = next == 61 ? 60 : 61;
        QTest::qWait(10);
    }
    EXPECT_TRUE(earlyBy.empty()) << earlyBy.size() << " events came early";
    // Left alone, it fires.
    bool firedAlone = false;
    t.OnTimer.bind([&] { firedAlone = true; });
    const qint64 leftAt = clock.elapsed();
    while (!firedAlone && clock.elapsed() - leftAt < 10000)
        QTest::qWait(10);
    EXPECT_TRUE(firedAlone);
}
