#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <vector>

#include "civ/rigmodel.h"

// What tsln-ctl was asked to do.
struct CtlCommand {
    QString word;
    QString value;      // empty for commands without one
    QStringList bytes;  // for "raw": the frame's bytes as hexadecimal texts
};

struct CtlOptions {
    bool tcp = false;
    QString host;
    QString port = QStringLiteral("6005");
    QString serialPort;
    int baud = 9600;
    RigModel model = RigModel::IC756;
    int address = -1;  // -1: the model's default
    bool trace = false;
    bool verbose = false;  // the engine's progress counters too
    bool help = false;
    // serve: answer Hamlib rigctld clients on listenHost:listenPort instead of
    // running commands.
    bool serve = false;
    QString listenHost = QStringLiteral("127.0.0.1");
    quint16 listenPort = 4532;
    // find: ask the bus which radios answer, instead of running commands; findAll
    // asks every address, not only the models' defaults.
    bool find = false;
    bool findAll = false;
    std::vector<CtlCommand> commands;
};

// Parses the command line (without the program name). On failure returns false
// and sets error to a one-line message.
bool parseCtlArgs(const QStringList& args, CtlOptions* options, QString* error);

QString ctlUsage();
