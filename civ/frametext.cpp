#include "civ/frametext.h"

#include <QStringList>
#include <iterator>

#include "civ/civcodes.h"
#include "civ/codec.h"

namespace civ {

namespace {

const quint8* raw(const QByteArray& bytes) { return reinterpret_cast<const quint8*>(bytes.constData()); }

QString hex2(quint8 b) { return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper(); }

}  // namespace

QString shortFreq(QString text)
{
    while (text.size() > 1 && text.startsWith(u'0') && text.at(1) != u'.')
        text.remove(0, 1);
    return text;
}

QString modeWords(const QByteArray& data)
{
    static const char* const names[] = {"LSB", "USB", "AM", "CW", "RTTY", "FM", "WFM"};
    if (data.isEmpty())
        return {};
    const quint8 m = raw(data)[0];
    QString text =
        m < std::size(names) ? QString::fromLatin1(names[m]) : QStringLiteral("mode byte ") + hex2(m);
    if (data.size() == 2 && raw(data)[1] == 0x02)
        text += QStringLiteral(" narrow");
    else if (data.size() == 2 && raw(data)[1] != 0x01)
        text += QStringLiteral(" filter ") + hex2(raw(data)[1]);
    return data.size() > 2 ? QString() : text;
}

namespace {

QString frequencyWords(const QByteArray& body, const char* name)
{
    const QString words = QString::fromLatin1(name);
    if (body.size() == 2 && raw(body)[1] == NoData)
        return words + QStringLiteral(" blank");
    const QString f = body.size() == 6 ? shortFreq(decode::freq(body)) : QString();
    return f.isEmpty() ? QString() : words + u' ' + f;
}

QString modeBodyWords(const QByteArray& body, const char* name)
{
    if (body.size() == 2 && raw(body)[1] == NoData)
        return QString::fromLatin1(name) + QStringLiteral(" blank");
    const QString m = civ::modeWords(body.mid(1));
    return m.isEmpty() ? QString() : QString::fromLatin1(name) + u' ' + m;
}

struct SubRow {
    quint8 sub;
    const char* words;
};

QString subWords(const QByteArray& body, std::initializer_list<SubRow> rows)
{
    if (body.size() != 2)
        return {};
    for (const SubRow& row : rows) {
        if (row.sub == raw(body)[1])
            return QString::fromLatin1(row.words);
    }
    return {};
}

QString vfoWords(const QByteArray& body)
{
    if (body.size() == 1)
        return QStringLiteral("VFO mode");
    return subWords(body, {{0x00, "select VFO A"},
                           {0x01, "select VFO B"},
                           {0xA0, "equalize VFOs"},
                           {0xB0, "exchange VFOs"},
                           {0xC0, "dual watch off"},
                           {0xC1, "dual watch on"},
                           {0xD0, "select main band"},
                           {0xD1, "select sub band"}});
}

QString scanWords(const QByteArray& body)
{
    return subWords(body, {{0x00, "scan stop"},
                           {0x01, "scan start"},
                           {0x02, "programmed scan"},
                           {0x03, "delta-F scan"},
                           {0x12, "fine programmed scan"},
                           {0x13, "fine delta-F scan"},
                           {0x22, "memory scan"},
                           {0x23, "select memory scan"}});
}

QString splitWords(const QByteArray& body)
{
    return subWords(body, {{0x00, "split off"},
                           {0x01, "split on"},
                           {0x10, "simplex"},
                           {0x11, "duplex minus"},
                           {0x12, "duplex plus"}});
}

QString antennaWords(const QByteArray& body)
{
    static const char* const names[] = {"antenna 1", "antenna 2", "antenna 1 with receive antenna",
                                        "antenna 2 with receive antenna"};
    const auto a = decode::antenna(body);
    return a ? QString::fromLatin1(names[*a - 5]) : QString();
}

QString memoryWords(const QByteArray& body)
{
    if (body.size() == 1)
        return QStringLiteral("memory mode");
    const auto channel = decode::memory(body);
    return channel ? QStringLiteral("select memory %1").arg(*channel) : QString();
}

// Commands whose body is the command byte alone, or that byte and data this
// program does not take apart.
QString bareWords(const QByteArray& body, const char* bare, const char* withData)
{
    if (body.size() == 1)
        return QString::fromLatin1(bare);
    return withData ? QString::fromLatin1(withData) + u' ' + hexBytes(body.mid(1)) : QString();
}

// The command's name, for the line of a body that does not take apart.
const char* commandName(quint8 command)
{
    switch (command) {
    case Cmd::FreqReport: return "frequency report";
    case Cmd::ModeReport: return "mode report";
    case Cmd::ReadFreq: return "frequency";
    case Cmd::ReadMode: return "mode";
    case Cmd::SetFreq: return "set frequency";
    case Cmd::SetMode: return "set mode";
    case Cmd::SelectVfo: return "select VFO";
    case Cmd::SelectMemory: return "select memory";
    case Cmd::MemoryWrite: return "memory write";
    case Cmd::MemoryToVfo: return "memory to VFO";
    case Cmd::MemoryClear: return "memory clear";
    case Cmd::ReadOffset: return "read offset";
    case Cmd::WriteOffset: return "write offset";
    case Cmd::Scan: return "scan";
    case Cmd::SplitDuplex: return "split/duplex";
    case Cmd::Antenna: return "antenna";
    case Cmd::Ng: return "NG";
    case Cmd::Ok: return "OK";
    case Cmd::Invalid: return "blank memory";
    default: return nullptr;
    }
}

// The words for a body; empty when the data does not fit the command.
QString bodyWords(const QByteArray& body)
{
    switch (raw(body)[0]) {
    case Cmd::FreqReport: return frequencyWords(body, "frequency report");
    case Cmd::ModeReport: return modeBodyWords(body, "mode report");
    case Cmd::ReadFreq:
        return body.size() == 1 ? QStringLiteral("read frequency") : frequencyWords(body, "frequency");
    case Cmd::ReadMode: return body.size() == 1 ? QStringLiteral("read mode") : modeBodyWords(body, "mode");
    case Cmd::SetFreq: return frequencyWords(body, "set frequency");
    case Cmd::SetMode: return modeBodyWords(body, "set mode");
    case Cmd::SelectVfo: return vfoWords(body);
    case Cmd::SelectMemory: return memoryWords(body);
    case Cmd::MemoryWrite: return bareWords(body, "memory write", nullptr);
    case Cmd::MemoryToVfo: return bareWords(body, "memory to VFO", nullptr);
    case Cmd::MemoryClear: return bareWords(body, "memory clear", nullptr);
    case Cmd::ReadOffset: return bareWords(body, "read offset", "offset");
    case Cmd::WriteOffset: return bareWords(body, "write offset", "write offset");
    case Cmd::Scan: return scanWords(body);
    case Cmd::SplitDuplex: return splitWords(body);
    case Cmd::Antenna: return antennaWords(body);
    case Cmd::Ng: return bareWords(body, "NG", nullptr);
    case Cmd::Ok: return bareWords(body, "OK", nullptr);
    case Cmd::Invalid: return bareWords(body, "blank memory", nullptr);
    default: return {};
    }
}

QString frameWords(const FrameParts& parts, int ownAddress)
{
    const quint8 command = raw(parts.body)[0];
    QString words = bodyWords(parts.body);
    if (words.isEmpty()) {
        const char* name = commandName(command);
        words = name ? QString::fromLatin1(name) + QStringLiteral(", data not understood")
                     : QStringLiteral("unknown command");
        if (!name && parts.body.size() > 1)
            words += u' ' + hexBytes(parts.body.mid(1));
    }
    QString line = hex2(parts.from) + u'>' + hex2(parts.to) + u' ' + hex2(command) + u' ' + words;
    if (ownAddress == parts.from)
        line += QStringLiteral(" (echo)");
    return line;
}

// A piece that is no whole frame: what it is, and who sent it when that is known.
QString brokenWords(const QByteArray& bytes)
{
    const qsizetype n = bytes.size();
    if (bytes.count(char(Jam)) == n)
        return QStringLiteral("collision");
    const bool preamble = n >= 2 && raw(bytes)[0] == Preamble && raw(bytes)[1] == Preamble;
    if (!preamble)
        return QStringLiteral("bytes outside a frame");
    const QString who = n >= 4 ? hex2(raw(bytes)[3]) + u'>' + hex2(raw(bytes)[2]) + u' ' : QString();
    if (raw(bytes)[n - 1] != EndOfMessage)
        return who + QStringLiteral("partial frame");
    if (n > MaxFrame)
        return who + QStringLiteral("frame too long");
    return who + QStringLiteral("frame without a command");
}

}  // namespace

QString hexBytes(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex(' ').toUpper()); }

QByteArray bytesOfTrace(const QString& trace)
{
    QByteArray bytes;
    for (const QString& word : trace.split(u' ', Qt::SkipEmptyParts)) {
        bool ok = false;
        const uint b = word.toUInt(&ok, 16);
        if (ok && word.size() == 2)
            bytes.append(char(b));
    }
    return bytes;
}

QString describeFrame(const QByteArray& bytes, int ownAddress)
{
    if (bytes.isEmpty())
        return {};
    const auto parts = splitFrame(bytes);
    const QString words = parts ? frameWords(*parts, ownAddress) : brokenWords(bytes);
    return words + QStringLiteral("  [") + hexBytes(bytes) + u']';
}

}  // namespace civ
