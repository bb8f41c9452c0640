#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Comma-separated text as spreadsheets and radio-programming tools write it:
// UTF-8 with or without a byte-order mark, LF, CR LF or CR line ends, fields in
// double quotes when they hold commas, quotes or line ends, a quote inside a
// quoted field doubled.

struct CsvRow {
    int line = 0;      // the line the row starts on, from 1
    int lastLine = 0;  // the line it ends on: later when a quoted field holds line ends
    QStringList fields;
};

struct CsvProblem {
    int line = 0;
    QString reason;
};

// The rows of a text, rows of nothing but empty fields left out. A quoted
// field that is never closed spoils only its own row: it is reported in
// *problems and reading goes on with the line after the one it started on.
// So does a quoted field whose closing quote, on a later line, is followed by
// more text than a comma or a line end: that quote opened another field.
std::vector<CsvRow> readCsv(QByteArrayView bytes, std::vector<CsvProblem>* problems);
// The same, one row at a time, without keeping them: onRow is called for each
// in order.
void scanCsv(QByteArrayView bytes, const std::function<void(const CsvRow&)>& onRow,
             std::vector<CsvProblem>* problems);

// One row as a line of text ended by CR LF, each field quoted only where it
// needs it.
void appendCsvRow(QByteArray& out, const QStringList& fields);
