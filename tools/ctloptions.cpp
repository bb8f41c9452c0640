#include "tools/ctloptions.h"

#include <QCommandLineOption>
#include <QFileInfo>
#include <QHash>
#include <QHostAddress>

#include "core/cmdoptions.h"
#include "core/intconv.h"

namespace {

// Commands and whether each takes a value.
const QHash<QString, bool>& commandWords()
{
    static const QHash<QString, bool> words = {
        {QStringLiteral("freq"), true},      {QStringLiteral("mode"), true},
        {QStringLiteral("band"), true},      {QStringLiteral("vfo"), true},
        {QStringLiteral("memory"), true},    {QStringLiteral("memcmd"), true},
        {QStringLiteral("scan"), true},      {QStringLiteral("split"), true},
        {QStringLiteral("duplex"), true},    {QStringLiteral("dual"), true},
        {QStringLiteral("antenna"), true},   {QStringLiteral("readfreq"), false},
        {QStringLiteral("readmode"), false}, {QStringLiteral("readoffset"), false},
        {QStringLiteral("raw"), true},       {QStringLiteral("clear"), false},
        {QStringLiteral("wait"), true},      {QStringLiteral("watch"), true},
        {QStringLiteral("serve"), false},
    };
    return words;
}

bool isNumber(const QString& text) { return tryStrToInt(text, nullptr); }

bool isHexByte(const QString& text)
{
    bool ok = false;
    const uint v = text.toUInt(&ok, 16);
    return ok && text.size() <= 2 && v <= 0xFF;
}

bool checkValue(const CtlCommand& c, const CtlOptions& o, QString* error)
{
    const QString& w = c.word;
    if (w == QLatin1String("split") || w == QLatin1String("dual")) {
        if (c.value != QLatin1String("on") && c.value != QLatin1String("off")) {
            *error = QStringLiteral("%1 takes on or off, not '%2'").arg(w, c.value);
            return false;
        }
    } else if (w == QLatin1String("raw")) {
        for (const QString& b : c.bytes) {
            if (!isHexByte(b)) {
                *error = QStringLiteral("raw takes hexadecimal bytes, not '%1'").arg(b);
                return false;
            }
        }
    } else if (w != QLatin1String("freq") && commandWords().value(w) && !isNumber(c.value)) {
        *error = QStringLiteral("%1 takes a number, not '%2'").arg(w, c.value);
        return false;
    }
    if ((w == QLatin1String("wait") || w == QLatin1String("watch")) && strToInt(c.value) < 0) {
        *error = QStringLiteral("%1 takes a time of 0 or more").arg(w);
        return false;
    }
    if ((w == QLatin1String("dual") || w == QLatin1String("antenna")) && o.model != RigModel::IC756) {
        *error = QStringLiteral("%1 is a command of the IC-756 only").arg(w);
        return false;
    }
    return true;
}

// "serve [--listen ADDR:PORT]", the only command when given; i stands on "serve".
bool parseServe(const QStringList& args, int i, CtlOptions* o, QString* error)
{
    if (i != args.size() - 1 && !(i == args.size() - 3 && args.at(i + 1) == QLatin1String("--listen"))) {
        *error = QStringLiteral("serve takes only --listen ADDR:PORT after it");
        return false;
    }
    if (!o->commands.empty()) {
        *error = QStringLiteral("serve runs alone, without other commands");
        return false;
    }
    o->serve = true;
    if (i == args.size() - 3) {
        const QString v = args.at(i + 2);
        const qsizetype colon = v.lastIndexOf(QLatin1Char(':'));
        bool ok = false;
        const uint port = colon < 0 ? 0 : v.mid(colon + 1).toUInt(&ok);
        QString host = colon < 0 ? QString() : v.left(colon);
        if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
            host = host.mid(1, host.size() - 2);
        if (!ok || port > 65535 || host.isEmpty() || QHostAddress(host).isNull()) {
            *error = QStringLiteral("--listen takes ADDRESS:PORT with a numeric address, not '%1'").arg(v);
            return false;
        }
        o->listenHost = host;
        o->listenPort = quint16(port);
    }
    return true;
}

// The options. --help prints ctlUsage(), so they need no descriptions here; a
// value name marks an option that takes a value.
const QList<QCommandLineOption>& ctlOptions()
{
    static const QList<QCommandLineOption> options = {
        QCommandLineOption(QStringLiteral("help")),
        QCommandLineOption(QStringLiteral("trace")),
        QCommandLineOption(QStringLiteral("verbose")),
        QCommandLineOption(QStringLiteral("tcp"), QString(), QStringLiteral("HOST[:PORT]")),
        QCommandLineOption(QStringLiteral("serial"), QString(), QStringLiteral("PORT")),
        QCommandLineOption(QStringLiteral("baud"), QString(), QStringLiteral("N")),
        QCommandLineOption(QStringLiteral("model"), QString(), QStringLiteral("MODEL")),
        QCommandLineOption(QStringLiteral("address"), QString(), QStringLiteral("HEX")),
    };
    return options;
}

// The options are the words at the start that name one of ctlOptions() as
// "--NAME", each followed by its value when it takes one; the first other word
// starts the commands. A word "--..." that names no option ("--tcp=HOST" too) and
// an option left without its value end the options as well, and are refused
// once the options before them have been checked.
struct OptionWords {
    qsizetype end = 0;
    QString refusal;
};

OptionWords optionWords(const QStringList& args)
{
    qsizetype i = 0;
    while (i < args.size() && args.at(i).startsWith(QLatin1String("--"))) {
        const QCommandLineOption* option = findLongOption(ctlOptions(), args.at(i).mid(2));
        if (!option)
            return {i, QStringLiteral("unknown option '%1'").arg(args.at(i))};
        const qsizetype next = i + (option->valueName().isEmpty() ? 1 : 2);
        if (next > args.size())
            return {i, QStringLiteral("%1 needs a value").arg(args.at(i))};
        i = next;
    }
    return {i, QString()};
}

bool parseTcp(const QString& v, CtlOptions* o, QString* error)
{
    o->tcp = true;
    const qsizetype colon = v.lastIndexOf(QLatin1Char(':'));
    o->host = colon < 0 ? v : v.left(colon);
    if (colon >= 0)
        o->port = v.mid(colon + 1);
    if (o->host.isEmpty() || o->port.isEmpty()) {
        *error = QStringLiteral("--tcp takes HOST or HOST:PORT, not '%1'").arg(v);
        return false;
    }
    return true;
}

// "ic706, ic706mkii, ic756, ic821", as --model takes them.
QString modelKeys()
{
    QStringList keys;
    for (RigModel m : AllRigModels)
        keys << QLatin1String(rigModelInfo(m).key);
    return keys.join(QLatin1String(", "));
}

bool parseModel(const QString& v, CtlOptions* o, QString* error)
{
    const std::optional<RigModel> model = rigModelFromKey(v);
    if (!model) {
        *error = QStringLiteral("unknown model '%1' (%2)").arg(v, modelKeys());
        return false;
    }
    o->model = *model;
    return true;
}

// One option other than --help, as given.
bool applyOption(const GivenOption& g, CtlOptions* o, QString* error)
{
    const QString& v = g.value;
    if (g.name == QLatin1String("trace")) {
        o->trace = true;
    } else if (g.name == QLatin1String("verbose")) {
        o->verbose = true;
    } else if (g.name == QLatin1String("tcp")) {
        return parseTcp(v, o, error);
    } else if (g.name == QLatin1String("serial")) {
        o->serialPort = v;
    } else if (g.name == QLatin1String("baud")) {
        if (!tryStrToInt(v, &o->baud) || o->baud <= 0) {
            *error = QStringLiteral("--baud takes a speed in bits per second, not '%1'").arg(v);
            return false;
        }
    } else if (g.name == QLatin1String("model")) {
        return parseModel(v, o, error);
    } else if (g.name == QLatin1String("address")) {
        bool ok = false;
        o->address = v.toInt(&ok, 16);
        if (!ok || o->address < 0 || o->address > 0xFF || v.size() > 2) {
            *error = QStringLiteral("--address takes two hexadecimal digits, not '%1'").arg(v);
            return false;
        }
    }
    return true;
}

// The commands, from args[i] on.
bool parseCommands(const QStringList& args, qsizetype i, CtlOptions* o, QString* error)
{
    const auto& words = commandWords();
    for (; i < args.size(); ++i) {
        CtlCommand c;
        c.word = args.at(i).toLower();
        if (!words.contains(c.word)) {
            *error = QStringLiteral("unknown command '%1'").arg(args.at(i));
            return false;
        }
        if (c.word == QLatin1String("serve")) {
            if (!parseServe(args, int(i), o, error))
                return false;
            break;
        }
        if (c.word == QLatin1String("raw")) {
            while (i + 1 < args.size() && !words.contains(args.at(i + 1).toLower()))
                c.bytes << args.at(++i);
            if (c.bytes.isEmpty()) {
                *error = QStringLiteral("raw needs the frame's bytes");
                return false;
            }
        } else if (words.value(c.word)) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("%1 needs a value").arg(c.word);
                return false;
            }
            c.value = args.at(++i);
        }
        if (!checkValue(c, *o, error))
            return false;
        o->commands.push_back(c);
    }
    if (o->commands.empty() && !o->serve) {
        *error = QStringLiteral("no command given (see --help)");
        return false;
    }
    return true;
}

// "find [--all]", alone and without a model; i stands on "find".
bool parseFind(const QStringList& args, qsizetype i, CtlOptions* o, QString* error)
{
    const QStringList rest = args.mid(i + 1);
    if (!rest.isEmpty() && rest != QStringList{QStringLiteral("--all")}) {
        *error = QStringLiteral("find takes only --all after it");
        return false;
    }
    o->find = true;
    o->findAll = !rest.isEmpty();
    return true;
}

// A channel number of the model's memories, for a transfer's range.
bool parseChannel(const QString& text, const CtlOptions& o, int* channel, QString* error)
{
    const RigModelInfo& info = rigModelInfo(o.model);
    if (!tryStrToInt(text, channel)) {
        *error = QStringLiteral("a channel is a number, not '%1'").arg(text);
        return false;
    }
    if (*channel < 1 || *channel > info.memories) {
        *error = QStringLiteral("channel %1 is not one of the %2's channels 1 to %3")
                     .arg(text, QLatin1String(info.name))
                     .arg(info.memories);
        return false;
    }
    return true;
}

// "download FIRST LAST FILE" or "upload FILE [FIRST LAST]", alone; i stands on the word.
bool parseTransfer(const QStringList& args, qsizetype i, CtlOptions* o, QString* error)
{
    const QStringList rest = args.mid(i + 1);
    CtlTransfer& t = o->transfer;
    const bool download = args.at(i).toLower() == QLatin1String("download");
    if (download ? rest.size() != 3 : rest.size() != 1 && rest.size() != 3) {
        *error = download ? QStringLiteral("download takes FIRST LAST FILE")
                          : QStringLiteral("upload takes FILE, or FILE FIRST LAST");
        return false;
    }
    t.direction = download ? CtlTransfer::Download : CtlTransfer::Upload;
    t.file = download ? rest.at(2) : rest.at(0);
    const QString suffix = QFileInfo(t.file).suffix().toLower();
    if (suffix != QLatin1String("mem") && suffix != QLatin1String("csv")) {
        *error = QStringLiteral("the file's name ends in .mem or .csv, which chooses its format, not '%1'")
                     .arg(t.file);
        return false;
    }
    t.csv = suffix == QLatin1String("csv");
    if (rest.size() == 1)
        return true;
    const qsizetype at = download ? 0 : 1;
    if (!parseChannel(rest.at(at), *o, &t.first, error) || !parseChannel(rest.at(at + 1), *o, &t.last, error))
        return false;
    if (t.first > t.last) {
        *error = QStringLiteral("the first channel %1 comes after the last %2").arg(t.first).arg(t.last);
        return false;
    }
    return true;
}

}  // namespace

bool parseCtlArgs(const QStringList& args, CtlOptions* o, QString* error)
{
    const OptionWords options = optionWords(args);
    QList<GivenOption> given;
    if (!readOptions(ctlOptions(), args.mid(0, options.end), &given, error))
        return false;
    bool haveModel = false;
    for (const GivenOption& g : given) {
        if (g.name == QLatin1String("help")) {
            o->help = true;
            return true;
        }
        if (!applyOption(g, o, error))
            return false;
        haveModel = haveModel || g.name == QLatin1String("model");
    }
    if (!options.refusal.isEmpty()) {
        *error = options.refusal;
        return false;
    }
    if (o->tcp == !o->serialPort.isEmpty()) {
        *error = QStringLiteral("give exactly one of --tcp HOST[:PORT] and --serial PORT");
        return false;
    }
    if (options.end < args.size() && args.at(options.end).toLower() == QLatin1String("find"))
        return parseFind(args, options.end, o, error);
    if (!haveModel) {
        *error = QStringLiteral("--model is required (%1)").arg(modelKeys());
        return false;
    }
    const QString word = args.value(options.end).toLower();
    if (word == QLatin1String("download") || word == QLatin1String("upload"))
        return parseTransfer(args, options.end, o, error);
    return parseCommands(args, options.end, o, error);
}

namespace {

// download and upload, in the list of commands.
QString transferUsage()
{
    return QStringLiteral(
        "  download FIRST LAST FILE\n"
        "                  alone: read memory channels FIRST to LAST (1 to 99, on the\n"
        "                  IC-821 1 to 80) into FILE, one row per channel from the\n"
        "                  first row on, a blank channel as a BLANK row; FILE ending\n"
        "                  in .mem is a memory file, in .csv a CSV channel list (which\n"
        "                  leaves blank channels out). FILE is replaced only once all\n"
        "                  channels are read\n"
        "  upload FILE [FIRST LAST]\n"
        "                  alone: write every row of FILE into the radio, row 1 into\n"
        "                  channel 1 and on (with FIRST LAST: into channels FIRST to\n"
        "                  LAST, as many as FILE has rows; a CSV list may end early,\n"
        "                  the channels after it are cleared); a blank row clears its\n"
        "                  channel\n"
        "                  Both read the radio's frequency and mode on the main band\n"
        "                  first and put them back afterwards, a download in VFO mode,\n"
        "                  an upload on VFO A. Each channel is told on standard error\n"
        "                  as it is through, on one updated line on a terminal; at the\n"
        "                  end \"10 channels read\" (or written) on standard output\n");
}

// What is printed, the exit status and examples.
QString outputUsage()
{
    return QStringLiteral(
        "\n"
        "Output, one line per event:\n"
        "  notify T Q [freq=TEXT | mode=N | offset=KHZ kHz]\n"
        "                                    T 1 OK, 2 NG, 3 frequency, 4 mode, 6 blank,\n"
        "                                    7 offset; Q commands still queued\n"
        "  error E D [TEXT]                  a failure: E 0 no echo, 1 no response,\n"
        "                                    4 refused (D the command byte), 10 bad\n"
        "                                    frequency, and others, with the operator's text\n"
        "  progress P N                      (--verbose) the engine's counters: P 9 queue\n"
        "                                    length N, 8 try N of the command sent, 5 an\n"
        "                                    OK with N commands left\n"
        "  trace WHO CMD WORDS  [HEX...]     each received frame decoded (--trace), e.g.\n"
        "                                    trace 50>E0 FB OK  [FE FE E0 50 FB FD];\n"
        "                                    our own frames come back marked (echo);\n"
        "                                    partial frames, collision (FC) and bytes\n"
        "                                    outside a frame are named as such\n"
        "and at the end freq=TEXT when a frequency was set or read, mode=N when a mode\n"
        "was, and offset=KHZ kHz when an offset was read.\n"
        "\n"
        "Exit status: 0 done, 1 a command was refused or given up (NG, no response,\n"
        "bad frequency text; for download and upload the line on standard error names\n"
        "the channel), 2 bad arguments, a device that cannot be opened, a FILE that\n"
        "cannot be read or written.\n"
        "\n"
        "Examples:\n"
        "  tsln-ctl --tcp 127.0.0.1 --model ic756 freq 014.195.000 mode 3 readfreq\n"
        "  tsln-ctl --serial /dev/ttyUSB0 --baud 19200 --model ic821 band 1 readfreq\n"
        "  tsln-ctl --tcp shack-pi:6005 --model ic706mkii --address 4E watch 60\n"
        "  tsln-ctl --serial /dev/ttyUSB0 --model ic756 serve --listen 127.0.0.1:4532\n"
        "  tsln-ctl --serial /dev/ttyUSB0 --model ic821 download 1 80 ic821.mem\n"
        "  tsln-ctl --tcp shack-pi:6005 --model ic756 upload repeaters.csv 20 39\n");
}

}  // namespace

QString ctlUsage()
{
    return QStringLiteral(
               "Usage: tsln-ctl (--tcp HOST[:PORT] | --serial PORT [--baud N])\n"
               "                --model ic706|ic706mkii|ic756|ic821 [--address HEX] [--trace]\n"
               "                [--verbose]\n"
               "                COMMAND...\n"
               "       tsln-ctl (--tcp HOST[:PORT] | --serial PORT [--baud N]) find [--all]\n"
               "       tsln-ctl (--tcp HOST[:PORT] | --serial PORT [--baud N])\n"
               "                --model ic706|ic706mkii|ic756|ic821 [--address HEX]\n"
               "                download FIRST LAST FILE | upload FILE [FIRST LAST]\n"
               "       tsln-ctl --help | --version\n"
               "\n"
               "Drives one radio through Tessaline's CI-V engine, over a TCP relay (PORT defaults\n"
               "to 6005) or a serial port (COM1..COM4 or a device path such as /dev/ttyUSB0;\n"
               "--baud defaults to 9600). --address is the radio's CI-V address in hexadecimal\n"
               "(defaults: IC-706 and IC-706MKII 48, IC-756 50, IC-821 4C).\n"
               "\n"
               "Commands run in order, one engine operation each:\n"
               "  freq TEXT       set the frequency, TEXT as 014.195.000 (MHz.kHz.Hz)\n"
               "  mode N          set the mode: 0 CW-N, 1 CW, 2 LSB, 3 USB, 4 AM, 5 FM, 6 WFM,\n"
               "                  7 RTTY; IC-706 family also 9 LSB-N, 10 USB-N, 11 AM-N,\n"
               "                  12 RTTY-N, 13 FM-N\n"
               "  band N          0 main, 1 sub (IC-756, IC-821)\n"
               "  vfo N           0 VFO mode, 1 VFO A, 2 VFO B, 7 copy A to B, 8 exchange\n"
               "  memory N        select memory channel N\n"
               "  memcmd N        0 memory mode, 1 write memory, 2 memory to VFO, 3 clear memory,\n"
               "                  4 read offset, 5 write offset\n"
               "  scan N          0 start, 1 stop, 2..7 other scans\n"
               "  split on|off    split operation\n"
               "  duplex N        0 simplex, 1 minus, 2 plus\n"
               "  dual on|off     dual watch (IC-756)\n"
               "  antenna N       5 ANT1, 6 ANT2, 7 ANT1+RX, 8 ANT2+RX (IC-756)\n"
               "  readfreq        read the frequency\n"
               "  readmode        read the mode\n"
               "  readoffset      read the duplex offset\n"
               "  raw HEX...      queue a whole frame, e.g. raw FE FE 50 E0 03 FD\n"
               "  clear           drop every queued command\n"
               "  wait MS         pause before the next command\n"
               "  watch SECONDS   keep printing what the radio reports\n"
               "  serve [--listen ADDR:PORT]\n"
               "                  alone: serve the radio to Hamlib rigctld clients (loggers,\n"
               "                  digital-mode programs choosing \"Hamlib NET rigctl\") until\n"
               "                  stopped; ADDR:PORT defaults to 127.0.0.1:4532\n"
               "  find [--all]    alone, without --model: ask the models' default addresses\n"
               "                  (48, 4C, 50; --all: every address 01-DF) for their frequency\n"
               "                  and mode, and print a line per radio that answers, e.g.\n"
               "                  \"50 IC-756 14.195.000 USB\"; exit status 0 when one did,\n"
               "                  1 when none did, 2 when the port cannot be opened\n") +
           transferUsage() + outputUsage();
}
