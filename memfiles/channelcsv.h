#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

#include "memfiles/csvtext.h"
#include "memfiles/memfile.h"

// Channel lists in the generic CSV layout of the common radio-programming tool
// (CHIRP): a header line naming the columns (Location, Name, Frequency, Duplex,
// Offset, Tone, ..., Mode, TStep, Skip, Comment, ...), then one channel a line,
// frequencies in MHz. Converted to and from memory records, which hold only a
// frequency, a mode, a duplex direction and a description.

// Settings a memory record cannot hold, counted over a whole list.
struct DroppedSettings {
    int offsets = 0;
    int tones = 0;
    int dtcs = 0;
    int skips = 0;
    int powers = 0;
    int others = 0;

    bool any() const { return offsets || tones || dtcs || skips || powers || others; }
    // "3 offsets, 1 tone, 12 power levels", empty when nothing was dropped.
    QString text() const;
};

struct CsvImport {
    // False when nothing could be read at all (no header naming a Frequency
    // column); problem then says why, at which line.
    bool readable = true;
    CsvProblem problem;

    MemRecords records;
    int channels = 0;  // lines that became records
    DroppedSettings dropped;
    std::vector<CsvProblem> changed;  // values that became other values
    std::vector<CsvProblem> refused;  // lines that became nothing

    // True when every line came over whole and unchanged.
    bool complete() const { return !dropped.any() && changed.empty() && refused.empty(); }
    // What happened, for the operator; at most maxNotes changed or refused
    // lines are listed one by one.
    QString summary(int maxNotes = 20) const;
};

struct CsvExport {
    QByteArray bytes;
    int channels = 0;               // records written
    std::vector<CsvProblem> notes;  // line = channel number: left out or changed

    bool complete() const { return notes.empty(); }
    QString summary(int maxNotes = 20) const;
};

// Locations above this are refused: no radio has that many memories, and a
// list as long would only be a mistake.
constexpr int MaxCsvLocation = 99999;

// Location gives the record's position (gaps become blank records; a list
// counting from 0 moves up by one), Frequency the frequency text, Mode and
// Duplex the mode and duplex texts, Name and Comment the description. A line
// that cannot be converted is refused; the rest still converts.
CsvImport importChannelCsv(QByteArrayView bytes);

// The records as a channel list with CR LF line ends. Records without a
// frequency are left out (their channel numbers stay free); the description
// goes to Name, or to Name and Comment when it holds " - ".
CsvExport exportChannelCsv(const MemRecords& records);

// The CSV frequency in MHz ("146.520000") as a frequency text ("146.520.000"),
// or an empty text when a frequency text cannot hold it.
QString csvFrequencyToFreqText(const QString& mhz);
// A frequency text as MHz with six decimals, or an empty text when the text is
// not a complete frequency ("BLANK", unfilled places).
QString freqTextToCsvFrequency(const QString& text);
