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

// download FIRST LAST FILE, upload FILE [FIRST LAST]: memory channels between
// the radio and a list file (.mem or .csv), alone.
struct CtlTransfer {
    enum Direction { None, Download, Upload };
    Direction direction = None;
    int first = 0;  // 0: an upload's rows go to channels 1, 2, ...
    int last = 0;
    QString file;
    bool csv = false;  // the file's name ends in .csv; else in .mem
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
    CtlTransfer transfer;
    std::vector<CtlCommand> commands;
};

// Parses the command line (without the program name). On failure returns false
// and sets error to a one-line message.
bool parseCtlArgs(const QStringList& args, CtlOptions* options, QString* error);

QString ctlUsage();
