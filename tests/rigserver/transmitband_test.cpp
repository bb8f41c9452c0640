// Split frequency and mode through the rig server, judged on the simulated radio:
// they act on the transmit band (the other band, or VFO B on the IC-706 family)
// and leave the radio's selection as it was.
#include <gtest/gtest.h>

#include "civ/civcodes.h"
#include "simdevice.h"

namespace {

const MemoryEntry& vfoOf(const SimRadio& radio, int band, int vfo)
{
    return radio.state().band(band).vfo[vfo];
}

}  // namespace

TEST(RigServerTransmitBand, SplitFrequencyAndModeGoToTheSubBandAndTheMainBandStaysSelected)
{
    for (const char* key : {"ic821", "ic756"}) {
        ServedRadio s(key);
        ASSERT_TRUE(s.started);
        const bool vhf = QByteArray(key) == "ic821";
        const qint64 up = vhf ? 435100000 : 7050000;
        const qint64 down = s.radio->state().operating().freq;
        Client c(s.server.port());
        EXPECT_EQ(c.ask("S 1 Sub"), "RPRT 0\n") << key;
        EXPECT_TRUE(s.radio->state().split());
        EXPECT_EQ(c.ask("I " + QByteArray::number(up)), "RPRT 0\n") << key;
        EXPECT_EQ(s.radio->state().activeBand(), 0) << key;
        const BandState& sub = s.radio->state().band(1);
        EXPECT_EQ(sub.vfo[sub.activeVfo].freq, up) << key;
        EXPECT_EQ(c.ask("i"), QByteArray::number(up) + "\n") << key;
        EXPECT_EQ(c.ask("+i", 3), "get_split_freq:\nTX Frequency: " + QByteArray::number(up) + "\nRPRT 0\n");
        EXPECT_EQ(c.ask("X LSB 0"), "RPRT 0\n") << key;
        EXPECT_EQ(sub.vfo[sub.activeVfo].mode, int(civ::Mode::Lsb)) << key;
        EXPECT_TRUE(c.ask("x", 2).startsWith("LSB\n")) << key;
        EXPECT_EQ(s.radio->state().activeBand(), 0) << key;
        // The main band is read from the radio, not taken from the band just left.
        EXPECT_EQ(c.ask("f"), QByteArray::number(down) + "\n") << key;
        s.radio->state().operating().freq = down + 1000;
        EXPECT_EQ(c.ask("f"), QByteArray::number(down + 1000) + "\n") << key;
    }
}

TEST(RigServerTransmitBand, OnTheIc706TheSplitFrequencyIsVfoB)
{
    ServedRadio s("ic706");
    ASSERT_TRUE(s.started);
    Client c(s.server.port());
    const qint64 a = vfoOf(*s.radio, 0, 0).freq;
    EXPECT_EQ(c.ask("S 1 VFOB"), "RPRT 0\n");
    EXPECT_EQ(c.ask("I 7100000"), "RPRT 0\n");
    EXPECT_EQ(vfoOf(*s.radio, 0, 1).freq, 7100000);
    EXPECT_EQ(vfoOf(*s.radio, 0, 0).freq, a);
    EXPECT_EQ(s.radio->state().current().activeVfo, 0);
    EXPECT_EQ(c.ask("i"), "7100000\n");
    EXPECT_EQ(c.ask("f"), QByteArray::number(a) + "\n");
}

TEST(RigServerTransmitBand, BadInputGetsTheProtocolsErrorCodes)
{
    ServedRadio s("ic706");
    ASSERT_TRUE(s.started);
    Client c(s.server.port());
    EXPECT_EQ(c.ask("I"), "RPRT -1\n");
    EXPECT_EQ(c.ask("I abc"), "RPRT -1\n");
    EXPECT_EQ(c.ask("X NOSUCHMODE 0"), "RPRT -1\n");
    EXPECT_EQ(c.ask("S 1 Nowhere"), "RPRT -1\n");
    EXPECT_EQ(c.ask("V Sub"), "RPRT -1\n");
    EXPECT_EQ(c.ask("T 1"), "RPRT -11\n");
    EXPECT_EQ(c.ask("t"), "0\n");
    EXPECT_EQ(s.radio->state().current().activeVfo, 0);
}
