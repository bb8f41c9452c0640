#include <gtest/gtest.h>

#include <QCoreApplication>
#include <functional>

#include "bus.h"

// Handlers run inside the engine: they write properties, clear the queue, run a
// nested event loop (a modal box) that delivers bytes and timer events, or close
// the panel that owns the engine.

namespace {

const char* freqFrame = "FE FE 50 E0 05 00 50 19 14 00 FD";
const char* modeFrame = "FE FE 50 E0 06 03 01 FD";

Tic756* idleEngine(BusHarness& h)
{
    Tic756* e = h.open<Tic756>();
    h.clock.advance(1000);
    h.log.lines.clear();
    return e;
}

// Chains a test's own handler in front of the logging one.
// Failures and progress counters alike, as the harness logs them.
void onError(BusHarness& h, Tciv* e, std::function<void(int, int)> extra)
{
    auto handler = [&h, extra](int a, int b) {
        h.log.add(QStringLiteral("E(%1,%2)").arg(a).arg(b));
        extra(a, b);
    };
    e->OnError.bind(handler);
    e->OnProgress.bind(handler);
}

void onNotify(BusHarness& h, Tciv* e, std::function<void(int, int)> extra)
{
    e->OnNotify.bind([&h, extra](int a, int b) {
        h.log.add(QStringLiteral("N(%1,%2)").arg(a).arg(b));
        extra(a, b);
    });
}

}  // namespace

TEST(CivReentry, HandlersWriteProperties)
{
    BusHarness h;
    Tic756* e = idleEngine(h);
    // As a panel does: a reported frequency makes it ask for the mode.
    onNotify(h, e, [e](int t, int) {
        if (t == civ::Notify::Frequency)
            e->ReadMode();
    });
    h.receive("FE FE 00 50 00 00 00 50 45 01 FD");
    EXPECT_EQ(h.log.withoutTraces(), (QStringList{"1000 E(9,0)", "1000 N(3,0)", "1000 E(9,1)", "1000 E(9,1)",
                                                  "1000 E(8,1)", "1000 send FE FE 50 E0 04 FD"}));
}

TEST(CivReentry, ClearQueueInsideTakingUpTheHeadSendsNothing)
{
    BusHarness h;
    Tic756* e = idleEngine(h);
    onError(h, e, [e](int code, int) {
        if (code == civ::Progress::Try)
            e->ClearQueue();
    });
    e->setFreq("014.195.000");
    h.clock.advance(2000);
    EXPECT_EQ(h.log.lines, (QStringList{"1000 E(9,1)", "1300 E(8,1)"}));
    EXPECT_EQ(h.bus->sent, 0);
}

TEST(CivReentry, ReplacingTheHeadInsideAnEventSendsOnlyWhatWasTakenUp)
{
    BusHarness h;
    Tic756* e = idleEngine(h);
    bool once = true;
    onError(h, e, [e, &once](int code, int) {
        if (code == civ::Progress::Try && once) {
            once = false;
            e->ClearQueue();
            e->ReadMode();
        }
    });
    e->setFreq("014.195.000");
    h.clock.advance(600);
    EXPECT_EQ(h.log.lines, (QStringList{"1000 E(9,1)", "1300 E(8,1)", "1300 E(9,1)", "1600 E(8,1)",
                                        "1600 send FE FE 50 E0 04 FD"}));
}

TEST(CivReentry, ModalBoxDeliversBytesAndTimerEventsInsideAnEvent)
{
    BusHarness h;
    Tic756* e = idleEngine(h);
    h.bus->echo = true;
    bool modal = true;
    onNotify(h, e, [&](int t, int) {
        if (t == civ::Notify::Ok && modal) {
            modal = false;
            h.receive("FE FE E0 50 FA FD");
            h.clock.advance(2500);
        }
    });
    e->setFreq("014.195.000");
    e->setMode(civ::Mode::Cw);
    h.clock.advance(300);
    h.receive("FE FE E0 50 FB FD FE FE");
    h.receive("E0 50 FB FD");
    const QString sendFreq = QStringLiteral("send ") + freqFrame;
    const QString sendMode = QStringLiteral("send ") + modeFrame;
    const QString traceMode = QStringLiteral("D[FE FE 50 E0 06 03 01 FD - ]");
    EXPECT_EQ(h.log.lines, (QStringList{
                               "1000 E(9,1)",
                               "1000 E(9,2)",
                               "1300 E(8,1)",
                               "1300 " + sendFreq,
                               "1300 E(9,2)",
                               "1300 D[FE FE 50 E0 05 00 50 19 14 00 FD - ]",
                               "1300 E(9,2)",
                               "1300 E(5,1)",
                               "1300 N(1,1)",
                               // the modal box's loop: an NG for the mode, not yet sent
                               "1300 E(9,1)",
                               "1300 E(4,6)",
                               "1300 N(2,1)",
                               "1300 E(9,1)",
                               "1300 E(8,1)",
                               "1300 " + sendMode,
                               "1300 E(9,1)",
                               "1300 " + traceMode,
                               "1300 D[FE FE E0 50 FA FD - ]",
                               // ... and its timer events
                               "2300 E(8,2)",
                               "2300 " + sendMode,
                               "2300 E(9,1)",
                               "2300 " + traceMode,
                               "3300 E(8,3)",
                               "3300 " + sendMode,
                               "3300 E(9,1)",
                               "3300 " + traceMode,
                               // back in the OK
                               "3800 E(9,1)",
                               "3800 E(8,4)",
                               "3800 " + sendMode,
                               "3800 E(9,1)",
                               "3800 " + traceMode,
                               "3800 D[FE FE E0 50 FB FD - FE FE ]",
                               // the rest of the chunk completed the frame it began
                               "3800 E(9,1)",
                               "3800 E(5,0)",
                               "3800 N(1,0)",
                               "3800 E(9,0)",
                               "3800 D[E0 50 FB FD - ]",
                           }));
    EXPECT_TRUE(e->Queue().empty());
}

namespace {

struct CloseCase {
    const char* what;
    std::function<bool(const QString&)> closeOn;  // the log line after which to close
    std::function<void(BusHarness&, Tciv*)> drive;
};

// Drives an idle engine as the case says and closes its owner right after the
// case's log line: nothing may be reported after it, and the engine is gone.
void closeInsideEvent(const CloseCase& c)
{
    BusHarness h;
    Tic756* e = idleEngine(h);
    QPointer<Tic756> alive(e);
    QPointer<Timer> timer(e->Timer());
    int closedAt = -1;
    const auto check = [&h, &c, &closedAt]() {
        if (closedAt < 0 && c.closeOn(h.log.lines.last())) {
            closedAt = int(h.log.lines.size());
            h.owner.reset();
        }
    };
    auto error = [&h, check](int a, int b) {
        h.log.add(QStringLiteral("E(%1,%2)").arg(a).arg(b));
        check();
    };
    e->OnError.bind(error);
    e->OnProgress.bind(error);
    e->OnNotify.bind([&h, check](int a, int b) {
        h.log.add(QStringLiteral("N(%1,%2)").arg(a).arg(b));
        check();
    });
    e->OnDebug.bind([&h, check](const QString& s) {
        h.log.add(QStringLiteral("D[%1]").arg(s));
        check();
    });
    c.drive(h, e);
    EXPECT_GT(closedAt, 0) << c.what;
    EXPECT_EQ(h.log.lines.size(), closedAt) << c.what << ": " << h.log.lines.join(" | ").toStdString();
    EXPECT_FALSE(alive) << c.what;
    EXPECT_FALSE(timer) << c.what;
}

}  // namespace

// The panel closes (and frees the engine with it) from inside an engine event: the
// engine must not be touched afterwards, and nothing more is reported.
TEST(CivReentry, OwnerDestroyedInsideAnEvent)
{
    const auto twoOks = [](BusHarness& h, Tciv* e) {
        e->setFreq("014.195.000");
        e->setMode(civ::Mode::Cw);
        h.clock.advance(300);
        h.receive("FE FE E0 50 FB FD FE FE E0 50 FB FD FE FE E0 50 03 00 50 19 14 00 FD");
        h.clock.advance(5000);
    };
    const CloseCase cases[] = {
        {"OK notify", [](const QString& l) { return l.endsWith("N(1,1)"); }, twoOks},
        {"OK progress", [](const QString& l) { return l.endsWith("E(5,1)"); }, twoOks},
        {"error 3", [](const QString& l) { return l.endsWith("E(3,0)"); }, twoOks},
        {"queue report after a frame", [](const QString& l) { return l.endsWith("1300 E(9,2)"); }, twoOks},
        {"trace", [](const QString& l) { return l.contains("D["); }, twoOks},
        {"taking up the head", [](const QString& l) { return l.endsWith("E(8,1)"); }, twoOks},
        {"echo inside the transmission", [](const QString& l) { return l.endsWith("1300 E(9,2)"); },
         [](BusHarness& h, Tciv* e) {
             h.bus->echo = true;
             e->setFreq("014.195.000");
             e->setMode(civ::Mode::Cw);
             h.clock.advance(5000);
         }},
        {"giving up", [](const QString& l) { return l.endsWith("E(9,0)"); },
         [](BusHarness& h, Tciv* e) {
             e->setFreq("014.195.000");
             h.clock.advance(20000);
         }},
        {"queueing", [](const QString& l) { return l.endsWith("E(9,1)"); },
         [](BusHarness& h, Tciv* e) {
             e->setFreq("014.195.000");
             h.clock.advance(5000);
         }},
        {"bad frequency", [](const QString& l) { return l.endsWith("E(10,0)"); },
         [](BusHarness& h, Tciv* e) {
             e->setFreq("NONE");
             h.clock.advance(5000);
         }},
        {"frequency report", [](const QString& l) { return l.endsWith("N(3,0)"); },
         [](BusHarness& h, Tciv*) {
             h.receive("FE FE 00 50 00 00 00 50 45 01 FD FE FE 00 50 01 00 02 FD");
             h.clock.advance(5000);
         }},
        {"undecoded command", [](const QString& l) { return l.endsWith("E(7,26)"); },
         [](BusHarness& h, Tciv*) {
             h.receive("FE FE E0 50 1A FD FE FE E0 50 1A FD");
             h.clock.advance(5000);
         }},
    };
    for (const CloseCase& c : cases)
        closeInsideEvent(c);
}

TEST(CivReentry, DeferredCloseFinishesTheCurrentStep)
{
    BusHarness h;
    Tic756* e = idleEngine(h);
    QPointer<Tic756> alive(e);
    onNotify(h, e, [&h](int t, int) {
        if (t == civ::Notify::Ok)
            h.owner.release()->deleteLater();
    });
    e->ReadFreq();
    h.receive("FE FE E0 50 FB FD");
    EXPECT_TRUE(alive);
    EXPECT_EQ(h.log.lines, (QStringList{"1000 E(9,1)", "1000 E(9,1)", "1000 E(3,0)", "1000 E(5,0)",
                                        "1000 N(1,0)", "1000 E(9,0)", "1000 D[FE FE E0 50 FB FD - ]"}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(alive);
    h.receive("FE FE E0 50 FB FD");
    EXPECT_EQ(h.log.lines.size(), 7);
}
