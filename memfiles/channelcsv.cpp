#include "memfiles/channelcsv.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "core/freqtext.h"

namespace {

// The columns written on export, in the order the programming tool writes them.
// Tone settings get the values it writes for "no tone".
const char* const ExportHeader[] = {
    "Location", "Name",         "Frequency",  "Duplex",    "Offset", "Tone",  "rToneFreq", "cToneFreq",
    "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",   "TStep", "Skip",      "Comment"};

struct ModeName {
    const char* csv;
    const char* record;
    bool exact;  // false: the record's mode is a near one
};

// CSV mode to record mode; anything not here has no record mode.
const ModeName ImportModes[] = {
    {"FM", "FM", true},       {"NFM", "FM", false}, {"WFM", "WFM", true},   {"AM", "AM", true},
    {"NAM", "AM", false},     {"USB", "USB", true}, {"LSB", "LSB", true},   {"CW", "CW", true},
    {"CWR", "CW", false},     {"NCW", "CWn", true}, {"NCWR", "CWn", false}, {"RTTY", "RTTY", true},
    {"RTTYR", "RTTY", false},
};

// Record mode (compared without regard to case) to CSV mode.
const ModeName ExportModes[] = {
    {"CW", "CW", true}, {"NCW", "CWN", true}, {"LSB", "LSB", true}, {"USB", "USB", true},
    {"AM", "AM", true}, {"FM", "FM", true},   {"WFM", "WFM", true}, {"RTTY", "RTTY", true},
};

QString plural(int n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

QString quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

void appendNotes(QString& out, const char* heading, const std::vector<CsvProblem>& notes, const char* where,
                 int* budget)
{
    if (notes.empty())
        return;
    out += QLatin1String(heading) + QLatin1Char('\n');
    int shown = 0;
    for (const CsvProblem& note : notes) {
        if (shown == *budget)
            break;
        out += QStringLiteral("  %1 %2: %3\n").arg(QLatin1String(where)).arg(note.line).arg(note.reason);
        ++shown;
    }
    *budget -= shown;
    if (shown < static_cast<int>(notes.size()))
        out += QStringLiteral("  ... and %1 more\n").arg(notes.size() - shown);
}

// Text a memory file keeps on one line: line ends and Ctrl-Z become spaces.
// Spreadsheets take a cell starting with one of these as a formula (or, for a
// tab or CR, strip it and look again): a name such as "=HYPERLINK(...)" in a list
// opened there would run. Such text is written behind an apostrophe, which
// spreadsheets show as text and do not show; apostrophes already in front of
// such a start get one more, so reading back takes exactly one off.
bool startsAsFormula(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char('\''))
        ++i;
    if (i >= text.size())
        return false;
    const QChar c = text.at(i);
    return c == QLatin1Char('=') || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('@') ||
           c == QLatin1Char('\t') || c == QLatin1Char('\r');
}

QString toSpreadsheetText(const QString& text)
{
    return startsAsFormula(text) ? QLatin1Char('\'') + text : text;
}

QString fromSpreadsheetText(const QString& text)
{
    return text.startsWith(QLatin1Char('\'')) && startsAsFormula(text) ? text.mid(1) : text;
}

bool flattenLine(QString* text)
{
    bool changed = false;
    for (QChar& c : *text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0x1A)) {
            c = QLatin1Char(' ');
            changed = true;
        }
    }
    return changed;
}

// Where the columns the converter reads stand in the header line (-1: absent),
// and which other columns are there.
struct Columns {
    int location = -1, name = -1, frequency = -1, duplex = -1, offset = -1, tone = -1, mode = -1, skip = -1,
        power = -1, comment = -1;
    std::vector<int> others;

    explicit Columns(const QStringList& header)
    {
        const std::pair<const char*, int*> read[] = {
            {"location", &location}, {"name", &name},      {"frequency", &frequency}, {"duplex", &duplex},
            {"offset", &offset},     {"tone", &tone},      {"mode", &mode},           {"skip", &skip},
            {"power", &power},       {"comment", &comment}};
        // Tone parameters count with their tone; the tuning step has no meaning here.
        const char* const ignored[] = {"rtonefreq",  "ctonefreq", "dtcscode", "dtcspolarity",
                                       "rxdtcscode", "crossmode", "tstep"};
        for (qsizetype i = 0; i < header.size(); ++i) {
            const QString column = header[i].trimmed().toLower();
            bool known = false;
            for (const auto& [n, index] : read) {
                if (column == QLatin1String(n)) {
                    known = true;
                    if (*index < 0)
                        *index = static_cast<int>(i);
                }
            }
            for (const char* n : ignored)
                known = known || column == QLatin1String(n);
            if (!known)
                others.push_back(static_cast<int>(i));
        }
    }
};

QString field(const QStringList& fields, int column)
{
    return column >= 0 && column < fields.size() ? fields[column].trimmed() : QString();
}

// A line converted, waiting for its place in the list.
struct Entry {
    int line;
    int location;  // -1: the next place after the previous line
    MemRecord record;
};

class Importer {
public:
    explicit Importer(CsvImport* result) : r_(result) {}

    void run(QByteArrayView bytes)
    {
        std::vector<CsvProblem> problems;
        std::optional<Columns> columns;
        int headerLine = 0;
        std::vector<Entry> entries;
        scanCsv(
            bytes,
            [&](const CsvRow& row) {
                if (columns) {
                    if (columns->frequency >= 0)
                        convert(*columns, row, &entries);
                } else {
                    columns.emplace(row.fields);
                    headerLine = row.line;
                }
            },
            &problems);
        if (!columns) {
            unreadable(problems.empty() ? 1 : problems.front().line,
                       QStringLiteral("there is no header line"));
            return;
        }
        if (columns->frequency < 0) {
            unreadable(headerLine, QStringLiteral("the header line names no Frequency column"));
            return;
        }
        r_->refused.insert(r_->refused.end(), problems.begin(), problems.end());
        place(&entries);
        std::sort(r_->refused.begin(), r_->refused.end(),
                  [](const CsvProblem& a, const CsvProblem& b) { return a.line < b.line; });
        std::stable_sort(r_->changed.begin(), r_->changed.end(),
                         [](const CsvProblem& a, const CsvProblem& b) { return a.line < b.line; });
    }

private:
    void unreadable(int line, const QString& reason)
    {
        r_->readable = false;
        r_->problem = {line, reason};
        r_->refused.clear();
    }

    void changed(int line, const QString& what) { r_->changed.push_back({line, what}); }
    void refused(int line, const QString& why) { r_->refused.push_back({line, why}); }

    void convert(const Columns& columns, const CsvRow& row, std::vector<Entry>* entries)
    {
        const QStringList& f = row.fields;
        Entry entry{row.line, -1, {}};

        if (columns.location >= 0) {
            const QString text = field(f, columns.location);
            if (!text.isEmpty()) {
                bool ok = false;
                entry.location = text.toInt(&ok);
                if (!ok || entry.location < 0) {
                    refused(row.line,
                            QStringLiteral("Location %1 is not a channel number").arg(quoted(text)));
                    return;
                }
                if (entry.location > MaxCsvLocation) {
                    refused(row.line,
                            QStringLiteral("Location %1 is beyond %2").arg(text).arg(MaxCsvLocation));
                    return;
                }
            }
        }

        const QString mhz = field(f, columns.frequency);
        if (mhz.isEmpty()) {
            refused(row.line, QStringLiteral("no frequency"));
            return;
        }
        entry.record.Freq = csvFrequencyToFreqText(mhz);
        if (entry.record.Freq.isEmpty()) {
            refused(row.line,
                    QStringLiteral("frequency %1 is not one a memory holds (0.010000 to 9999.999999 MHz)")
                        .arg(quoted(mhz)));
            return;
        }

        entry.record.Mode = mode(row.line, field(f, columns.mode));
        entry.record.Duplex = duplex(row.line, field(f, columns.duplex));
        entry.record.Description = description(row, fromSpreadsheetText(field(f, columns.name)),
                                               fromSpreadsheetText(field(f, columns.comment)));
        countDropped(columns, f);
        entries->push_back(std::move(entry));
    }

    QString mode(int line, const QString& text)
    {
        if (text.isEmpty())
            return {};
        for (const ModeName& m : ImportModes) {
            if (text.compare(QLatin1String(m.csv), Qt::CaseInsensitive) != 0)
                continue;
            const QString mode = QLatin1String(m.record);
            if (!m.exact)
                changed(line, QStringLiteral("mode %1 became %2").arg(text, mode));
            return mode;
        }
        changed(line, QStringLiteral("mode %1 is not one these radios have; left empty").arg(text));
        return {};
    }

    QString duplex(int line, const QString& text)
    {
        if (text.isEmpty())
            return QStringLiteral("NONE");
        if (text == QLatin1String("+"))
            return QStringLiteral("PLUS");
        if (text == QLatin1String("-"))
            return QStringLiteral("MINUS");
        changed(line, QStringLiteral("duplex %1 became NONE").arg(text));
        return QStringLiteral("NONE");
    }

    QString description(const CsvRow& row, QString name, QString comment)
    {
        // Both fields are flattened, whichever had a line break.
        const bool nameFlattened = flattenLine(&name);
        const bool commentFlattened = flattenLine(&comment);
        // Lines taken into a quoted field are named: a quote left open by
        // mistake shows here as channels missing.
        if (row.lastLine > row.line) {
            QString note = QStringLiteral(
                               "lines %1 to %2 are one row, joined by a quoted field (is a quote "
                               "not closed?)")
                               .arg(row.line)
                               .arg(row.lastLine);
            if (nameFlattened || commentFlattened)
                note += QStringLiteral("; line breaks in the name or comment became spaces");
            changed(row.line, note);
        } else if (nameFlattened || commentFlattened)
            changed(row.line, QStringLiteral("line breaks in the name or comment became spaces"));
        name = name.trimmed();
        comment = comment.trimmed();
        if (name.isEmpty())
            return comment;
        if (comment.isEmpty())
            return name;
        return name + QLatin1String(" - ") + comment;
    }

    void countDropped(const Columns& columns, const QStringList& f)
    {
        DroppedSettings& d = r_->dropped;
        const QString offset = field(f, columns.offset);
        bool ok = false;
        if (!offset.isEmpty() && (offset.toDouble(&ok) != 0.0 || !ok))
            ++d.offsets;
        const QString tone = field(f, columns.tone).toUpper();
        if (tone.startsWith(QLatin1String("DTCS")))
            ++d.dtcs;
        else if (!tone.isEmpty())
            ++d.tones;
        if (!field(f, columns.skip).isEmpty())
            ++d.skips;
        if (!field(f, columns.power).isEmpty())
            ++d.powers;
        bool other = false;
        for (int column : columns.others)
            other = other || !field(f, column).isEmpty();
        if (other)
            ++d.others;
    }

    void place(std::vector<Entry>* entries)
    {
        bool fromZero = false;
        for (const Entry& e : *entries) {
            if (e.location == 0) {
                fromZero = true;
                changed(e.line,
                        QStringLiteral("the list counts from Location 0: every channel moves up by one"));
                break;
            }
        }
        std::map<int, int> lineOf;  // channel -> line that took it
        int next = 1;
        int last = 0;
        std::vector<std::pair<int, MemRecord*>> placed;
        placed.reserve(entries->size());
        for (Entry& e : *entries) {
            const int channel = e.location < 0 ? next : e.location + (fromZero ? 1 : 0);
            if (channel > MaxCsvLocation) {
                refused(e.line, QStringLiteral("channel %1 is beyond %2").arg(channel).arg(MaxCsvLocation));
                continue;
            }
            const auto [it, fresh] = lineOf.emplace(channel, e.line);
            if (!fresh) {
                refused(
                    e.line,
                    QStringLiteral("channel %1 is already taken by line %2").arg(channel).arg(it->second));
                continue;
            }
            next = channel + 1;
            last = std::max(last, channel);
            placed.emplace_back(channel, &e.record);
        }
        r_->records.assign(static_cast<size_t>(last), MemRecord{});
        for (auto& [channel, record] : placed)
            r_->records[channel - 1] = std::move(*record);
        r_->channels = static_cast<int>(placed.size());
    }

    CsvImport* r_;
};

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Nothing in the frequency field that names a frequency: what an empty radio
// memory or an unfilled edit leaves.
bool isNoFrequency(const QString& text)
{
    if (text.compare(QLatin1String("BLANK"), Qt::CaseInsensitive) == 0)
        return true;
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('.') && c != QLatin1Char('_'))
            return false;
    return true;
}

}  // namespace

QString DroppedSettings::text() const
{
    QStringList parts;
    if (offsets)
        parts << plural(offsets, "offset", "offsets");
    if (tones)
        parts << plural(tones, "tone", "tones");
    if (dtcs)
        parts << plural(dtcs, "DTCS code", "DTCS codes");
    if (skips)
        parts << plural(skips, "skip setting", "skip settings");
    if (powers)
        parts << plural(powers, "power level", "power levels");
    if (others)
        parts << plural(others, "line with other settings", "lines with other settings");
    return parts.join(QLatin1String(", "));
}

QString CsvImport::summary(int maxNotes) const
{
    if (!readable)
        return QStringLiteral("Line %1: %2.\n").arg(problem.line).arg(problem.reason);
    QString out = plural(channels, "channel", "channels") + QLatin1String(" imported.\n");
    if (dropped.any())
        out += QStringLiteral("Dropped, as a memory channel cannot hold them: %1.\n").arg(dropped.text());
    int budget = maxNotes;
    appendNotes(out, "Changed:", changed, "line", &budget);
    appendNotes(out, "Not imported:", refused, "line", &budget);
    return out;
}

QString CsvExport::summary(int maxNotes) const
{
    QString out = plural(channels, "channel", "channels") + QLatin1String(" exported.\n");
    int budget = maxNotes;
    appendNotes(out, "Left out or changed:", notes, "channel", &budget);
    return out;
}

QString csvFrequencyToFreqText(const QString& mhz)
{
    const QString text = mhz.trimmed();
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QStringView whole = QStringView(text).left(point < 0 ? text.size() : point);
    const QStringView fraction = point < 0 ? QStringView() : QStringView(text).mid(point + 1);
    if (whole.isEmpty() && fraction.isEmpty())
        return {};
    qint64 megahertz = 0;
    for (QChar c : whole) {
        if (!isDigit(c))
            return {};
        megahertz = megahertz * 10 + c.digitValue();
        if (megahertz >= 10000)
            return {};
    }
    qint64 hertz = 0;
    for (qsizetype i = 0; i < fraction.size(); ++i) {
        if (!isDigit(fraction[i]))
            return {};
        if (i >= 6 && fraction[i] != QLatin1Char('0'))
            return {};  // finer than a hertz
        if (i < 6)
            hertz = hertz * 10 + fraction[i].digitValue();
    }
    for (qsizetype i = fraction.size(); i < 6; ++i)
        hertz *= 10;
    return hertzToFreqText(megahertz * 1000000 + hertz);
}

QString freqTextToCsvFrequency(const QString& text)
{
    const qsizetype wide = text.size() - 11;
    if (wide != 0 && wide != 1)
        return {};
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool separator = i == 3 + wide || i == 7 + wide;
        if (separator ? text[i] != QLatin1Char('.') : !isDigit(text[i]))
            return {};
    }
    const qint64 hertz = freqTextToHertz(text);
    if (hertzToFreqText(hertz).isEmpty())
        return {};
    return QStringLiteral("%1.%2").arg(hertz / 1000000).arg(hertz % 1000000, 6, 10, QLatin1Char('0'));
}

CsvImport importChannelCsv(QByteArrayView bytes)
{
    CsvImport result;
    Importer(&result).run(bytes);
    return result;
}

CsvExport exportChannelCsv(const MemRecords& records)
{
    CsvExport result;
    QStringList header;
    for (const char* name : ExportHeader)
        header << QLatin1String(name);
    appendCsvRow(result.bytes, header);

    for (size_t i = 0; i < records.size(); ++i) {
        const MemRecord& r = records[i];
        const int channel = static_cast<int>(i + 1);
        const QString frequency = freqTextToCsvFrequency(r.Freq);
        if (frequency.isEmpty()) {
            if (!isNoFrequency(r.Freq) || !r.Description.isEmpty())
                result.notes.push_back(
                    {channel, QStringLiteral("%1 is no frequency; left out").arg(quoted(r.Freq))});
            continue;
        }

        QString mode;
        if (!r.Mode.isEmpty()) {
            for (const ModeName& m : ExportModes)
                if (r.Mode.compare(QLatin1String(m.record), Qt::CaseInsensitive) == 0)
                    mode = QLatin1String(m.csv);
            if (mode.isEmpty())
                result.notes.push_back(
                    {channel, QStringLiteral("mode %1 has no CSV name; left empty").arg(quoted(r.Mode))});
        }

        QString duplex;
        if (r.Duplex.compare(QLatin1String("PLUS"), Qt::CaseInsensitive) == 0)
            duplex = QStringLiteral("+");
        else if (r.Duplex.compare(QLatin1String("MINUS"), Qt::CaseInsensitive) == 0)
            duplex = QStringLiteral("-");
        else if (!r.Duplex.isEmpty() && r.Duplex.compare(QLatin1String("NONE"), Qt::CaseInsensitive) != 0)
            result.notes.push_back(
                {channel, QStringLiteral("duplex %1 written as simplex").arg(quoted(r.Duplex))});

        // Split only where reading it back joins it again to the same text.
        const qsizetype dash = r.Description.indexOf(QLatin1String(" - "));
        QString name = r.Description;
        QString comment;
        if (dash > 0) {
            const QString left = r.Description.left(dash);
            const QString right = r.Description.mid(dash + 3);
            if (!right.isEmpty() && left == left.trimmed() && right == right.trimmed()) {
                name = left;
                comment = right;
            }
        }

        appendCsvRow(result.bytes, {QString::number(channel), toSpreadsheetText(name), frequency, duplex,
                                    QStringLiteral("0.000000"), QString(), QStringLiteral("88.5"),
                                    QStringLiteral("88.5"), QStringLiteral("023"), QStringLiteral("NN"),
                                    QStringLiteral("023"), QStringLiteral("Tone->Tone"), mode,
                                    QStringLiteral("5.00"), QString(), toSpreadsheetText(comment)});
        ++result.channels;
    }
    return result;
}
