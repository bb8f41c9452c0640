#include "civ/codec.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <vector>

#include "civ/civcodes.h"

namespace civ {

namespace {

struct Row {
    int value;
    QByteArray bytes;
};
using Table = std::vector<Row>;

QByteArray bytes(std::initializer_list<quint8> list)
{
    QByteArray out;
    out.reserve(int(list.size()));
    for (quint8 b : list)
        out.append(char(b));
    return out;
}

QByteArray lookup(const Table& table, int value)
{
    for (const Row& row : table) {
        if (row.value == value)
            return row.bytes;
    }
    return {};
}

std::optional<int> reverse(const Table& table, const QByteArray& body)
{
    for (const Row& row : table) {
        if (row.bytes == body)
            return row.value;
    }
    return std::nullopt;
}

const Table& bandTable()
{
    static const Table t{{Band::Main, bytes({Cmd::SelectVfo, 0xD0})},
                         {Band::Sub, bytes({Cmd::SelectVfo, 0xD1})}};
    return t;
}

const Table& vfoTable()
{
    static const Table t{{Vfo::VfoMode, bytes({Cmd::SelectVfo})},
                         {Vfo::A, bytes({Cmd::SelectVfo, 0x00})},
                         {Vfo::B, bytes({Cmd::SelectVfo, 0x01})},
                         {Vfo::Equalize, bytes({Cmd::SelectVfo, 0xA0})},
                         {Vfo::Exchange, bytes({Cmd::SelectVfo, 0xB0})}};
    return t;
}

const Table& memoryCmdTable()
{
    static const Table t{{MemoryCommand::MemoryMode, bytes({Cmd::SelectMemory})},
                         {MemoryCommand::Write, bytes({Cmd::MemoryWrite})},
                         {MemoryCommand::ToVfo, bytes({Cmd::MemoryToVfo})},
                         {MemoryCommand::Clear, bytes({Cmd::MemoryClear})},
                         {MemoryCommand::ReadOffset, bytes({Cmd::ReadOffset})},
                         {MemoryCommand::WriteOffset, bytes({Cmd::WriteOffset})}};
    return t;
}

const Table& scanTable()
{
    static const Table t{{ScanCommand::Start, bytes({Cmd::Scan, 0x01})},
                         {ScanCommand::Stop, bytes({Cmd::Scan, 0x00})},
                         {ScanCommand::Programmed, bytes({Cmd::Scan, 0x02})},
                         {ScanCommand::DeltaF, bytes({Cmd::Scan, 0x03})},
                         {ScanCommand::FineProgrammed, bytes({Cmd::Scan, 0x12})},
                         {ScanCommand::FineDeltaF, bytes({Cmd::Scan, 0x13})},
                         {ScanCommand::Memory, bytes({Cmd::Scan, 0x22})},
                         {ScanCommand::SelectMemory, bytes({Cmd::Scan, 0x23})}};
    return t;
}

const Table& splitTable()
{
    static const Table t{{0, bytes({Cmd::SplitDuplex, 0x00})}, {1, bytes({Cmd::SplitDuplex, 0x01})}};
    return t;
}

const Table& duplexTable()
{
    static const Table t{{Duplex::Simplex, bytes({Cmd::SplitDuplex, 0x10})},
                         {Duplex::Minus, bytes({Cmd::SplitDuplex, 0x11})},
                         {Duplex::Plus, bytes({Cmd::SplitDuplex, 0x12})}};
    return t;
}

const Table& dualTable()
{
    static const Table t{{0, bytes({Cmd::SelectVfo, 0xC0})}, {1, bytes({Cmd::SelectVfo, 0xC1})}};
    return t;
}

const Table& antennaTable()
{
    static const Table t{{5, bytes({Cmd::Antenna, 0x00, 0x00})},
                         {6, bytes({Cmd::Antenna, 0x01, 0x00})},
                         {7, bytes({Cmd::Antenna, 0x00, 0x01})},
                         {8, bytes({Cmd::Antenna, 0x01, 0x01})}};
    return t;
}

struct ModeRow {
    int mode;
    quint8 modeByte;
    int filter;  // NoFilter: the table sends no filter byte
};

constexpr ModeRow baseModes[] = {
    {Mode::CwNarrow, 0x03, 0x02}, {Mode::Cw, 0x03, 0x01},     {Mode::Lsb, 0x00, NoFilter},
    {Mode::Usb, 0x01, NoFilter},  {Mode::Am, 0x02, NoFilter}, {Mode::Fm, 0x05, NoFilter},
    {Mode::Rtty, 0x04, NoFilter},
};

constexpr ModeRow ic706Modes[] = {
    {Mode::CwNarrow, 0x03, 0x02},  {Mode::Cw, 0x03, 0x01},       {Mode::Lsb, 0x00, 0x01},
    {Mode::Usb, 0x01, 0x01},       {Mode::Am, 0x02, 0x01},       {Mode::Fm, 0x05, 0x01},
    {Mode::Wfm, 0x06, NoFilter},   {Mode::Rtty, 0x04, 0x01},     {Mode::LsbNarrow, 0x00, 0x02},
    {Mode::UsbNarrow, 0x01, 0x02}, {Mode::AmNarrow, 0x02, 0x02}, {Mode::RttyNarrow, 0x04, 0x02},
    {Mode::FmNarrow, 0x05, 0x02},
};

// Mode numbers by mode byte 00..06.
constexpr int normalModes[] = {Mode::Lsb, Mode::Usb, Mode::Am, Mode::Cw, Mode::Rtty, Mode::Fm, Mode::Wfm};
constexpr int narrowModes[] = {Mode::LsbNarrow, Mode::UsbNarrow,  Mode::AmNarrow,
                               Mode::CwNarrow,  Mode::RttyNarrow, Mode::FmNarrow};

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

int digit(QChar c) { return c.unicode() - u'0'; }

bool bcdByte(quint8 b, int* value)
{
    const int hi = b >> 4, lo = b & 0x0F;
    if (hi > 9 || lo > 9)
        return false;
    *value = hi * 10 + lo;
    return true;
}

quint8 toBcd(int twoDigits) { return quint8(((twoDigits / 10) << 4) | (twoDigits % 10)); }

QByteArray withCommand(quint8 command, const QByteArray& data) { return QByteArray(1, char(command)) + data; }

const quint8* raw(const QByteArray& body) { return reinterpret_cast<const quint8*>(body.constData()); }

}  // namespace

QByteArray frame(quint8 to, quint8 from, const QByteArray& body)
{
    QByteArray out;
    out.reserve(body.size() + 5);
    out.append(char(Preamble)).append(char(Preamble)).append(char(to)).append(char(from));
    out.append(body).append(char(EndOfMessage));
    return out;
}

std::optional<FrameParts> splitFrame(const QByteArray& frame)
{
    const qsizetype n = frame.size();
    if (n < 6 || n > MaxFrame)
        return std::nullopt;
    const quint8* p = raw(frame);
    if (p[0] != Preamble || p[1] != Preamble || p[n - 1] != EndOfMessage)
        return std::nullopt;
    return FrameParts{p[2], p[3], frame.mid(4, n - 5)};
}

bool freqToBcd(const QString& text, quint8* bcd)
{
    if (text.size() < 11)
        return false;
    // Text positions (from 0) of the high and low digit of each wire byte.
    static constexpr int positions[5][2] = {{9, 10}, {6, 8}, {4, 5}, {1, 2}, {-1, 0}};
    quint8 out[5];
    for (int i = 0; i < 5; ++i) {
        const int hiPos = positions[i][0], loPos = positions[i][1];
        int hi = 0;
        if (hiPos >= 0) {
            if (!isDigit(text[hiPos]))
                return false;
            hi = digit(text[hiPos]);
        }
        if (!isDigit(text[loPos]))
            return false;
        out[i] = quint8((hi << 4) | digit(text[loPos]));
    }
    std::copy(out, out + 5, bcd);
    return true;
}

int bcdToFreq(const quint8* bcd, char16_t* out)
{
    char16_t digits[10];
    for (int i = 0; i < 5; ++i) {
        const int hi = bcd[i] >> 4, lo = bcd[i] & 0x0F;
        if (hi > 9 || lo > 9)
            return 0;
        digits[9 - 2 * i - 1] = char16_t(u'0' + hi);
        digits[9 - 2 * i] = char16_t(u'0' + lo);
    }
    // digits: the fifth byte's two digits, then MHz (2), kHz (3), Hz (3).
    char16_t* o = out;
    if (digits[0] != u'0')
        *o++ = digits[0];
    const int groups[] = {1, 2, 3, -1, 4, 5, 6, -1, 7, 8, 9};
    for (int g : groups)
        *o++ = g < 0 ? u'.' : digits[g];
    return int(o - out);
}

QString bcdToFreq(const quint8* bcd)
{
    char16_t text[MaxFreqText];
    const int n = bcdToFreq(bcd, text);
    return n ? QString(reinterpret_cast<const QChar*>(text), n) : QString();
}

QByteArray modeBytes(int mode, ModeTable table)
{
    const auto find = [mode](const auto& rows) -> QByteArray {
        for (const ModeRow& row : rows) {
            if (row.mode != mode)
                continue;
            QByteArray out(1, char(row.modeByte));
            if (row.filter != NoFilter)
                out.append(char(row.filter));
            return out;
        }
        return {};
    };
    return table == ModeTable::Ic706 ? find(ic706Modes) : find(baseModes);
}

std::optional<int> modeFromBytes(quint8 modeByte, int filterByte)
{
    if (filterByte == 0x02) {
        if (modeByte < std::size(narrowModes))
            return narrowModes[modeByte];
        return std::nullopt;
    }
    if (modeByte < std::size(normalModes))
        return normalModes[modeByte];
    return std::nullopt;
}

QByteArray channelBytes(int channel)
{
    if (channel < 0 || channel > 9999)
        return {};
    if (channel < 100)
        return QByteArray(1, char(toBcd(channel)));
    QByteArray out;
    out.append(char(toBcd(channel / 100))).append(char(toBcd(channel % 100)));
    return out;
}

std::optional<int> channelFromBytes(const QByteArray& bytes)
{
    const quint8* p = raw(bytes);
    int hi = 0, lo = 0;
    if (bytes.size() == 1 && bcdByte(p[0], &lo))
        return lo;
    if (bytes.size() == 2 && bcdByte(p[0], &hi) && bcdByte(p[1], &lo))
        return hi * 100 + lo;
    return std::nullopt;
}

namespace encode {

QByteArray readFreq() { return QByteArray(1, char(Cmd::ReadFreq)); }
QByteArray readMode() { return QByteArray(1, char(Cmd::ReadMode)); }
QByteArray readOffset() { return QByteArray(1, char(Cmd::ReadOffset)); }

QByteArray freq(const QString& text) { return freqReport(Cmd::SetFreq, text); }

QByteArray mode(int mode, ModeTable table)
{
    const QByteArray m = modeBytes(mode, table);
    return m.isEmpty() ? QByteArray() : withCommand(Cmd::SetMode, m);
}

QByteArray band(int band) { return lookup(bandTable(), band); }
QByteArray vfo(int vfo) { return lookup(vfoTable(), vfo); }

QByteArray memory(int channel)
{
    const QByteArray ch = channelBytes(channel);
    return ch.isEmpty() ? QByteArray() : withCommand(Cmd::SelectMemory, ch);
}

QByteArray memoryCmd(int cmd) { return lookup(memoryCmdTable(), cmd); }
QByteArray scan(int cmd) { return lookup(scanTable(), cmd); }
QByteArray split(bool on) { return lookup(splitTable(), on ? 1 : 0); }
QByteArray duplex(int duplex) { return lookup(duplexTable(), duplex); }
QByteArray dual(bool on) { return lookup(dualTable(), on ? 1 : 0); }
QByteArray antenna(int antenna) { return lookup(antennaTable(), antenna); }

QByteArray ok() { return QByteArray(1, char(Cmd::Ok)); }
QByteArray ng() { return QByteArray(1, char(Cmd::Ng)); }

QByteArray freqReport(quint8 command, const QString& text)
{
    quint8 bcd[5];
    if (!freqToBcd(text, bcd))
        return {};
    return withCommand(command, QByteArray(reinterpret_cast<const char*>(bcd), 5));
}

QByteArray blankFreqReport(quint8 command) { return withCommand(command, QByteArray(1, char(NoData))); }

QByteArray modeReport(quint8 command, int mode, ModeTable table)
{
    const QByteArray m = modeBytes(mode, table);
    return m.isEmpty() ? QByteArray() : withCommand(command, m);
}

}  // namespace encode

namespace decode {

QString freq(const QByteArray& body)
{
    if (body.size() < 6)
        return {};
    const quint8 command = raw(body)[0];
    if (command != Cmd::FreqReport && command != Cmd::ReadFreq && command != Cmd::SetFreq)
        return {};
    return bcdToFreq(raw(body) + 1);
}

std::optional<int> mode(const QByteArray& body)
{
    if (body.size() < 2)
        return std::nullopt;
    const quint8 command = raw(body)[0];
    if (command != Cmd::ModeReport && command != Cmd::ReadMode && command != Cmd::SetMode)
        return std::nullopt;
    return modeFromBytes(raw(body)[1], body.size() > 2 ? raw(body)[2] : NoFilter);
}

std::optional<int> band(const QByteArray& body) { return reverse(bandTable(), body); }
std::optional<int> vfo(const QByteArray& body) { return reverse(vfoTable(), body); }

std::optional<int> memory(const QByteArray& body)
{
    if (body.size() < 2 || raw(body)[0] != Cmd::SelectMemory)
        return std::nullopt;
    return channelFromBytes(body.mid(1));
}

std::optional<int> memoryCmd(const QByteArray& body) { return reverse(memoryCmdTable(), body); }
std::optional<int> scan(const QByteArray& body) { return reverse(scanTable(), body); }

std::optional<bool> split(const QByteArray& body)
{
    const auto v = reverse(splitTable(), body);
    return v ? std::optional<bool>(*v != 0) : std::nullopt;
}

std::optional<int> duplex(const QByteArray& body) { return reverse(duplexTable(), body); }

std::optional<bool> dual(const QByteArray& body)
{
    const auto v = reverse(dualTable(), body);
    return v ? std::optional<bool>(*v != 0) : std::nullopt;
}

std::optional<int> antenna(const QByteArray& body) { return reverse(antennaTable(), body); }

}  // namespace decode

}  // namespace civ
