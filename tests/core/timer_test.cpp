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

TEST(Timer, UnboundHandlerIsNotCalled)
{
    FakeClock clock;
    Timer t;
    t.setInterval(10);
    clock.advance(100);  // must simply not crash
    SUCCEED();
}

// The real-time backend keeps the same rules; these run on the event loop with
// generous margins, since wall-clock time is all they can use.
TEST(TimerRealClock, RepeatsAndSameIntervalKeepsTheCountdown)
{
    Timer t;
    int fired = 0;
    t.OnTimer.bind([&] { ++fired; });
    t.setInterval(40);
    QElapsedTimer clock;
    clock.start();
    // Re-setting the same interval every 5 ms must not hold the timer back.
    while (clock.elapsed() < 300) {
        t.setInterval(40);
        QTest::qWait(5);
    }
    EXPECT_GE(fired, 3);
}

TEST(TimerRealClock, ChangedIntervalRestartsTheCountdown)
{
    Timer t;
    int fired = 0;
    t.OnTimer.bind([&] { ++fired; });
    t.setInterval(60);
    QElapsedTimer clock;
    clock.start();
    int next = 61;
    while (clock.elapsed() < 300) {
        t.setInterval(next);  // a different value each time: the countdown starts again
        next = next == 61 ? 60 : 61;
        QTest::qWait(10);
    }
    EXPECT_EQ(fired, 0);
    QTest::qWait(150);
    EXPECT_GE(fired, 1);
}
