#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct RadioChoice {
    QString model;     // key, e.g. "ic756"
    int address = -1;  // -1: the model's default, or the next free address
};

struct KnobChoice {
    QString radio;  // address or model
    int everyMs = 0;
};

// The command line of tsln-sim.
struct SimOptions {
    QList<RadioChoice> radios;  // empty: the default bus
    int tcpPort = 6005;         // 0: no TCP listener
    bool pty = true;
    QString link;
    int controlPort = 0;  // 0: no control port
    bool stdinControl = true;
    int baud = 9600;
    bool paced = true;
    QList<KnobChoice> knobs;
    bool trace = false;
    quint32 seed = 1;
    bool help = false;
};

// The radios on the bus when no --radio is given.
QList<RadioChoice> defaultRadios();

// False with a message for a bad command line.
bool parseSimOptions(const QStringList& arguments, SimOptions* options, QString* error);

QString simUsage();
