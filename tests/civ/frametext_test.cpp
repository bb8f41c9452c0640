// The trace's words for every frame the program and the radios exchange, and for
// what is no frame at all.
#include "civ/frametext.h"

#include <gtest/gtest.h>

#include "civ/civcodes.h"
#include "civ/codec.h"
#include "hex.h"

using namespace civ;

namespace {

struct Row {
    QByteArray body;
    const char* words;
};

// The words after "E0>50 " for a command the program sends to an IC-756.
QString sent(const QByteArray& body)
{
    const QString line = describeFrame(frame(0x50, Controller, body));
    const QString bytes = QStringLiteral("  [") + hexOf(frame(0x50, Controller, body)) + u']';
    EXPECT_TRUE(line.startsWith(QStringLiteral("E0>50 "))) << qPrintable(line);
    EXPECT_TRUE(line.endsWith(bytes)) << qPrintable(line);
    return line.mid(6, line.size() - 6 - bytes.size());
}

void expectRows(const std::vector<Row>& rows)
{
    for (const Row& row : rows) {
        ASSERT_FALSE(row.body.isEmpty()) << row.words;
        EXPECT_EQ(sent(row.body), QString::fromLatin1(row.words)) << qPrintable(hexOf(row.body));
    }
}

}  // namespace

TEST(CivFrameText, TheExamplesReadAsWritten)
{
    EXPECT_EQ(describeFrame(hex("FE FE 50 E0 05 00 40 07 14 00 FD")),
              "E0>50 05 set frequency 14.074.000  [FE FE 50 E0 05 00 40 07 14 00 FD]");
    EXPECT_EQ(describeFrame(hex("FE FE E0 50 FB FD")), "50>E0 FB OK  [FE FE E0 50 FB FD]");
    EXPECT_EQ(describeFrame(hex("FE FE 50 E0 05 00 40 07 14 00 FD"), Controller),
              "E0>50 05 set frequency 14.074.000 (echo)  [FE FE 50 E0 05 00 40 07 14 00 FD]");
    // Only the own address's frames are the echo.
    EXPECT_EQ(describeFrame(hex("FE FE E0 50 FB FD"), Controller), "50>E0 FB OK  [FE FE E0 50 FB FD]");
    EXPECT_EQ(describeFrame({}), QString());
}

TEST(CivFrameText, EveryCommandTheProgramSends)
{
    expectRows({
        {encode::readFreq(), "03 read frequency"},
        {encode::readMode(), "04 read mode"},
        {encode::readOffset(), "0C read offset"},
        {encode::freq(QStringLiteral("014.195.000")), "05 set frequency 14.195.000"},
        {encode::freq(QStringLiteral("000.500.000")), "05 set frequency 0.500.000"},
        {encode::freq(QStringLiteral("435.100.000")), "05 set frequency 435.100.000"},
        {encode::band(Band::Main), "07 select main band"},
        {encode::band(Band::Sub), "07 select sub band"},
        {encode::vfo(Vfo::VfoMode), "07 VFO mode"},
        {encode::vfo(Vfo::A), "07 select VFO A"},
        {encode::vfo(Vfo::B), "07 select VFO B"},
        {encode::vfo(Vfo::Equalize), "07 equalize VFOs"},
        {encode::vfo(Vfo::Exchange), "07 exchange VFOs"},
        {encode::memory(0), "08 select memory 0"},
        {encode::memory(12), "08 select memory 12"},
        {encode::memory(99), "08 select memory 99"},
        {encode::memory(100), "08 select memory 100"},
        {encode::memory(9999), "08 select memory 9999"},
        {encode::memoryCmd(MemoryCommand::MemoryMode), "08 memory mode"},
        {encode::memoryCmd(MemoryCommand::Write), "09 memory write"},
        {encode::memoryCmd(MemoryCommand::ToVfo), "0A memory to VFO"},
        {encode::memoryCmd(MemoryCommand::Clear), "0B memory clear"},
        {encode::memoryCmd(MemoryCommand::ReadOffset), "0C read offset"},
        {encode::memoryCmd(MemoryCommand::WriteOffset), "0D write offset"},
        {encode::scan(ScanCommand::Start), "0E scan start"},
        {encode::scan(ScanCommand::Stop), "0E scan stop"},
        {encode::scan(ScanCommand::Programmed), "0E programmed scan"},
        {encode::scan(ScanCommand::DeltaF), "0E delta-F scan"},
        {encode::scan(ScanCommand::FineProgrammed), "0E fine programmed scan"},
        {encode::scan(ScanCommand::FineDeltaF), "0E fine delta-F scan"},
        {encode::scan(ScanCommand::Memory), "0E memory scan"},
        {encode::scan(ScanCommand::SelectMemory), "0E select memory scan"},
        {encode::split(true), "0F split on"},
        {encode::split(false), "0F split off"},
        {encode::duplex(Duplex::Simplex), "0F simplex"},
        {encode::duplex(Duplex::Minus), "0F duplex minus"},
        {encode::duplex(Duplex::Plus), "0F duplex plus"},
        {encode::dual(true), "07 dual watch on"},
        {encode::dual(false), "07 dual watch off"},
        {encode::antenna(5), "12 antenna 1"},
        {encode::antenna(6), "12 antenna 2"},
        {encode::antenna(7), "12 antenna 1 with receive antenna"},
        {encode::antenna(8), "12 antenna 2 with receive antenna"},
    });
}

// The IC-756 and IC-821 send the base table, the IC-706 and IC-706MKII their own.
TEST(CivFrameText, EveryModeOfBothTables)
{
    expectRows({
        {encode::mode(Mode::CwNarrow, ModeTable::Base), "06 set mode CW narrow"},
        {encode::mode(Mode::Cw, ModeTable::Base), "06 set mode CW"},
        {encode::mode(Mode::Lsb, ModeTable::Base), "06 set mode LSB"},
        {encode::mode(Mode::Usb, ModeTable::Base), "06 set mode USB"},
        {encode::mode(Mode::Am, ModeTable::Base), "06 set mode AM"},
        {encode::mode(Mode::Fm, ModeTable::Base), "06 set mode FM"},
        {encode::mode(Mode::Rtty, ModeTable::Base), "06 set mode RTTY"},
        {encode::mode(Mode::CwNarrow, ModeTable::Ic706), "06 set mode CW narrow"},
        {encode::mode(Mode::Cw, ModeTable::Ic706), "06 set mode CW"},
        {encode::mode(Mode::Lsb, ModeTable::Ic706), "06 set mode LSB"},
        {encode::mode(Mode::Usb, ModeTable::Ic706), "06 set mode USB"},
        {encode::mode(Mode::Am, ModeTable::Ic706), "06 set mode AM"},
        {encode::mode(Mode::Fm, ModeTable::Ic706), "06 set mode FM"},
        {encode::mode(Mode::Wfm, ModeTable::Ic706), "06 set mode WFM"},
        {encode::mode(Mode::Rtty, ModeTable::Ic706), "06 set mode RTTY"},
        {encode::mode(Mode::LsbNarrow, ModeTable::Ic706), "06 set mode LSB narrow"},
        {encode::mode(Mode::UsbNarrow, ModeTable::Ic706), "06 set mode USB narrow"},
        {encode::mode(Mode::AmNarrow, ModeTable::Ic706), "06 set mode AM narrow"},
        {encode::mode(Mode::RttyNarrow, ModeTable::Ic706), "06 set mode RTTY narrow"},
        {encode::mode(Mode::FmNarrow, ModeTable::Ic706), "06 set mode FM narrow"},
    });
}

TEST(CivFrameText, EveryAnswerAndReport)
{
    const auto from = [](quint8 radio, quint8 to, const QByteArray& body) {
        const QString line = describeFrame(frame(to, radio, body));
        return line.left(line.indexOf(QStringLiteral("  [")));
    };
    EXPECT_EQ(from(0x50, Controller, encode::ok()), "50>E0 FB OK");
    EXPECT_EQ(from(0x4C, Controller, encode::ng()), "4C>E0 FA NG");
    EXPECT_EQ(from(0x48, Controller, encode::freqReport(Cmd::ReadFreq, QStringLiteral("007.050.000"))),
              "48>E0 03 frequency 7.050.000");
    EXPECT_EQ(from(0x50, Broadcast, encode::freqReport(Cmd::FreqReport, QStringLiteral("014.195.500"))),
              "50>00 00 frequency report 14.195.500");
    EXPECT_EQ(from(0x4C, Controller, hex("03 00 00 10 96 12")), "4C>E0 03 frequency 1296.100.000");
    EXPECT_EQ(from(0x50, Controller, encode::blankFreqReport(Cmd::ReadFreq)), "50>E0 03 frequency blank");
    EXPECT_EQ(from(0x50, Controller, encode::modeReport(Cmd::ReadMode, Mode::Usb, ModeTable::Base)),
              "50>E0 04 mode USB");
    EXPECT_EQ(from(0x48, Broadcast, encode::modeReport(Cmd::ModeReport, Mode::FmNarrow, ModeTable::Ic706)),
              "48>00 01 mode report FM narrow");
    EXPECT_EQ(from(0x50, Controller, encode::blankFreqReport(Cmd::ReadMode)), "50>E0 04 mode blank");
    EXPECT_EQ(from(0x50, Controller, hex("FF")), "50>E0 FF blank memory");
    EXPECT_EQ(from(0x4C, Controller, hex("0C 00 60 00")), "4C>E0 0C offset 00 60 00");
    EXPECT_EQ(from(0x50, Controller, hex("04 03 03")), "50>E0 04 mode CW filter 03");
    EXPECT_EQ(from(0x50, Controller, hex("04 09")), "50>E0 04 mode mode byte 09");
}

TEST(CivFrameText, BrokenInputIsNamed)
{
    EXPECT_EQ(describeFrame(hex("FC")), "collision  [FC]");
    EXPECT_EQ(describeFrame(hex("FC FC FC")), "collision  [FC FC FC]");
    EXPECT_EQ(describeFrame(hex("12 34 FD")), "bytes outside a frame  [12 34 FD]");
    EXPECT_EQ(describeFrame(hex("FE")), "bytes outside a frame  [FE]");
    EXPECT_EQ(describeFrame(hex("FE FE")), "partial frame  [FE FE]");
    EXPECT_EQ(describeFrame(hex("FE FE 50 E0 05 00 40")), "E0>50 partial frame  [FE FE 50 E0 05 00 40]");
    EXPECT_EQ(describeFrame(hex("FE FE 50 E0 FD")), "E0>50 frame without a command  [FE FE 50 E0 FD]");
    const QByteArray tooLong = frame(0x50, Controller, QByteArray(16, char(0x11)));
    EXPECT_EQ(describeFrame(tooLong), "E0>50 frame too long  [" + hexOf(tooLong) + "]");
    EXPECT_EQ(describeFrame(hex("FE FE 50 E0 05 00 40 FD")),
              "E0>50 05 set frequency, data not understood  [FE FE 50 E0 05 00 40 FD]");
    EXPECT_EQ(describeFrame(hex("FE FE 50 E0 05 0A 40 07 14 00 FD")),
              "E0>50 05 set frequency, data not understood  [FE FE 50 E0 05 0A 40 07 14 00 FD]");
    EXPECT_EQ(describeFrame(hex("FE FE 50 E0 07 77 FD")),
              "E0>50 07 select VFO, data not understood  [FE FE 50 E0 07 77 FD]");
    EXPECT_EQ(describeFrame(hex("FE FE 50 E0 06 00 01 02 FD")),
              "E0>50 06 set mode, data not understood  [FE FE 50 E0 06 00 01 02 FD]");
    EXPECT_EQ(describeFrame(hex("FE FE E0 50 FB 00 FD")),
              "50>E0 FB OK, data not understood  [FE FE E0 50 FB 00 FD]");
    EXPECT_EQ(describeFrame(hex("FE FE 50 E0 14 01 80 FD")),
              "E0>50 14 unknown command 01 80  [FE FE 50 E0 14 01 80 FD]");
    EXPECT_EQ(describeFrame(hex("FE FE 50 E0 1A FD")), "E0>50 1A unknown command  [FE FE 50 E0 1A FD]");
}

TEST(CivFrameText, TheEnginesTraceGivesItsBytesBack)
{
    EXPECT_EQ(hexOf(bytesOfTrace(QStringLiteral("FE FE E0 50 FB FD - FE FE "))), "FE FE E0 50 FB FD FE FE");
    EXPECT_EQ(hexOf(bytesOfTrace(QStringLiteral("FC 12 "))), "FC 12");
    EXPECT_TRUE(bytesOfTrace(QStringLiteral("line 199")).isEmpty());
    EXPECT_TRUE(bytesOfTrace(QString()).isEmpty());
}
