#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

// The text protocol of Hamlib's rigctld, as logging and digital-mode programs speak
// it over TCP: one command a line, short ("f", "F 14074000") or long ("\get_freq");
// a leading "+", ";", "|" or "," asks for the extended answer, which names the
// command, labels each value and ends with "RPRT n", its lines split by a newline
// or the given character.
namespace rigctl {

// Hamlib's error numbers, as "RPRT -n" carries them.
enum Status {
    Ok = 0,
    InvalidParameter = -1,
    NotImplemented = -4,
    TimedOut = -5,
    Rejected = -9,
    NotAvailable = -11,
};

enum class Command {
    Unknown,
    SetFreq,
    GetFreq,
    SetMode,
    GetMode,
    SetVfo,
    GetVfo,
    SetSplitVfo,
    GetSplitVfo,
    SetSplitFreq,
    GetSplitFreq,
    SetSplitMode,
    GetSplitMode,
    SetMem,
    GetMem,
    SetPtt,
    GetPtt,
    GetPowerstat,
    GetLockMode,
    SetLockMode,
    ChkVfo,
    DumpState,
    Quit,
};

struct Request {
    Command command = Command::Unknown;
    QString name;  // long name ("get_freq"), or the word as typed for an unknown one
    QStringList args;
    bool extended = false;
    char separator = '\n';  // between the lines of an extended answer
};

// One line without its newline (a trailing carriage return is dropped).
Request parse(const QByteArray& line);

// What a command produced: a status and, for a read, labelled values.
struct Reply {
    int status = Ok;
    QList<std::pair<QString, QString>> values;  // label ("Frequency"), value
    QByteArray block;                           // a multi-line answer sent as it is (dump_state)
};

// The bytes answering request with reply.
QByteArray format(const Request& request, const Reply& reply);

}  // namespace rigctl
