#include "sim/bus.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/timer.h"
#include "sim/frameassembler.h"
#include "sim/radio.h"
#include "simtest.h"

namespace {

const RadioModel& model(const char* key) { return *findRadioModel(QString::fromLatin1(key)); }

struct UnpacedBus : ::testing::Test {
    UnpacedBus() { bus.setPaced(false); }
    SimBus bus;
};

}  // namespace

TEST(FrameAssembler, CutsFramesAndDropsWhatAJamInterrupts)
{
    QList<QByteArray> frames;
    FrameAssembler a([&](const QByteArray& f) { frames.append(f); });
    a.feed(hex("01 02 FE FE 50 E0 03 FD 33"));     // noise around a frame
    a.feed(hex("FE FE 50 E0 05 00"));              // interrupted by a jam...
    a.feed(hex("FC 00 50 19 14 00 FD"));           // ...so its tail is no frame
    a.feed(hex("FE FE FE 50 E0 04 FD"));           // an extra preamble byte
    a.feed(hex("FE FE 50 E0 FE FE 4C E0 03 FD"));  // a new preamble restarts
    a.feed(hex("FE"));
    a.feed(hex("FE 50 E0 07 D1"));
    a.feed(hex("FD"));  // split anywhere
    ASSERT_EQ(frames.size(), 4);
    EXPECT_EQ(hexText(frames[0]), "FE FE 50 E0 03 FD");
    EXPECT_EQ(hexText(frames[1]), "FE FE 50 E0 04 FD");
    EXPECT_EQ(hexText(frames[2]), "FE FE 4C E0 03 FD");
    EXPECT_EQ(hexText(frames[3]), "FE FE 50 E0 07 D1 FD");
}

TEST_F(UnpacedBus, ControllerHearsItsEchoBeforeTheAnswer)
{
    SimRadio radio(bus, model("ic756"), 0x50);
    TestController pc(bus);
    EXPECT_EQ(pc.exchangeText("FE FE 50 E0 03 FD"), "FE FE 50 E0 03 FD FE FE E0 50 03 00 50 19 14 00 FD");
}

TEST_F(UnpacedBus, EveryStationHearsEverythingButOnlyTheAddressedRadioAnswers)
{
    SimRadio ic756(bus, model("ic756"), 0x50);
    SimRadio ic821(bus, model("ic821"), 0x4C);
    SimRadio ic706(bus, model("ic706mkii"), 0x48);
    TestController pc(bus);
    TestController other(bus);

    EXPECT_EQ(pc.exchangeText("FE FE 4C E0 03 FD"), "FE FE 4C E0 03 FD FE FE E0 4C 03 00 00 50 45 01 FD");
    EXPECT_EQ(hexText(other.heard), "FE FE 4C E0 03 FD FE FE E0 4C 03 00 00 50 45 01 FD");

    // A frame to an address nobody has, and one between two other stations.
    EXPECT_EQ(pc.exchangeText("FE FE 66 E0 03 FD"), "FE FE 66 E0 03 FD");
    EXPECT_EQ(pc.exchangeText("FE FE E1 50 FB FD"), "FE FE E1 50 FB FD");

    // Another controller's command is answered to that controller, and heard by us.
    pc.heard.clear();
    other.send("FE FE 48 E1 05 00 00 10 14 00 FD");
    EXPECT_EQ(hexText(pc.heard), "FE FE 48 E1 05 00 00 10 14 00 FD FE FE E1 48 FB FD");
    EXPECT_EQ(ic706.state().operating().freq, 14100000);
}

TEST(PacedBus, BytesLeaveAtTheLineSpeed)
{
    FakeClock clock;
    SimBus bus;  // 9600 baud: 10 bits per byte, 1.04 ms each
    SimRadio radio(bus, model("ic756"), 0x50);
    TestController pc(bus);
    pc.send("FE FE 50 E0 05 00 00 10 14 00 FD");
    EXPECT_TRUE(pc.heard.isEmpty());
    clock.advance(5);
    EXPECT_EQ(pc.heard.size(), 4);  // 4.8 bytes' time
    clock.advance(6);
    EXPECT_EQ(pc.heard.size(), 10);
    clock.advance(1);  // 11.46 ms for the whole frame
    EXPECT_EQ(pc.heard.size(), 11);
    clock.advance(6);
    EXPECT_EQ(pc.heard.size(), 16);
    clock.advance(1);  // the 6-byte OK takes 6.25 ms after the echo
    EXPECT_EQ(hexText(pc.heard), "FE FE 50 E0 05 00 00 10 14 00 FD FE FE E0 50 FB FD");
    EXPECT_EQ(bus.pending(), 0);
}

TEST(PacedBus, SlowerLineTakesLongerAndIdleLineCostsNothing)
{
    FakeClock clock;
    SimBus bus;
    bus.setBaud(1200);  // 8.33 ms per byte
    TestController pc(bus);
    clock.advance(1000);
    pc.send("FE FE 50 E0 03 FD");
    clock.advance(49);
    EXPECT_EQ(pc.heard.size(), 5);
    clock.advance(1);
    EXPECT_EQ(pc.heard.size(), 6);
}

TEST_F(UnpacedBus, DeadInterfaceCutsControllersOff)
{
    SimRadio radio(bus, model("ic756"), 0x50);
    TestController pc(bus);
    TestController radioSide(bus, false);  // another radio-side station still hears the line
    bus.faults().interfaceDead = true;
    EXPECT_EQ(pc.exchangeText("FE FE 50 E0 05 00 00 10 14 00 FD"), "");
    EXPECT_EQ(radio.state().operating().freq, 14195000);
    radio.turnKnob(1);
    EXPECT_TRUE(pc.heard.isEmpty());
    EXPECT_EQ(hexText(radioSide.heard), "FE FE 00 50 00 10 50 19 14 00 FD");
    bus.faults().interfaceDead = false;
    EXPECT_EQ(pc.exchangeText("FE FE 50 E0 03 FD"), "FE FE 50 E0 03 FD FE FE E0 50 03 10 50 19 14 00 FD");
}

TEST_F(UnpacedBus, RadioSwitchedOffGivesOnlyTheEcho)
{
    SimRadio radio(bus, model("ic821"), 0x4C);
    TestController pc(bus);
    radio.setPowered(false);
    EXPECT_EQ(pc.exchangeText("FE FE 4C E0 03 FD"), "FE FE 4C E0 03 FD");
    pc.heard.clear();
    radio.turnKnob(5);
    EXPECT_TRUE(pc.heard.isEmpty());
    radio.setPowered(true);
    EXPECT_EQ(pc.exchangeText("FE FE 4C E0 0F 01 FD"), "FE FE 4C E0 0F 01 FD FE FE E0 4C FB FD");
}

TEST_F(UnpacedBus, RefusingRadioAnswersNgToEverything)
{
    SimRadio radio(bus, model("ic706"), 0x48);
    TestController pc(bus);
    radio.setRefuseAll(true);
    EXPECT_EQ(pc.exchangeText("FE FE 48 E0 03 FD"), "FE FE 48 E0 03 FD FE FE E0 48 FA FD");
    EXPECT_EQ(pc.exchangeText("FE FE 48 E0 05 00 00 10 14 00 FD"),
              "FE FE 48 E0 05 00 00 10 14 00 FD FE FE E0 48 FA FD");
    EXPECT_EQ(radio.state().operating().freq, 14195000);
}

TEST_F(UnpacedBus, NoiseBetweenFramesLeavesTheFramesWhole)
{
    SimRadio radio(bus, model("ic756"), 0x50);
    TestController pc(bus);
    bus.faults().noise = true;
    const QByteArray heard = pc.exchange("FE FE 50 E0 03 FD");
    const QByteArray echo = hex("FE FE 50 E0 03 FD");
    const QByteArray answer = hex("FE FE E0 50 03 00 50 19 14 00 FD");
    const qsizetype e = heard.indexOf(echo);
    const qsizetype a = heard.indexOf(answer);
    ASSERT_GT(e, 0) << hexText(heard).toStdString();
    ASSERT_GT(a, e + echo.size()) << "noise stands between echo and answer";
    EXPECT_LE(heard.size() - echo.size() - answer.size(), 6);
    for (qsizetype i = 0; i < heard.size(); ++i) {
        const bool inFrame = (i >= e && i < e + echo.size()) || (i >= a && i < a + answer.size());
        if (!inFrame) {
            EXPECT_LT(quint8(heard[i]), 0xFC) << "noise never looks like framing";
        }
    }
}

TEST_F(UnpacedBus, DroppedBytesSpoilFrames)
{
    SimRadio radio(bus, model("ic756"), 0x50);
    TestController pc(bus);
    bus.faults().dropEvery = 4;
    // The 4th byte (the source address) is lost on the way: the radio hears no
    // frame of its own and stays silent.
    EXPECT_EQ(pc.exchangeText("FE FE 50 E0 03 FD"), "FE FE 50 03 FD");
}

TEST_F(UnpacedBus, JamByteCutsTheNextFramesOnly)
{
    SimRadio radio(bus, model("ic756"), 0x50);
    TestController pc(bus);
    bus.faults().jamFrames = 1;
    EXPECT_EQ(pc.exchangeText("FE FE 50 E0 05 00 00 10 14 00 FD"), "FE FE 50 E0 05 FC");
    EXPECT_EQ(radio.state().operating().freq, 14195000);
    EXPECT_EQ(bus.faults().jamFrames, 0);
    EXPECT_EQ(pc.exchangeText("FE FE 50 E0 03 FD"), "FE FE 50 E0 03 FD FE FE E0 50 03 00 50 19 14 00 FD");

    // A jam on every frame: nothing whole reaches anyone.
    bus.faults().jamFrames = -1;
    EXPECT_EQ(pc.exchangeText("FE FE 50 E0 03 FD"), "FE FE 50 FC");
    EXPECT_EQ(pc.exchangeText("FE FE 50 E0 03 FD"), "FE FE 50 FC");
}

TEST(PacedBus, DelayedAnswerComesLate)
{
    FakeClock clock;
    SimBus bus;
    bus.setPaced(false);
    SimRadio radio(bus, model("ic756"), 0x50);
    TestController pc(bus);
    radio.setAnswerDelayMs(800);
    EXPECT_EQ(pc.exchangeText("FE FE 50 E0 0F 01 FD"), "FE FE 50 E0 0F 01 FD");
    clock.advance(799);
    EXPECT_EQ(hexText(pc.heard), "FE FE 50 E0 0F 01 FD");
    clock.advance(1);
    EXPECT_EQ(hexText(pc.heard), "FE FE 50 E0 0F 01 FD FE FE E0 50 FB FD");
    clock.advance(5000);
    EXPECT_EQ(pc.heard.size(), 13);
}

TEST_F(UnpacedBus, StationsMayLeaveWhileTheLineDelivers)
{
    std::unique_ptr<SimRadio> radio;
    struct Leaver : TestController {
        using TestController::TestController;
        std::unique_ptr<SimRadio>* victim = nullptr;
        void hear(const quint8* d, int n) override
        {
            TestController::hear(d, n);
            victim->reset();
        }
    } leaver(bus);  // hears first, and takes the radio off the bus
    leaver.victim = &radio;
    radio = std::make_unique<SimRadio>(bus, model("ic756"), 0x50);
    TestController pc(bus);
    EXPECT_EQ(pc.exchangeText("FE FE 50 E0 03 FD"), "FE FE 50 E0 03 FD");
    EXPECT_EQ(radio, nullptr);
    EXPECT_EQ(bus.stations().size(), 2);
}
