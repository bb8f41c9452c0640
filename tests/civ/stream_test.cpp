#include <gtest/gtest.h>

#include <random>

#include "bus.h"

// However the received bytes are cut into chunks, the engine does the same things
// in the same order; only the OnDebug traces follow the chunks.

namespace {

// Answers, echoes, reports, foreign traffic, jam bytes and noise, as an IC-756 at
// 50 with three commands queued would hear them.
QByteArray mixedStream()
{
    return hex(
        "FE FE 50 E0 05 00 50 19 14 00 FD"                                // echo of the head
        "12 34 FE"                                                        // noise
        "FE FE E0 50 FB FD"                                               // OK
        "FE FE E1 60 03 FD"                                               // two other stations
        "FE FE E0 FC"                                                     // collision
        "FE FE 00 50 00 00 00 50 45 01 FD"                                // unsolicited frequency
        "FE FE 50 E0 06 03 01 FD"                                         // echo of the next head
        "FE FE E0 50 FA FD"                                               // NG
        "FE FE 00 50 01 00 02 FD"                                         // unsolicited mode
        "FE FE 50 E0 03 FD"                                               // echo of the read
        "FE FE E0 50 03 00 50 19 14 00 FD"                                // its answer
        "FE FE E0 50 FF FD"                                               // FF
        "FE FE E0 50 1A 01 FD"                                            // undecoded command
        "FE FE E0 50 03 00 50 19 14 00 01 02 03 04 05 06 07 08 09 0A FD"  // 21 bytes
        "FE FE E0 50 FD"                                                  // too short
        "FD FD FE"                                                        // stray bytes
        "FE FE E0");                                                      // unfinished
}

struct Outcome {
    QStringList events;
    QString freq;
    int mode = 0;
    QStringList queue;
    std::vector<std::array<int, 3>> cmdState;  // Echoed, Tries, NgCount
    std::array<quint8, 20> window{};
    int interval = 0;
    qint64 deadline = 0;

    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& o, std::ostream* os)
{
    *os << o.events.join(" | ").toStdString() << " freq " << o.freq.toStdString() << " mode " << o.mode;
}

template <typename Deliver>
Outcome run(Deliver deliver)
{
    BusHarness h;
    Tic756* e = h.open<Tic756>();
    h.clock.advance(1000);
    e->setFreq("014.195.000");
    e->setMode(civ::Mode::Cw);
    e->ReadFreq();
    h.clock.advance(300);
    deliver(*h.bus);
    Outcome o;
    o.events = h.log.withoutTraces();
    o.freq = e->Freq();
    o.mode = e->mode();
    o.queue = queueOf(*e);
    for (const TCmd& c : e->Queue())
        o.cmdState.push_back({c.Echoed, c.Tries, c.NgCount});
    o.window = e->RxWindow();
    o.interval = e->Timer()->interval();
    o.deadline = h.clock.nextDeadline();
    return o;
}

}  // namespace

TEST(CivStream, WholeStreamOutcome)
{
    const QByteArray s = mixedStream();
    const Outcome whole = run([&](FakeBus& bus) { bus.receive(s); });
    EXPECT_EQ(whole.freq, "014.195.000");
    EXPECT_EQ(whole.mode, 9);
    EXPECT_TRUE(whole.queue.isEmpty());
    EXPECT_EQ(whole.events.filter(" N(").join(' '),
              "1300 N(1,2) 1300 N(3,2) 1300 N(2,1) 1300 N(4,1) 1300 N(3,0)");
    EXPECT_EQ(whole.events.filter("E(6,0)").size(), 1);
    EXPECT_EQ(whole.events.filter("E(7,26)").size(), 1);
}

TEST(CivStream, SplitAnywhereGivesTheSameOutcome)
{
    const QByteArray s = mixedStream();
    const Outcome whole = run([&](FakeBus& bus) { bus.receive(s); });
    for (qsizetype i = 0; i <= s.size(); ++i) {
        for (qsizetype j = i; j <= s.size(); ++j) {
            const Outcome split = run([&](FakeBus& bus) {
                bus.receive(s.left(i));
                bus.receive(s.mid(i, j - i));
                bus.receive(s.mid(j));
            });
            ASSERT_EQ(split, whole) << "split at " << i << " and " << j;
        }
    }
}

TEST(CivStream, ByteByByteAndRandomChunksGiveTheSameOutcome)
{
    const QByteArray s = mixedStream();
    const Outcome whole = run([&](FakeBus& bus) { bus.receive(s); });
    EXPECT_EQ(run([&](FakeBus& bus) {
                  for (char c : s)
                      bus.receive(QByteArray(1, c));
              }),
              whole);
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        const Outcome chunked = run([&](FakeBus& bus) {
            qsizetype at = 0;
            while (at < s.size()) {
                const qsizetype n = std::uniform_int_distribution<qsizetype>(0, 25)(rng);
                bus.receive(s.mid(at, n));
                at += n;
            }
        });
        ASSERT_EQ(chunked, whole) << round;
    }
}

TEST(CivStream, TracesFollowTheChunks)
{
    BusHarness h;
    h.open<Tic756>();
    h.receive("FE FE E0");
    h.receive("50 FB FD 01");
    EXPECT_EQ(h.log.lines.filter(" D["), (QStringList{"0 D[FE FE E0 ]", "0 D[50 FB FD - 01 ]"}));
}
