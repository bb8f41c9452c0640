#include "sim/radio.h"

#include <gtest/gtest.h>

#include <memory>

#include "civ/codec.h"
#include "core/timer.h"
#include "sim/bus.h"
#include "simtest.h"

namespace {

// One radio on an unpaced bus, asked by a controller at E0.
struct RadioTest : ::testing::Test {
    RadioTest() { bus.setPaced(false); }

    SimRadio& use(const char* key, int address = -1)
    {
        const RadioModel& m = *findRadioModel(QString::fromLatin1(key));
        radio = std::make_unique<SimRadio>(bus, m, quint8(address < 0 ? m.address : address));
        return *radio;
    }

    // The body of the radio's answer to a command body ("" when it says nothing).
    QString ask(const char* body)
    {
        const QByteArray sent = civ::frame(radio->address(), civ::Controller, hex(body));
        pc.heard.clear();
        pc.send(sent);
        EXPECT_TRUE(pc.heard.startsWith(sent)) << "echo first";
        const QByteArray rest = pc.heard.mid(sent.size());
        if (rest.isEmpty())
            return {};
        const auto parts = civ::splitFrame(rest);
        EXPECT_TRUE(parts) << hexText(rest).toStdString();
        if (!parts)
            return QStringLiteral("?");
        EXPECT_EQ(parts->to, civ::Controller);
        EXPECT_EQ(parts->from, radio->address());
        return hexText(parts->body);
    }

    SimBus bus;
    TestController pc{bus};
    std::unique_ptr<SimRadio> radio;
};

}  // namespace

TEST_F(RadioTest, ReadsFrequencyModeAndSetsThem)
{
    use("ic756");
    EXPECT_EQ(ask("03"), "03 00 50 19 14 00");
    EXPECT_EQ(ask("04"), "04 01 01");
    EXPECT_EQ(ask("05 00 00 10 14 00"), "FB");
    EXPECT_EQ(ask("06 03 02"), "FB");
    EXPECT_EQ(ask("03"), "03 00 00 10 14 00");
    EXPECT_EQ(ask("04"), "04 03 02");
    EXPECT_EQ(ask("06 00"), "FB");  // no filter byte: the normal filter
    EXPECT_EQ(ask("04"), "04 00 01");
}

TEST_F(RadioTest, FrequencyOutsideTheModelsRangeIsRefused)
{
    struct Case {
        const char* model;
        const char* body;
        const char* answer;
    };
    const Case cases[] = {
        {"ic706", "05 90 99 02 00 00", "FA"},                                            // 29.999 kHz
        {"ic706", "05 00 00 03 00 00", "FB"},                                            // 30 kHz
        {"ic706", "05 00 00 00 00 02", "FB"},                                            // 200 MHz
        {"ic706", "05 10 00 00 00 02", "FA"},                                            // 200.000.010
        {"ic706mkii", "05 00 00 50 45 01", "FB"},                                        // 145.5 MHz
        {"ic756", "05 00 00 00 60 00", "FB"},                                            // 60 MHz
        {"ic756", "05 00 10 00 60 00", "FA"},                                            // 60.001 MHz
        {"ic756", "05 00 00 50 45 01", "FA"},     {"ic821", "05 00 90 99 35 01", "FA"},  // 135.999 MHz
        {"ic821", "05 00 00 00 36 01", "FB"},                                            // 136 MHz
        {"ic821", "05 00 00 00 74 01", "FB"},                                            // 174 MHz
        {"ic821", "05 00 00 00 00 02", "FA"},  // 200 MHz: between the bands
        {"ic821", "05 00 00 00 20 04", "FB"},  // 420 MHz
        {"ic821", "05 00 00 00 60 04", "FB"},  // 460 MHz
        {"ic821", "05 00 10 00 60 04", "FA"},  // 460.001 MHz
        {"ic821", "05 00 00 50 14 00", "FA"},  // 14.5 MHz
        {"ic821", "05 00 00 5A 45 01", "FA"},  // not BCD
        {"ic821", "05 00 00 50", "FA"},        // too short
    };
    for (const Case& c : cases) {
        use(c.model);
        EXPECT_EQ(ask(c.body), c.answer) << c.model << " " << c.body;
    }
}

TEST_F(RadioTest, FourByteFrequencyKeepsTheHundredsOfMegahertz)
{
    use("ic821");  // Hamlib sends the IC-821 four bytes
    EXPECT_EQ(ask("05 00 00 20 45"), "FB");
    EXPECT_EQ(radio->state().operating().freq, 145200000);
    EXPECT_EQ(ask("05 00 00 10 35"), "FB");  // 135.1 is out of range: 435.1
    EXPECT_EQ(radio->state().operating().freq, 435100000);
    EXPECT_EQ(ask("05 00 00 10 85"), "FA");  // no hundreds fit
}

TEST_F(RadioTest, ModeTheModelLacksIsRefused)
{
    use("ic756");
    EXPECT_EQ(ask("06 06"), "FA");     // no WFM
    EXPECT_EQ(ask("06 04 01"), "FB");  // RTTY
    use("ic821");
    EXPECT_EQ(ask("06 02"), "FA");     // no AM
    EXPECT_EQ(ask("06 04"), "FA");     // no RTTY
    EXPECT_EQ(ask("06 05 02"), "FB");  // FM narrow
    EXPECT_EQ(ask("06 09"), "FA");     // no such mode byte
    use("ic706");
    EXPECT_EQ(ask("06 06"), "FB");  // WFM without filter byte
    EXPECT_EQ(ask("04"), "04 06");
    EXPECT_EQ(ask("06 06 02"), "FA");  // no narrow WFM
    EXPECT_EQ(ask("06 02 02"), "FB");
    EXPECT_EQ(ask("06"), "FA");
}

TEST_F(RadioTest, CommandsTheModelDoesNotHaveAreRefused)
{
    use("ic706");
    EXPECT_EQ(ask("07 D1"), "FA");     // one band
    EXPECT_EQ(ask("07 C1"), "FA");     // no dual watch
    EXPECT_EQ(ask("12 00 00"), "FA");  // no antenna switch
    EXPECT_EQ(ask("1A 03"), "FA");
    EXPECT_EQ(ask("0F 11"), "FB");  // duplex minus
    use("ic756");
    EXPECT_EQ(ask("0F 12"), "FA");  // no duplex
    EXPECT_EQ(ask("0C"), "FA");
    EXPECT_EQ(ask("07 C1"), "FB");
    EXPECT_TRUE(radio->state().dualWatch());
    EXPECT_EQ(ask("12 01 01"), "FB");
    EXPECT_EQ(radio->state().antenna(), 2);
    EXPECT_TRUE(radio->state().receiveAntenna());
    EXPECT_EQ(ask("12"), "12 01 01");
    EXPECT_EQ(ask("12 00 00"), "FB");
    EXPECT_EQ(ask("12 02 00"), "FA");
    use("ic821");
    EXPECT_EQ(ask("07 C0"), "FA");
    EXPECT_EQ(ask("12 00 00"), "FA");
    EXPECT_EQ(ask("0E 12"), "FA");  // no fine scan
}

TEST_F(RadioTest, VfosAndBandsKeepTheirOwnSettings)
{
    use("ic821");
    EXPECT_EQ(ask("07 01"), "FB");  // VFO B
    EXPECT_EQ(ask("03"), "03 00 00 80 45 01");
    EXPECT_EQ(ask("07 00"), "FB");
    EXPECT_EQ(ask("03"), "03 00 00 50 45 01");
    EXPECT_EQ(ask("07 D1"), "FB");  // sub band
    EXPECT_EQ(ask("03"), "03 00 00 00 35 04");
    EXPECT_EQ(ask("05 00 00 00 32 04"), "FB");
    EXPECT_EQ(ask("07 D0"), "FB");
    EXPECT_EQ(ask("03"), "03 00 00 50 45 01");
    EXPECT_EQ(radio->state().band(1).vfo[0].freq, 432000000);

    use("ic706");
    EXPECT_EQ(ask("07 A0"), "FB");  // A = B
    EXPECT_EQ(ask("07 01"), "FB");
    EXPECT_EQ(ask("03"), "03 00 50 19 14 00");
    EXPECT_EQ(ask("05 00 00 05 07 00"), "FB");
    EXPECT_EQ(ask("07 B0"), "FB");  // exchange: A now 7.050
    EXPECT_EQ(ask("07 00"), "FB");
    EXPECT_EQ(ask("03"), "03 00 00 05 07 00");
    EXPECT_EQ(ask("07 02"), "FA");
}

TEST_F(RadioTest, ExchangeTradesMainAndSubOnRadiosWithBoth)
{
    struct Case {
        const char* model;
        const char* main;  // the main band's readout before the exchange
        const char* sub;
    };
    const Case cases[] = {
        {"ic756", "03 00 50 19 14 00", "03 00 00 05 07 00"},
        {"ic821", "03 00 00 50 45 01", "03 00 00 00 35 04"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        use(c.model);
        EXPECT_EQ(ask("03"), c.main);
        EXPECT_EQ(ask("07 B0"), "FB");
        EXPECT_EQ(ask("03"), c.sub);
        EXPECT_EQ(radio->state().activeBand(), 0);
        EXPECT_EQ(ask("07 D1"), "FB");
        EXPECT_EQ(ask("03"), c.main);
        // From the sub band it is the same exchange, and back again.
        EXPECT_EQ(ask("07 B0"), "FB");
        EXPECT_EQ(ask("03"), c.sub);
        EXPECT_EQ(ask("07 D0"), "FB");
        EXPECT_EQ(ask("03"), c.main);
    }
}

TEST_F(RadioTest, ExchangeTradesVfoAAndBOnTheIc706Family)
{
    for (const char* model : {"ic706", "ic706mkii"}) {
        SCOPED_TRACE(model);
        use(model);
        const QString a = ask("03");
        EXPECT_EQ(ask("07 01"), "FB");
        const QString b = ask("03");
        ASSERT_NE(a, b);
        EXPECT_EQ(ask("07 B0"), "FB");
        EXPECT_EQ(ask("03"), a);  // B now holds what A held
        EXPECT_EQ(ask("07 00"), "FB");
        EXPECT_EQ(ask("03"), b);
    }
}

TEST_F(RadioTest, SplitDuplexAndOffset)
{
    use("ic821");
    EXPECT_EQ(ask("0F 01"), "FB");
    EXPECT_TRUE(radio->state().split());
    EXPECT_EQ(ask("0F 00"), "FB");
    EXPECT_FALSE(radio->state().split());
    EXPECT_EQ(ask("0F 12"), "FB");
    EXPECT_EQ(radio->state().operating().duplex, Duplex::Plus);
    EXPECT_EQ(ask("0F 13"), "FA");
    EXPECT_EQ(ask("0C"), "0C 00 60 00");  // 600 kHz in 100 Hz steps
    EXPECT_EQ(ask("0D 00 60 01"), "FB");  // 1.6 MHz
    EXPECT_EQ(radio->state().offset(), 1600000);
    EXPECT_EQ(ask("0D 00 0A 16"), "FA");
}

TEST_F(RadioTest, BlankMemoryAnswersWithNoData)
{
    use("ic756");
    EXPECT_EQ(ask("08 07"), "FB");  // select channel 7 (blank) in VFO mode
    EXPECT_EQ(ask("03"), "03 00 50 19 14 00") << "still on the VFO";
    EXPECT_EQ(ask("0A"), "FA") << "a blank channel cannot go to the VFO";
    EXPECT_EQ(ask("08"), "FB");  // memory mode
    EXPECT_EQ(ask("03"), "03 FF");
    EXPECT_EQ(ask("04"), "04 FF");
    EXPECT_EQ(ask("05 00 00 10 14 00"), "FA");
    EXPECT_EQ(ask("06 01"), "FA");
    EXPECT_EQ(ask("09"), "FA");
    EXPECT_EQ(ask("08 03"), "FB");  // channel 3: 21.300 USB
    EXPECT_EQ(ask("03"), "03 00 00 30 21 00");
    EXPECT_EQ(ask("04"), "04 01 01");
    EXPECT_EQ(ask("08 00"), "FA");     // channels start at 1
    EXPECT_EQ(ask("08 01 00"), "FA");  // 100: the IC-756 has 99
    use("ic821");
    EXPECT_EQ(ask("08 80"), "FB");
    EXPECT_EQ(ask("08 81"), "FA");
}

TEST_F(RadioTest, MemoryUploadAsTheProgramSendsIt)
{
    use("ic821");
    for (const char* body : {"07 00", "08 12", "05 00 00 70 45 01", "06 05", "0F 12", "09"})
        EXPECT_EQ(ask(body), "FB") << body;
    const MemoryEntry& m = radio->state().memory(12);
    EXPECT_EQ(m.freq, 145700000);
    EXPECT_EQ(m.mode, civ::Mode::Fm);
    EXPECT_EQ(m.duplex, Duplex::Plus);
    EXPECT_FALSE(radio->state().current().memoryMode);

    // And read back as the download does.
    for (const char* body : {"08", "08 12"})
        EXPECT_EQ(ask(body), "FB") << body;
    EXPECT_EQ(ask("04"), "04 05 01");
    EXPECT_EQ(ask("03"), "03 00 00 70 45 01");

    EXPECT_EQ(ask("0B"), "FB");  // clear
    EXPECT_EQ(ask("03"), "03 FF");
    EXPECT_TRUE(radio->state().memory(12).blank());
}

TEST_F(RadioTest, MemoryToVfoCopiesTheChannel)
{
    use("ic706");
    EXPECT_EQ(ask("08 05"), "FB");  // 3.560 CW
    EXPECT_EQ(ask("0A"), "FB");
    EXPECT_EQ(ask("03"), "03 00 00 56 03 00");
    EXPECT_EQ(ask("04"), "04 03 01");
}

TEST_F(RadioTest, ScanStepsAndReportsUntilStopped)
{
    FakeClock clock;
    use("ic756");
    EXPECT_EQ(ask("0E 01"), "FB");
    pc.heard.clear();
    clock.advance(SimRadio::ScanStepMs);
    EXPECT_EQ(hexText(pc.heard), "FE FE 00 50 00 00 00 20 14 00 FD");  // 14.200
    EXPECT_EQ(ask("0E 00"), "FB");
    pc.heard.clear();
    clock.advance(10 * SimRadio::ScanStepMs);
    EXPECT_TRUE(pc.heard.isEmpty());

    // A memory scan visits the filled channels only.
    EXPECT_EQ(ask("0E 22"), "FB");
    EXPECT_TRUE(radio->state().current().memoryMode);
    clock.advance(2 * SimRadio::ScanStepMs);
    EXPECT_EQ(radio->state().current().channel, 3);
    EXPECT_EQ(ask("0E 00"), "FB");
    EXPECT_EQ(ask("0E 55"), "FA");
}

TEST_F(RadioTest, KnobReportsToTheBroadcastAddress)
{
    FakeClock clock;
    use("ic756");
    radio->turnKnob(100);  // 10 Hz detents
    EXPECT_EQ(hexText(pc.heard), "FE FE 00 50 00 00 60 19 14 00 FD");
    pc.heard.clear();
    radio->setKnobTimer(1000, -1);
    clock.advance(2000);
    EXPECT_EQ(hexText(pc.heard), "FE FE 00 50 00 90 59 19 14 00 FD FE FE 00 50 00 80 59 19 14 00 FD");
    radio->setKnobTimer(0);
    pc.heard.clear();
    clock.advance(5000);
    EXPECT_TRUE(pc.heard.isEmpty());

    // In memory mode the dial walks the channels, blank ones included.
    EXPECT_EQ(ask("08"), "FB");
    pc.heard.clear();
    radio->turnKnob(1);
    EXPECT_EQ(radio->state().current().channel, 2);
    EXPECT_EQ(hexText(pc.heard), "FE FE 00 50 00 00 00 05 07 00 FD");
    pc.heard.clear();
    radio->turnKnob(-2);
    EXPECT_EQ(radio->state().current().channel, 99);
    EXPECT_EQ(hexText(pc.heard), "FE FE 00 50 00 FF FD");

    radio->state().setTransceive(false);
    pc.heard.clear();
    radio->turnKnob(1);
    EXPECT_TRUE(pc.heard.isEmpty());
}

TEST_F(RadioTest, KnobStopsAtTheEdgeOfTheBand)
{
    use("ic821");
    radio->turnKnob(1000, 100000);  // +100 MHz from 145.5
    EXPECT_EQ(radio->state().operating().freq, 174000000);
}

TEST_F(RadioTest, TransceiveFramesFromAControllerSetWithoutAnAnswer)
{
    use("ic706mkii", 0x4E);
    EXPECT_EQ(ask("00 00 00 60 45 01"), "");
    EXPECT_EQ(ask("01 01 01"), "");
    EXPECT_EQ(radio->state().operating().freq, 145600000);
    EXPECT_EQ(radio->state().operating().mode, civ::Mode::Usb);
}

TEST_F(RadioTest, FramesItSentItselfOrToOthersAreIgnored)
{
    use("ic756");
    pc.heard.clear();
    pc.send("FE FE 50 50 03 FD");  // from its own address
    pc.send("FE FE 00 50 00 00 50 19 14 00 FD");
    EXPECT_EQ(pc.heard.size(), 6 + 11);
}

TEST_F(RadioTest, AnswersAreNotAnswered)
{
    SimRadio& ic756 = use("ic756");
    SimRadio ic821(bus, *findRadioModel("ic821"), 0x4C);
    // A report from one radio to the other draws one NG, and the NG nothing more.
    pc.heard.clear();
    pc.send("FE FE 50 4C 03 00 00 50 45 01 FD");
    EXPECT_EQ(hexText(pc.heard), "FE FE 50 4C 03 00 00 50 45 01 FD FE FE 4C 50 FA FD");
    EXPECT_EQ(ic756.state().operating().freq, 14195000);
    EXPECT_EQ(ask("FB"), "");
    EXPECT_EQ(ask("FA"), "");
}
