#include <gtest/gtest.h>

#include <QRegularExpression>

#include "bus.h"

// Timelines of the engine on a fake bus in virtual time: every event and every
// transmission with its time.

namespace {

// The engine as a panel leaves it a while after opening: nothing queued and the
// timer running at ReplyTimeout. Returns at t = 1000 with the log empty.
template <typename T>
T* idleEngine(BusHarness& h, int kind = DeviceKind::Serial)
{
    T* e = h.open<T>(kind);
    h.clock.advance(1000);
    EXPECT_EQ(e->Timer()->interval(), e->ReplyTimeout);
    h.log.lines.clear();
    return e;
}

const char* freqFrame = "FE FE 50 E0 05 00 50 19 14 00 FD";

}  // namespace

TEST(CivEngine, CompleteSerialExchange)
{
    BusHarness h;
    Tic756* e = idleEngine<Tic756>(h);
    e->setFreq("014.195.000");
    h.clock.advance(310);
    h.receive(freqFrame);  // the echo
    h.clock.advance(40);
    h.receive("FE FE E0 50 FB FD");
    h.clock.advance(5000);
    EXPECT_EQ(h.log.lines, (QStringList{
                               "1000 E(9,1)",
                               "1300 E(8,1)",
                               "1300 send FE FE 50 E0 05 00 50 19 14 00 FD",
                               "1310 E(9,1)",
                               "1310 D[FE FE 50 E0 05 00 50 19 14 00 FD - ]",
                               "1350 E(9,1)",
                               "1350 E(5,0)",
                               "1350 N(1,0)",
                               "1350 E(9,0)",
                               "1350 D[FE FE E0 50 FB FD - ]",
                           }));
    EXPECT_TRUE(e->Queue().empty());
    EXPECT_EQ(e->Timer()->interval(), 1000);
    EXPECT_EQ(e->Freq(), "014.195.000");
}

TEST(CivEngine, WriteWhileTheTimerAlreadyRunsAtSendDelayKeepsItsCountdown)
{
    BusHarness h;
    Tic756* e = h.open<Tic756>(0);  // Create's timing: SendDelay 250, timer at 250
    h.clock.advance(100);
    e->setFreq("014.195.000");
    h.clock.advance(200);
    EXPECT_EQ(h.log.lines,
              (QStringList{"100 E(9,1)", "250 E(8,1)", QStringLiteral("250 send ") + freqFrame}));
}

TEST(CivEngine, SerialGiveUpAfterNineTries)
{
    for (bool echo : {false, true}) {
        BusHarness h;
        Tic756* e = idleEngine<Tic756>(h);
        h.bus->echo = echo;
        e->setFreq("014.195.000");
        h.clock.advance(20000);
        QStringList expected{"1000 E(9,1)"};
        for (int i = 1; i <= 9; ++i) {
            const qint64 t = 300 + 1000 * i;
            expected << QStringLiteral("%1 E(8,%2)").arg(t).arg(i)
                     << QStringLiteral("%1 send %2").arg(t).arg(freqFrame);
            if (echo)
                expected << QStringLiteral("%1 E(9,1)").arg(t);
        }
        expected << "10300 E(8,10)"
                 << "10300 E(9,0)" << (echo ? "10300 E(1,0)" : "10300 E(0,0)");
        EXPECT_EQ(h.log.withoutTraces(), expected) << echo;
        EXPECT_TRUE(e->Queue().empty());

        // Still usable afterwards: a new write starts a new queue.
        h.log.lines.clear();
        e->ReadFreq();
        h.clock.advance(300);
        EXPECT_EQ(h.log.withoutTraces().mid(0, 3),
                  (QStringList{"21000 E(9,1)", "21300 E(8,1)", "21300 send FE FE 50 E0 03 FD"}));
    }
}

TEST(CivEngine, TcpGiveUpAfterOneTry)
{
    for (bool echo : {false, true}) {
        BusHarness h;
        Tic756* e = idleEngine<Tic756>(h, DeviceKind::TcpIp);
        EXPECT_EQ(e->Timer()->interval(), 15000);
        h.bus->echo = echo;
        e->setFreq("014.195.000");
        h.clock.advance(40000);
        QStringList expected{"1000 E(9,1)", "1500 E(8,1)", QStringLiteral("1500 send ") + freqFrame};
        if (echo)
            expected << "1500 E(9,1)";
        expected << "16500 E(8,2)"
                 << "16500 E(9,0)" << (echo ? "16500 E(1,0)" : "16500 E(0,0)");
        EXPECT_EQ(h.log.withoutTraces(), expected) << echo;
    }
}

TEST(CivEngine, GivingUpDropsTheWholeQueue)
{
    BusHarness h;
    Tic756* e = idleEngine<Tic756>(h);
    e->setFreq("014.195.000");
    e->setMode(civ::Mode::Cw);
    e->setBand(civ::Band::Sub);
    EXPECT_EQ(e->Queue().size(), 3u);
    h.clock.advance(9300);
    const QStringList lines = h.log.withoutTraces();
    EXPECT_EQ(lines.mid(0, 3), (QStringList{"1000 E(9,1)", "1000 E(9,2)", "1000 E(9,3)"}));
    EXPECT_EQ(lines.mid(lines.size() - 3), (QStringList{"10300 E(8,10)", "10300 E(9,0)", "10300 E(0,0)"}));
    EXPECT_EQ(lines.filter("send").size(), 9);
    EXPECT_EQ(lines.filter(freqFrame).size(), 9);  // only ever the head
    EXPECT_TRUE(e->Queue().empty());
}

TEST(CivEngine, ForeignFrameDelaysTheNextTransmissionToSendDelay)
{
    BusHarness h;
    Tic756* e = idleEngine<Tic756>(h);
    e->setFreq("014.195.000");
    h.clock.advance(800);  // sent at 1300; the retry would be due at 2300
    h.receive("FE FE E1 60 03 FD");
    h.clock.advance(1400);
    EXPECT_EQ(h.log.lines, (QStringList{
                               "1000 E(9,1)",
                               "1300 E(8,1)",
                               QStringLiteral("1300 send ") + freqFrame,
                               "1800 E(9,1)",
                               "1800 D[FE FE E1 60 03 FD - ]",
                               "2100 E(8,2)",
                               QStringLiteral("2100 send ") + freqFrame,
                               "3100 E(8,3)",
                               QStringLiteral("3100 send ") + freqFrame,
                           }));
    // Before the first transmission too.
    h.log.lines.clear();
    e->ClearQueue();
    h.clock.advance(1000);  // t = 4200, idle at ReplyTimeout again
    h.log.lines.clear();
    e->ReadMode();
    h.clock.advance(200);
    h.receive("FE FE 12 34 05 00 00 00 00 00 FD");
    h.clock.advance(300);
    EXPECT_EQ(h.log.withoutTraces(),
              (QStringList{"4200 E(9,1)", "4400 E(9,1)", "4700 E(8,1)", "4700 send FE FE 50 E0 04 FD"}));
    EXPECT_EQ(e->Freq(), "014.195.000");
}

TEST(CivEngine, UnsolicitedReportRetransmitsTheWaitingHead)
{
    BusHarness h;
    Tic756* e = idleEngine<Tic756>(h);
    e->setMode(civ::Mode::Cw);
    h.clock.advance(500);  // sent at 1300
    h.receive("FE FE 00 50 00 00 00 50 45 01 FD");
    EXPECT_EQ(h.log.withoutTraces().mid(3),
              (QStringList{"1500 E(9,1)", "1500 N(3,1)", "1500 E(9,1)", "1500 E(8,2)",
                           "1500 send FE FE 50 E0 06 03 01 FD"}));
    EXPECT_EQ(e->Freq(), "145.500.000");
    ASSERT_EQ(e->Queue().size(), 1u);
    EXPECT_EQ(e->Queue().front().Tries, 2);
    h.log.lines.clear();
    h.clock.advance(1000);
    EXPECT_EQ(h.log.lines, (QStringList{"2500 E(8,3)", "2500 send FE FE 50 E0 06 03 01 FD"}));
}

TEST(CivEngine, OkForAnEchoedHeadNeverSentKeepsIt)
{
    BusHarness h;
    Tic756* e = idleEngine<Tic756>(h);
    e->setFreq("014.195.000");
    h.clock.advance(100);
    h.receive(freqFrame);  // another program at E0 sent the same command
    ASSERT_TRUE(e->Queue().front().Echoed);
    h.clock.advance(50);
    h.receive("FE FE E0 50 FB FD");
    EXPECT_EQ(h.log.withoutTraces(),
              (QStringList{"1000 E(9,1)", "1100 E(9,1)", "1150 E(9,1)", "1150 E(5,1)", "1150 N(1,1)",
                           "1150 E(9,1)", "1150 E(8,1)", QStringLiteral("1150 send ") + freqFrame}));
    EXPECT_EQ(e->Queue().size(), 1u);
}

TEST(CivEngine, OkWithoutEchoDropsTheHeadWithErrorThree)
{
    BusHarness h;
    Tic756* e = idleEngine<Tic756>(h);
    e->setFreq("014.195.000");
    e->ReadMode();
    h.clock.advance(400);
    h.receive("FE FE E0 50 FB FD");
    EXPECT_EQ(h.log.withoutTraces().mid(4),
              (QStringList{"1400 E(9,2)", "1400 E(3,0)", "1400 E(5,1)", "1400 N(1,1)", "1400 E(9,1)",
                           "1400 E(8,1)", "1400 send FE FE 50 E0 04 FD"}));
}

TEST(CivEngine, NgReportsTheRefusedCommandByte)
{
    for (auto [write, code] : {std::pair{0, 5}, std::pair{1, 6}}) {
        BusHarness h;
        Tic756* e = idleEngine<Tic756>(h);
        h.bus->echo = true;
        write == 0 ? e->setFreq("014.195.000") : e->setMode(civ::Mode::Cw);
        h.clock.advance(300);
        h.log.lines.clear();
        h.receive("FE FE E0 50 FA FD");
        EXPECT_EQ(h.log.withoutTraces(), (QStringList{"1300 E(9,1)", QStringLiteral("1300 E(4,%1)").arg(code),
                                                      "1300 N(2,0)", "1300 E(9,0)"}));
        EXPECT_TRUE(e->Queue().empty());
    }
    // Before its first transmission the refused head stays, counted.
    BusHarness h;
    Tic756* e = idleEngine<Tic756>(h);
    e->setFreq("014.195.000");
    h.receive("FE FE E0 50 FA FD");
    EXPECT_EQ(h.log.withoutTraces(),
              (QStringList{"1000 E(9,1)", "1000 E(9,1)", "1000 E(4,5)", "1000 N(2,1)", "1000 E(9,1)",
                           "1000 E(8,1)", QStringLiteral("1000 send ") + freqFrame}));
    EXPECT_EQ(e->Queue().front().NgCount, 1);
}

TEST(CivEngine, AnswersWithAnEmptyQueue)
{
    BusHarness h;
    Tic756* e = idleEngine<Tic756>(h);
    h.receive("FE FE E0 50 FB FD FE FE E0 50 FA FD");
    EXPECT_EQ(h.log.withoutTraces(),
              (QStringList{"1000 E(9,0)", "1000 E(9,0)", "1000 E(9,0)", "1000 E(9,0)"}));
    EXPECT_TRUE(e->Queue().empty());
}

TEST(CivEngine, ReadAnswersTakeWhateverHeadThereIs)
{
    BusHarness h;
    Tic756* e = idleEngine<Tic756>(h);
    e->setBand(civ::Band::Sub);
    e->setSplit(true);
    e->ReadFreq();
    h.receive("FE FE E0 50 03 00 50 19 14 00 FD");  // removes 07 D1
    EXPECT_EQ(queueOf(*e), (QStringList{"FE FE 50 E0 0F 01 FD", "FE FE 50 E0 03 FD"}));
    h.receive("FE FE E0 50 04 03 02 FD");  // removes 0F 01
    EXPECT_EQ(queueOf(*e), (QStringList{"FE FE 50 E0 03 FD"}));
    h.receive("FE FE E0 50 03 FF FD");  // a blank memory: no frequency
    EXPECT_TRUE(e->Queue().empty());
    h.receive("FE FE E0 50 04 FF FD");
    EXPECT_EQ(e->Freq(), "014.195.000");
    EXPECT_EQ(e->mode(), 0);
    const QStringList notes = h.log.withoutTraces().filter(" N(");
    EXPECT_EQ(notes, (QStringList{"1000 N(3,2)", "1000 N(4,1)", "1000 N(6,0)", "1000 N(4,0)"}));
}

// Received bytes -> events (traces and the immediate transmission aside) and state,
// on an idle IC-756 with nothing queued.
TEST(CivEngine, FrequencyAnswerThatIsNotBcdAnswersTheHeadAndTheQueueGoesOn)
{
    BusHarness h;
    Tic756* e = idleEngine<Tic756>(h);
    e->setFreq("014.195.000");
    h.clock.advance(300);
    h.receive(freqFrame);  // echo
    h.receive("FE FE E0 50 FB FD");
    h.log.lines.clear();

    e->ReadFreq();
    e->setMode(civ::Mode::Cw);
    h.clock.advance(300);
    h.receive("FE FE 50 E0 03 FD");                          // echo
    h.receive("FE FE E0 50 03 00 50 1F 14 00 FD");           // a nibble of F
    h.receive("FE FE 50 E0 06 03 01 FD FE FE E0 50 FB FD");  // echo of the mode, and OK
    h.clock.advance(20000);
    EXPECT_EQ(h.log.lines, (QStringList{
                               "1300 E(9,1)",
                               "1300 E(9,2)",
                               "1600 E(8,1)",
                               "1600 send FE FE 50 E0 03 FD",
                               "1600 E(9,2)",
                               "1600 D[FE FE 50 E0 03 FD - ]",
                               "1600 E(9,2)",
                               "1600 E(10,0)",
                               "1600 E(9,1)",
                               "1600 E(8,1)",
                               "1600 send FE FE 50 E0 06 03 01 FD",
                               "1600 D[FE FE E0 50 03 00 50 1F 14 00 FD - ]",
                               "1600 E(9,1)",
                               "1600 E(9,1)",
                               "1600 E(5,0)",
                               "1600 N(1,0)",
                               "1600 E(9,0)",
                               "1600 D[FE FE 50 E0 06 03 01 FD - FE FE E0 50 FB FD - ]",
                           }));
    EXPECT_EQ(e->Freq(), "014.195.000");
    EXPECT_EQ(e->mode(), civ::Mode::Cw);
}

TEST(CivEngine, DecodeVectors)
{
    struct Vector {
        const char* bytes;
        QStringList events;  // E/N codes, without times
        QString freq = "NONE";
        int mode = 5;
    };
    const Vector vectors[] = {
        {"FE FE E0 50 03 00 50 19 14 00 FD", {"E(9,0)", "N(3,0)", "E(9,0)"}, "014.195.000"},
        {"FE FE 00 50 00 00 00 50 45 01 FD", {"E(9,0)", "N(3,0)", "E(9,0)"}, "145.500.000"},
        {"FE FE 50 E1 05 00 00 50 45 01 FD",
         {"E(9,0)", "N(3,0)", "E(9,0)"},
         "145.500.000"},  // another controller
        {"FE FE E1 50 03 00 00 50 45 01 FD",
         {"E(9,0)", "N(3,0)", "E(9,0)"},
         "145.500.000"},  // answer to another
        {"FE FE E0 50 03 FF FD", {"E(9,0)", "N(6,0)", "E(9,0)"}},
        {"FE FE E0 50 03 FF 11 22 33 44 FD", {"E(9,0)", "N(6,0)", "E(9,0)"}},
        {"FE FE E0 50 04 03 02 FD", {"E(9,0)", "N(4,0)", "E(9,0)"}, "NONE", 0},
        {"FE FE E0 50 04 03 01 FD", {"E(9,0)", "N(4,0)", "E(9,0)"}, "NONE", 1},
        {"FE FE E0 50 01 00 02 FD", {"E(9,0)", "N(4,0)", "E(9,0)"}, "NONE", 9},
        {"FE FE E0 50 06 06 01 FD", {"E(9,0)", "N(4,0)", "E(9,0)"}, "NONE", 6},
        {"FE FE E0 50 01 01 FD", {"E(9,0)", "N(4,0)", "E(9,0)"}, "NONE", 3},
        {"FE FE E0 50 01 06 02 FD", {"E(9,0)", "N(4,0)", "E(9,0)"}},  // no narrow WFM: unchanged
        {"FE FE E0 50 01 07 01 FD", {"E(9,0)", "N(4,0)", "E(9,0)"}},  // unknown mode byte: unchanged
        {"FE FE E0 50 04 FF FD", {"E(9,0)", "N(4,0)", "E(9,0)"}},
        {"FE FE E0 50 FF FD", {"E(9,0)", "E(6,0)", "E(9,0)"}},
        {"FE FE E0 50 1A 05 FD", {"E(9,0)", "E(7,26)", "E(9,0)"}},
        {"FE FE E0 50 0F FD", {"E(9,0)", "E(7,15)", "E(9,0)"}},
        // The echo of a frame of ours is never decoded.
        {"FE FE 50 E0 05 00 00 50 45 01 FD", {"E(9,0)"}},
        // Neither address is ours.
        {"FE FE E1 60 00 00 00 50 45 01 FD", {"E(9,0)"}},
        // Too short for what they announce: nothing decoded.
        {"FE FE E0 50 03 00 50 19 14 FD", {"E(9,0)"}},
        {"FE FE E0 50 03 FD", {"E(9,0)"}},
        {"FE FE E0 50 01 FD", {"E(9,0)"}},
        {"FE FE E0 50 FD", {"E(9,0)"}},
        {"FE FE 50 FD", {"E(9,0)"}},
        {"FE FE FD", {"E(9,0)"}},
        // Digits that are not BCD: a bad frequency, Freq unchanged.
        {"FE FE E0 50 00 0A 00 50 45 01 FD", {"E(9,0)", "E(10,0)", "E(9,0)"}},
        {"FE FE E0 50 03 00 50 19 A4 00 FD", {"E(9,0)", "E(10,0)", "E(9,0)"}},
        {"FE FE 50 E1 05 00 00 50 45 0F FD", {"E(9,0)", "E(10,0)", "E(9,0)"}},
        // No preamble, or no FD: nothing at all.
        {"FE E0 50 FB FD", {}},
        {"E0 50 FB FD", {}},
        {"FE FE E0 50 FB", {}},
        // The preamble nearest to the FD.
        {"FE FE FE FE E0 50 03 00 50 19 14 00 FD", {"E(9,0)", "N(3,0)", "E(9,0)"}, "014.195.000"},
        {"FE FE E0 50 03 00 FE FE E0 50 04 03 02 FD", {"E(9,0)", "N(4,0)", "E(9,0)"}, "NONE", 0},
        // A jam byte between frames disturbs neither.
        {"FE FE E0 50 04 03 02 FD FC FE FE E0 50 03 00 50 19 14 00 FD",
         {"E(9,0)", "N(4,0)", "E(9,0)", "E(9,0)", "N(3,0)", "E(9,0)"},
         "014.195.000",
         0},
        // A jam byte after the preamble kills the frame.
        {"FE FE E0 50 FC 03 00 50 19 14 00 FD", {}},
        {"FE FC FE E0 50 FB FD", {}},
        {"FE FE E0 FC FE FE E0 50 04 03 02 FD", {"E(9,0)", "N(4,0)", "E(9,0)"}, "NONE", 0},
        // 20 bytes from preamble to FD are recognised, 21 are not.
        {"FE FE E0 50 03 00 50 19 14 00 01 02 03 04 05 06 07 08 09 FD",
         {"E(9,0)", "N(3,0)", "E(9,0)"},
         "014.195.000"},
        {"FE FE E0 50 03 00 50 19 14 00 01 02 03 04 05 06 07 08 09 0A FD", {}},
    };
    for (const Vector& v : vectors) {
        BusHarness h;
        Tic756* e = idleEngine<Tic756>(h);
        h.receive(v.bytes);
        QStringList events;
        for (const QString& l : h.log.withoutTraces())
            events << l.section(' ', 1);
        EXPECT_EQ(events, v.events) << v.bytes;
        EXPECT_EQ(e->Freq(), v.freq) << v.bytes;
        EXPECT_EQ(e->mode(), v.mode) << v.bytes;
        EXPECT_EQ(h.bus->sent, 0) << v.bytes;
    }
}

TEST(CivEngine, TraceHasOneLinePerChunk)
{
    BusHarness h;
    idleEngine<Tic756>(h);
    h.receive("FE FE E0 50 FB FD FE FE E0 50 FA FD 01");
    h.receive("");
    EXPECT_EQ(h.log.lines.filter(" D["),
              (QStringList{"1000 D[FE FE E0 50 FB FD - FE FE E0 50 FA FD - 01 ]", "1000 D[]"}));
}

TEST(CivEngine, ReceiveWindowKeepsTheLastTwentyBytes)
{
    BusHarness h;
    Tic756* e = idleEngine<Tic756>(h);
    std::array<quint8, 20> w{};
    h.receive("01 02 03");
    w[17] = 1, w[18] = 2, w[19] = 3;
    EXPECT_EQ(e->RxWindow(), w);
    QByteArray many;
    for (int i = 0; i < 30; ++i)
        many.append(char(i));
    h.bus->receive(many);
    for (int i = 0; i < 20; ++i)
        w[i] = quint8(10 + i);
    EXPECT_EQ(e->RxWindow(), w);
    h.receive("05 FC 07");
    w.fill(0);
    w[19] = 7;
    EXPECT_EQ(e->RxWindow(), w);
    e->RxByte(0x08);
    w[18] = 7, w[19] = 8;
    EXPECT_EQ(e->RxWindow(), w);
}

TEST(CivEngine, ClearQueueRaisesNothingAndLeavesTheTimer)
{
    BusHarness h;
    Tic756* e = idleEngine<Tic756>(h);
    e->setFreq("014.195.000");
    e->ReadFreq();
    h.clock.advance(500);  // sent at 1300, retry due at 2300
    h.log.lines.clear();
    e->ClearQueue();
    EXPECT_TRUE(e->Queue().empty());
    EXPECT_TRUE(h.log.lines.isEmpty());
    EXPECT_EQ(e->Timer()->interval(), 1000);
    EXPECT_EQ(h.clock.nextDeadline(), 2300);
}

TEST(CivEngine, MissingDeviceSendsNothing)
{
    BusHarness h;
    Tic756* e = idleEngine<Tic756>(h);
    e->setDevice(nullptr);
    e->setFreq("014.195.000");
    h.clock.advance(500);
    EXPECT_EQ(h.log.lines, (QStringList{"1000 E(9,1)", "1300 E(8,1)"}));
    h.clock.advance(1000);
    EXPECT_EQ(h.bus->sent, 0);
    EXPECT_EQ(e->Queue().front().Tries, 2);
}

TEST(CivEngine, EngineWithoutOwnerReleasesItsTimer)
{
    FakeClock clock;
    QPointer<Timer> timer;
    {
        Tic821 engine(nullptr);
        timer = engine.Timer();
        ASSERT_TRUE(timer);
        engine.ReadFreq();
    }
    EXPECT_FALSE(timer);
    EXPECT_EQ(clock.nextDeadline(), -1);
}

TEST(CivEngine, AFrameRestartsTheCountdownUnlessBothDelaysEqualTheInterval)
{
    BusHarness h;
    Tic756* e = h.open<Tic756>(0);
    e->SendDelay = 1000;
    e->ReplyTimeout = 1000;
    h.clock.advance(750);  // the first event at 250 set 1000: next due at 1250
    h.receive("FE FE E0 50 FB FD");
    EXPECT_EQ(h.clock.nextDeadline(), 1250);
    e->SendDelay = 300;
    h.receive("FE FE E0 50 FB FD");
    EXPECT_EQ(h.clock.nextDeadline(), 1750);
    EXPECT_EQ(e->Timer()->interval(), 1000);
    e->Timer()->setEnabled(false);
    h.receive("FE FE E0 50 FB FD");
    EXPECT_EQ(h.clock.nextDeadline(), -1);
    EXPECT_FALSE(e->Timer()->enabled());
}

TEST(CivEngine, OffsetAnswerAnswersTheHeadAndReportsTheOffset)
{
    BusHarness h;
    Tic821* e = idleEngine<Tic821>(h);
    EXPECT_EQ(e->offset(), -1);
    e->ReadOffset();
    e->ReadMode();
    h.clock.advance(300);
    h.receive("FE FE 4C E0 0C FD");           // echo
    h.receive("FE FE E0 4C 0C 00 60 00 FD");  // 600.0 kHz
    EXPECT_EQ(e->offset(), 600000);
    EXPECT_EQ(queueOf(*e), (QStringList{"FE FE 4C E0 04 FD"}));
    EXPECT_EQ(h.log.withoutTraces().filter(" N("), (QStringList{"1300 N(7,1)"}));
    EXPECT_TRUE(h.log.withoutTraces().filter(QRegularExpression(" E\\((0|1|7),")).isEmpty());
    // The next command goes out at once, not the offset read once more.
    EXPECT_EQ(h.log.withoutTraces().last(), "1300 send FE FE 4C E0 04 FD");

    e->ReadOffset();
    h.receive("FE FE E0 4C 0C 50 12 34 FD");  // 34.125 MHz
    EXPECT_EQ(e->offset(), 34125000);
    h.receive("FE FE E0 4C 0C 0A 00 00 FD");  // not decimal: refused, offset kept
    EXPECT_EQ(e->offset(), 34125000);
    EXPECT_EQ(h.log.lines.filter(" E(10,0)").size(), 1);
}
