#include "rigserver/rigctlprotocol.h"

namespace rigctl {

namespace {

struct CommandName {
    char shortName;  // 0: long form only
    const char* longName;
    Command command;
};

constexpr CommandName Commands[] = {
    {'F', "set_freq", Command::SetFreq},
    {'f', "get_freq", Command::GetFreq},
    {'M', "set_mode", Command::SetMode},
    {'m', "get_mode", Command::GetMode},
    {'V', "set_vfo", Command::SetVfo},
    {'v', "get_vfo", Command::GetVfo},
    {'S', "set_split_vfo", Command::SetSplitVfo},
    {'s', "get_split_vfo", Command::GetSplitVfo},
    {'I', "set_split_freq", Command::SetSplitFreq},
    {'i', "get_split_freq", Command::GetSplitFreq},
    {'X', "set_split_mode", Command::SetSplitMode},
    {'x', "get_split_mode", Command::GetSplitMode},
    {'E', "set_mem", Command::SetMem},
    {'e', "get_mem", Command::GetMem},
    {'T', "set_ptt", Command::SetPtt},
    {'t', "get_ptt", Command::GetPtt},
    {0, "get_powerstat", Command::GetPowerstat},
    {0, "get_lock_mode", Command::GetLockMode},
    {0, "set_lock_mode", Command::SetLockMode},
    {0, "chk_vfo", Command::ChkVfo},
    {0, "dump_state", Command::DumpState},
    {'q', "quit", Command::Quit},
    {'Q', "quit", Command::Quit},
};

bool isExtendedMark(char c) { return c == '+' || c == ';' || c == '|' || c == ','; }

}  // namespace

Request parse(const QByteArray& raw)
{
    Request r;
    QByteArray line = raw;
    if (line.endsWith('\r'))
        line.chop(1);
    line = line.trimmed();
    if (!line.isEmpty() && isExtendedMark(line.at(0))) {
        r.extended = true;
        r.separator = line.at(0) == '+' ? '\n' : line.at(0);
        line = line.mid(1).trimmed();
    }
    QString word;
    QString rest;
    if (line.startsWith('\\')) {
        const qsizetype space = line.indexOf(' ');
        word = QString::fromLatin1(line.mid(1, space < 0 ? -1 : space - 1));
        rest = space < 0 ? QString() : QString::fromLatin1(line.mid(space + 1));
        for (const CommandName& c : Commands) {
            if (word == QLatin1String(c.longName)) {
                r.command = c.command;
                break;
            }
        }
    } else if (!line.isEmpty()) {
        word = QString::fromLatin1(line.left(1));
        rest = QString::fromLatin1(line.mid(1));
        for (const CommandName& c : Commands) {
            if (c.shortName != 0 && c.shortName == line.at(0)) {
                r.command = c.command;
                break;
            }
        }
    }
    r.name = word;
    for (const CommandName& c : Commands) {
        if (c.command == r.command && r.command != Command::Unknown) {
            r.name = QString::fromLatin1(c.longName);
            break;
        }
    }
    r.args = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return r;
}

QByteArray format(const Request& request, const Reply& reply)
{
    QByteArray out;
    const QByteArray status = "RPRT " + QByteArray::number(reply.status) + "\n";
    if (request.command == Command::ChkVfo && reply.status == Ok) {
        // rigctld answers this one without the command's name or a status.
        for (const auto& [label, value] : reply.values)
            out += (request.extended ? "ChkVFO: " : "") + value.toLatin1() + "\n";
        return out;
    }
    if (!request.extended) {
        if (reply.status != Ok || (reply.values.isEmpty() && reply.block.isEmpty()))
            return status;
        out = reply.block;
        for (const auto& [label, value] : reply.values)
            out += value.toLatin1() + "\n";
        return out;
    }
    const char sep = request.separator;
    out = request.name.toLatin1() + ":";
    if (!request.args.isEmpty())
        out += " " + request.args.join(QLatin1Char(' ')).toLatin1();
    out += sep;
    if (reply.status == Ok) {
        out += reply.block;
        for (const auto& [label, value] : reply.values)
            out += label.toLatin1() + ": " + value.toLatin1() + sep;
    }
    return out + status;
}

}  // namespace rigctl
