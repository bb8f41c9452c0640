#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

// One option as given on a command line: its first name and its value (empty for
// a switch).
struct GivenOption {
    QString name;
    QString value;
};

// Reads words, which hold nothing but options among options and their values,
// through QCommandLineParser, and answers the options in the order given, a
// repeated one once per use: the tools check them in that order, so the first bad
// one is the one they name. False with the parser's error text for anything else.
bool readOptions(const QList<QCommandLineOption>& options, const QStringList& words,
                 QList<GivenOption>* given, QString* error);

// The option "--NAME" stands for (one-letter names are short options, "-h"), or
// nullptr.
const QCommandLineOption* findLongOption(const QList<QCommandLineOption>& options, const QString& name);
