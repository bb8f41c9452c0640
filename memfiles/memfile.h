#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <vector>

// One memory channel of a list; its channel number is its position.
struct MemRecord {
    QString Freq;
    QString Mode;
    QString Duplex;
    QString Description;

    friend bool operator==(const MemRecord&, const MemRecord&) = default;
};

using MemRecords = std::vector<MemRecord>;

// Memory files are single-byte text: every byte is one character (Latin-1), so a
// file read and written again is byte for byte the same. Characters beyond
// Latin-1 cannot be stored and are written as "?".
//
// A line holds Freq,Mode,Duplex,Description; the description is the whole rest of
// the line, commas included. Lines end with CR LF, a lone CR or a lone LF; a final
// line end adds no record, an empty line does. A Ctrl-Z byte ends the file.

// Reads the records of a file. onLine, when given, is called with the number of
// each line as it is read (1, 2, ...).
MemRecords readMemFile(QByteArrayView bytes, const std::function<void(int)>& onLine = {});

// The file for these records: one line per record, each ended by CR LF.
QByteArray writeMemFile(const MemRecords& records);

// The name a list is saved under: ".mem" is appended unless the chosen name
// already contains it (case-sensitive), so "x.mem.bak" stays as it is.
QString memFileSaveName(const QString& chosen);

// Reads a whole file. On failure returns false and gives the reason in *error.
bool loadMemFile(const QString& fileName, QByteArray* bytes, QString* error);

// Writes a whole file through a temporary file beside it that replaces the old
// file only once everything is written, so a failed save leaves the old file
// as it was. Where no temporary file can be made beside it (a folder that
// takes no new files) an existing file is written in place instead: it is cut
// to its new length only once the new content is all in, and a write that
// fails part way puts the old content back, so the file never ends shorter than
// both. On failure returns false and gives the reason in *error, naming both
// ways when both failed and saying what became of the file.
bool saveMemFile(const QString& fileName, const QByteArray& bytes, QString* error);
