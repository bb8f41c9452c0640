#include "sim/simoptions.h"

#include <QCommandLineOption>

#include "core/cmdoptions.h"
#include "sim/radiomodel.h"
#include "sim/simcontrol.h"

QList<RadioChoice> defaultRadios() { return {{"ic756", -1}, {"ic821", -1}, {"ic706mkii", -1}}; }

namespace {

bool parseRadio(const QString& text, RadioChoice* choice, QString* error)
{
    const QString modelText = text.section(QLatin1Char('@'), 0, 0);
    const RadioModel* model = findRadioModel(modelText);
    if (!model) {
        QStringList keys;
        for (const RadioModel& m : radioModels())
            keys << m.key;
        *error =
            QStringLiteral("unknown radio '%1' (one of %2)").arg(modelText, keys.join(QStringLiteral(", ")));
        return false;
    }
    choice->model = model->key;
    choice->address = -1;
    if (text.contains(QLatin1Char('@'))) {
        bool ok = false;
        const QString addressText = text.section(QLatin1Char('@'), 1);
        const int address = addressText.toInt(&ok, 16);
        // 00 is the broadcast address and E0 and above belong to controllers.
        if (!ok || addressText.size() > 2 || address < 0x01 || address >= 0xE0) {
            *error =
                QStringLiteral("bad CI-V address '%1' (two hexadecimal digits, 01 to DF)").arg(addressText);
            return false;
        }
        choice->address = address;
    }
    return true;
}

bool parsePort(const QString& text, int* port, const QString& option, QString* error)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > 65535) {
        *error = QStringLiteral("%1 needs a port number 0 to 65535, not '%2'").arg(option, text);
        return false;
    }
    *port = value;
    return true;
}

// The options. --help prints simUsage(), so they need no descriptions here; a
// value name marks an option that takes a value.
const QList<QCommandLineOption>& simOptions()
{
    static const QList<QCommandLineOption> options = {
        QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}),
        QCommandLineOption(QStringLiteral("radio"), QString(), QStringLiteral("MODEL[@ADDR]")),
        QCommandLineOption(QStringLiteral("port"), QString(), QStringLiteral("N")),
        QCommandLineOption(QStringLiteral("control"), QString(), QStringLiteral("N")),
        QCommandLineOption(QStringLiteral("link"), QString(), QStringLiteral("PATH")),
        QCommandLineOption(QStringLiteral("no-pty")),
        QCommandLineOption(QStringLiteral("no-stdin")),
        QCommandLineOption(QStringLiteral("baud"), QString(), QStringLiteral("N")),
        QCommandLineOption(QStringLiteral("no-pacing")),
        QCommandLineOption(QStringLiteral("knob"), QString(), QStringLiteral("RADIO:MS")),
        QCommandLineOption(QStringLiteral("trace")),
        QCommandLineOption(QStringLiteral("seed"), QString(), QStringLiteral("N")),
    };
    return options;
}

// The words for the parser: "-h", "--NAME", "--NAME=VALUE" and "--NAME VALUE". A
// switch given a value ("--trace=x") has always ignored it, and still does. The
// first word that is no option, or an option left without its value, ends the
// words; it is refused once the options before it have been checked.
struct OptionWords {
    QStringList words;
    QString refusal;
};

OptionWords optionWords(const QStringList& arguments)
{
    OptionWords w;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& word = arguments.at(i);
        const QString name =
            word.startsWith(QLatin1String("--")) ? word.section(QLatin1Char('='), 0, 0) : word;
        const QCommandLineOption* option =
            name.startsWith(QLatin1String("--")) ? findLongOption(simOptions(), name.mid(2)) : nullptr;
        if (word == QLatin1String("-h")) {
            w.words << word;
        } else if (!option) {
            w.refusal = QStringLiteral("unknown option '%1' (try --help)").arg(word);
            break;
        } else if (option->valueName().isEmpty()) {
            w.words << name;
        } else if (word.contains(QLatin1Char('='))) {
            w.words << word;
        } else if (i + 1 < arguments.size()) {
            w.words << word << arguments.at(++i);
        } else {
            w.refusal = QStringLiteral("%1 needs a value").arg(word);
            break;
        }
    }
    return w;
}

bool parseBaud(const QString& v, SimOptions* o, QString* error)
{
    bool ok = false;
    o->baud = v.toInt(&ok);
    if (!ok || o->baud < 300 || o->baud > 115200) {
        *error = QStringLiteral("--baud needs a speed from 300 to 115200, not '%1'").arg(v);
        return false;
    }
    return true;
}

bool parseKnob(const QString& v, SimOptions* o, QString* error)
{
    bool ok = false;
    const KnobChoice knob{v.section(QLatin1Char(':'), 0, 0), v.section(QLatin1Char(':'), 1).toInt(&ok)};
    if (!ok || knob.everyMs <= 0 || knob.radio.isEmpty()) {
        *error = QStringLiteral("--knob needs RADIO:MS, e.g. ic756:1000, not '%1'").arg(v);
        return false;
    }
    o->knobs.append(knob);
    return true;
}

bool parseSeed(const QString& v, SimOptions* o, QString* error)
{
    bool ok = false;
    o->seed = v.toUInt(&ok);
    if (!ok) {
        *error = QStringLiteral("--seed needs a number, not '%1'").arg(v);
        return false;
    }
    return true;
}

// One option, as given.
bool applyOption(const GivenOption& g, SimOptions* o, QString* error)
{
    const QString& n = g.name;
    const QString option = QStringLiteral("--") + n;
    if (n == QLatin1String("h")) {
        o->help = true;
    } else if (n == QLatin1String("radio")) {
        RadioChoice choice;
        if (!parseRadio(g.value, &choice, error))
            return false;
        o->radios.append(choice);
    } else if (n == QLatin1String("port")) {
        return parsePort(g.value, &o->tcpPort, option, error);
    } else if (n == QLatin1String("control")) {
        return parsePort(g.value, &o->controlPort, option, error);
    } else if (n == QLatin1String("link")) {
        o->link = g.value;
    } else if (n == QLatin1String("no-pty")) {
        o->pty = false;
    } else if (n == QLatin1String("no-stdin")) {
        o->stdinControl = false;
    } else if (n == QLatin1String("baud")) {
        return parseBaud(g.value, o, error);
    } else if (n == QLatin1String("no-pacing")) {
        o->paced = false;
    } else if (n == QLatin1String("knob")) {
        return parseKnob(g.value, o, error);
    } else if (n == QLatin1String("trace")) {
        o->trace = true;
    } else if (n == QLatin1String("seed")) {
        return parseSeed(g.value, o, error);
    }
    return true;
}

}  // namespace

bool parseSimOptions(const QStringList& arguments, SimOptions* o, QString* error)
{
    const OptionWords words = optionWords(arguments);
    QList<GivenOption> given;
    if (!readOptions(simOptions(), words.words, &given, error))
        return false;
    for (const GivenOption& g : given) {
        if (!applyOption(g, o, error))
            return false;
    }
    if (!words.refusal.isEmpty()) {
        *error = words.refusal;
        return false;
    }
    if (!o->pty && !o->link.isEmpty()) {
        *error = QStringLiteral("--link needs the pseudo-terminal (drop --no-pty)");
        return false;
    }
    return true;
}

QString simUsage()
{
    return QStringLiteral(
               "Usage: tsln-sim [options]\n"
               "\n"
               "Simulated ICOM radios (IC-706, IC-706MKII, IC-756, IC-821) on one simulated CI-V bus.\n"
               "Every byte any station sends is heard by every station, the sender included, so a\n"
               "controller sees the echo of its own frame before the radio's answer (FB, FA, or a\n"
               "03/04 report). The bus is reachable through a pseudo-terminal (like the CI-V cable on\n"
               "a serial port) and through a TCP listener on 127.0.0.1 (like a serial relay); all\n"
               "clients share the one bus.\n"
               "\n"
               "Options:\n"
               "  --radio MODEL[@ADDR]  put a radio on the bus (repeatable). MODEL: ic706, ic706mkii,\n"
               "                        ic756, ic821. ADDR: CI-V address in hex; default 48 (IC-706,\n"
               "                        IC-706MKII), 50 (IC-756), 4C (IC-821), the next free one if taken.\n"
               "                        Without --radio: an IC-756, an IC-821 and an IC-706MKII.\n"
               "                        Hamlib's rigctl expects the IC-706MKII at 4E: ic706mkii@4E.\n"
               "  --port N              TCP listener port on 127.0.0.1 (default 6005; 0: none)\n"
               "  --no-pty              no pseudo-terminal\n"
               "  --link PATH           a symlink PATH to the pseudo-terminal (replaces an old symlink)\n"
               "  --control N           control commands also on TCP port N of 127.0.0.1\n"
               "  --no-stdin            do not read control commands from standard input\n"
               "  --baud N              line speed, 10 bits per byte (default 9600)\n"
               "  --no-pacing           deliver bytes at once instead of at the line speed\n"
               "  --knob RADIO:MS       turn RADIO's knob one detent every MS ms (repeatable)\n"
               "  --trace               print every frame on the line, decoded: \"line: E0>50 03 read\n"
               "                        frequency  [FE FE 50 E0 03 FD]\"\n"
               "  --seed N              seed for the noise fault\n"
               "  -h, --help            this text\n"
               "  --version             the program's version\n"
               "\n"
               "Examples:\n"
               "  tsln-sim                                  the default bus, TCP 6005, a pty\n"
               "  tsln-sim --radio ic706mkii@4E --link /tmp/civ --port 0\n"
               "  rigctl -m 3010 -r /tmp/civ -s 9600 f      read the IC-706MKII's frequency\n"
               "\n"
               "On standard input (and on the --control port, where each reply ends with a line \".\")\n"
               "the simulator takes these commands:\n\n") +
           SimControl::helpText();
}
