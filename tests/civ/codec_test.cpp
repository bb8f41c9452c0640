#include "civ/codec.h"

#include <gtest/gtest.h>

#include "hex.h"

using namespace civ;

namespace {

QString bcdHex(const QString& text)
{
    quint8 bcd[5];
    if (!freqToBcd(text, bcd))
        return QStringLiteral("refused");
    return hexOf(QByteArray(reinterpret_cast<const char*>(bcd), 5));
}

}  // namespace

TEST(CivCodec, FrameLayout)
{
    EXPECT_EQ(hexOf(frame(0x4C, Controller, encode::readFreq())), "FE FE 4C E0 03 FD");
    EXPECT_EQ(hexOf(frame(Controller, 0x50, encode::ok())), "FE FE E0 50 FB FD");

    const auto parts = splitFrame(hex("FE FE 00 50 00 00 50 19 14 00 FD"));
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->to, Broadcast);
    EXPECT_EQ(parts->from, 0x50);
    EXPECT_EQ(hexOf(parts->body), "00 00 50 19 14 00");

    EXPECT_FALSE(splitFrame(hex("FE FE E0 50 FD")));  // no command byte
    EXPECT_FALSE(splitFrame(hex("FE E0 50 FB FD")));  // one preamble byte
    EXPECT_FALSE(splitFrame(hex("FE FE E0 50 FB")));  // no end
    QByteArray longest = hex("FE FE E0 50") + QByteArray(15, '\x01') + hex("FD");
    EXPECT_EQ(longest.size(), MaxFrame);
    EXPECT_TRUE(splitFrame(longest));
    EXPECT_FALSE(splitFrame(longest.insert(4, '\x01')));  // 21 bytes
}

TEST(CivCodec, FrequencyTextToBcd)
{
    EXPECT_EQ(bcdHex("014.195.000"), "00 50 19 14 00");
    EXPECT_EQ(bcdHex("145.500.000"), "00 00 50 45 01");
    EXPECT_EQ(bcdHex("014.195,000"), "00 50 19 14 00");  // separators are not read
    EXPECT_EQ(bcdHex("014x195y000"), "00 50 19 14 00");
    EXPECT_EQ(bcdHex("439.123.456"), "56 34 12 39 04");
    EXPECT_EQ(bcdHex("014.195.000 and more"), "00 50 19 14 00");  // after the 11th: ignored
    EXPECT_EQ(bcdHex("NONE"), "refused");
    EXPECT_EQ(bcdHex("014.195.00"), "refused");  // too short
    EXPECT_EQ(bcdHex(""), "refused");
    EXPECT_EQ(bcdHex("   .   .   "), "refused");  // an unfilled mask
    for (int pos : {0, 1, 2, 4, 5, 6, 8, 9, 10}) {
        QString text = "014.195.000";
        text[pos] = u'a';
        EXPECT_EQ(bcdHex(text), "refused") << pos;
    }
    EXPECT_EQ(bcdHex("1296.000.00"), "refused");  // the GHz form is not sent

    quint8 untouched[5] = {1, 2, 3, 4, 5};
    EXPECT_FALSE(freqToBcd("bad", untouched));
    EXPECT_EQ(untouched[0], 1);
}

TEST(CivCodec, BcdToFrequencyText)
{
    const auto text = [](const char* bytes) {
        return bcdToFreq(reinterpret_cast<const quint8*>(hex(bytes).constData()));
    };
    EXPECT_EQ(text("00 50 19 14 00"), "014.195.000");
    EXPECT_EQ(text("00 00 50 45 01"), "145.500.000");
    EXPECT_EQ(text("56 34 12 39 04"), "439.123.456");
    EXPECT_EQ(text("00 00 00 96 12"), "1296.000.000");  // 1 GHz and above: four MHz digits
    EXPECT_EQ(text("0A 00 00 00 00"), "");              // not BCD
    EXPECT_EQ(text("00 00 00 00 F0"), "");
}

TEST(CivCodec, ModeTablesBothWays)
{
    struct Vector {
        int mode;
        const char* base;
        const char* ic706;
    };
    const Vector vectors[] = {
        {0, "03 02", "03 02"}, {1, "03 01", "03 01"}, {2, "00", "00 01"}, {3, "01", "01 01"},
        {4, "02", "02 01"},    {5, "05", "05 01"},    {6, "", "06"},      {7, "04", "04 01"},
        {8, "", ""},           {9, "", "00 02"},      {10, "", "01 02"},  {11, "", "02 02"},
        {12, "", "04 02"},     {13, "", "05 02"},     {14, "", ""},       {-1, "", ""},
    };
    for (const Vector& v : vectors) {
        EXPECT_EQ(hexOf(modeBytes(v.mode, ModeTable::Base)), v.base) << v.mode;
        EXPECT_EQ(hexOf(modeBytes(v.mode, ModeTable::Ic706)), v.ic706) << v.mode;
        // Whatever a table sends decodes to the same mode.
        for (const char* sent : {v.base, v.ic706}) {
            const QByteArray b = hex(sent);
            if (!b.isEmpty()) {
                EXPECT_EQ(modeFromBytes(quint8(b[0]), b.size() > 1 ? quint8(b[1]) : NoFilter), v.mode);
            }
        }
    }
    EXPECT_EQ(modeFromBytes(0x03, 0x02), 0);
    EXPECT_EQ(modeFromBytes(0x03, 0x01), 1);
    EXPECT_EQ(modeFromBytes(0x00, 0x02), 9);
    EXPECT_EQ(modeFromBytes(0x06, 0x01), 6);
    EXPECT_EQ(modeFromBytes(0x06), 6);
    EXPECT_EQ(modeFromBytes(0x01, 0x03), 3);             // any filter but 02 is the normal one
    EXPECT_EQ(modeFromBytes(0x06, 0x02), std::nullopt);  // no narrow WFM
    EXPECT_EQ(modeFromBytes(0x07), std::nullopt);
    EXPECT_EQ(modeFromBytes(0x07, 0x02), std::nullopt);
    EXPECT_EQ(modeFromBytes(0xFF), std::nullopt);
}

TEST(CivCodec, MemoryChannelBytes)
{
    EXPECT_EQ(hexOf(channelBytes(0)), "00");
    EXPECT_EQ(hexOf(channelBytes(7)), "07");
    EXPECT_EQ(hexOf(channelBytes(42)), "42");
    EXPECT_EQ(hexOf(channelBytes(99)), "99");
    EXPECT_EQ(hexOf(channelBytes(100)), "01 00");
    EXPECT_EQ(hexOf(channelBytes(101)), "01 01");
    EXPECT_EQ(hexOf(channelBytes(1234)), "12 34");
    EXPECT_EQ(hexOf(channelBytes(9999)), "99 99");
    EXPECT_EQ(channelBytes(-1), QByteArray());
    EXPECT_EQ(channelBytes(10000), QByteArray());

    for (int ch : {0, 7, 9, 10, 42, 99, 100, 101, 1234, 9999})
        EXPECT_EQ(channelFromBytes(channelBytes(ch)), ch);
    EXPECT_EQ(channelFromBytes(hex("1A")), std::nullopt);
    EXPECT_EQ(channelFromBytes(QByteArray()), std::nullopt);
    EXPECT_EQ(channelFromBytes(hex("01 02 03")), std::nullopt);
}

TEST(CivCodec, EveryCommandBody)
{
    struct Vector {
        QByteArray body;
        const char* bytes;
    };
    const Vector vectors[] = {
        {encode::readFreq(), "03"},
        {encode::readMode(), "04"},
        {encode::readOffset(), "0C"},
        {encode::freq("014.195.000"), "05 00 50 19 14 00"},
        {encode::freq("NONE"), ""},
        {encode::mode(2, ModeTable::Base), "06 00"},
        {encode::mode(2, ModeTable::Ic706), "06 00 01"},
        {encode::mode(9, ModeTable::Base), ""},
        {encode::band(0), "07 D0"},
        {encode::band(1), "07 D1"},
        {encode::band(2), ""},
        {encode::vfo(0), "07"},
        {encode::vfo(1), "07 00"},
        {encode::vfo(2), "07 01"},
        {encode::vfo(7), "07 A0"},
        {encode::vfo(8), "07 B0"},
        {encode::vfo(3), ""},
        {encode::memory(7), "08 07"},
        {encode::memory(42), "08 42"},
        {encode::memory(101), "08 01 01"},
        {encode::memory(-1), ""},
        {encode::memoryCmd(0), "08"},
        {encode::memoryCmd(1), "09"},
        {encode::memoryCmd(2), "0A"},
        {encode::memoryCmd(3), "0B"},
        {encode::memoryCmd(4), "0C"},
        {encode::memoryCmd(5), "0D"},
        {encode::memoryCmd(6), ""},
        {encode::scan(0), "0E 01"},
        {encode::scan(1), "0E 00"},
        {encode::scan(2), "0E 02"},
        {encode::scan(3), "0E 03"},
        {encode::scan(4), "0E 12"},
        {encode::scan(5), "0E 13"},
        {encode::scan(6), "0E 22"},
        {encode::scan(7), "0E 23"},
        {encode::scan(8), ""},
        {encode::split(true), "0F 01"},
        {encode::split(false), "0F 00"},
        {encode::duplex(0), "0F 10"},
        {encode::duplex(1), "0F 11"},
        {encode::duplex(2), "0F 12"},
        {encode::duplex(3), ""},
        {encode::dual(true), "07 C1"},
        {encode::dual(false), "07 C0"},
        {encode::antenna(5), "12 00 00"},
        {encode::antenna(6), "12 01 00"},
        {encode::antenna(7), "12 00 01"},
        {encode::antenna(8), "12 01 01"},
        {encode::antenna(4), ""},
        {encode::ok(), "FB"},
        {encode::ng(), "FA"},
        {encode::freqReport(Cmd::FreqReport, "145.500.000"), "00 00 00 50 45 01"},
        {encode::blankFreqReport(Cmd::ReadFreq), "03 FF"},
        {encode::modeReport(Cmd::ReadMode, 0, ModeTable::Ic706), "04 03 02"},
    };
    for (const Vector& v : vectors)
        EXPECT_EQ(hexOf(v.body), v.bytes);
}

TEST(CivCodec, DecodersReverseTheEncoders)
{
    for (int v = -1; v <= 14; ++v) {
        const auto check = [v](const QByteArray& body, std::optional<int> decoded) {
            if (body.isEmpty())
                return;
            EXPECT_EQ(decoded, v) << hexOf(body).toStdString();
        };
        check(encode::band(v), decode::band(encode::band(v)));
        check(encode::vfo(v), decode::vfo(encode::vfo(v)));
        check(encode::memoryCmd(v), decode::memoryCmd(encode::memoryCmd(v)));
        check(encode::scan(v), decode::scan(encode::scan(v)));
        check(encode::duplex(v), decode::duplex(encode::duplex(v)));
        check(encode::antenna(v), decode::antenna(encode::antenna(v)));
        check(encode::mode(v, ModeTable::Ic706), decode::mode(encode::mode(v, ModeTable::Ic706)));
    }
    EXPECT_EQ(decode::split(hex("0F 01")), true);
    EXPECT_EQ(decode::split(hex("0F 00")), false);
    EXPECT_EQ(decode::split(hex("0F 10")), std::nullopt);  // that is duplex
    EXPECT_EQ(decode::dual(hex("07 C1")), true);
    EXPECT_EQ(decode::vfo(hex("07 D0")), std::nullopt);  // that is a band
    EXPECT_EQ(decode::memory(hex("08 01 01")), 101);
    EXPECT_EQ(decode::memory(hex("08")), std::nullopt);
    EXPECT_EQ(decode::freq(hex("05 00 50 19 14 00")), "014.195.000");
    EXPECT_EQ(decode::freq(hex("00 00 50 19 14 00 77")), "014.195.000");
    EXPECT_EQ(decode::freq(hex("03 FF")), "");
    EXPECT_EQ(decode::freq(hex("03 00 50 19 14")), "");  // one byte short
    EXPECT_EQ(decode::freq(hex("06 00 50 19 14 00")), "");
    EXPECT_EQ(decode::mode(hex("01 06")), 6);
    EXPECT_EQ(decode::mode(hex("04 00 02")), 9);
    EXPECT_EQ(decode::mode(hex("04")), std::nullopt);
}
