#include "sim/simoptions.h"

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

}  // namespace

bool parseSimOptions(const QStringList& arguments, SimOptions* o, QString* error)
{
    for (int i = 0; i < arguments.size(); ++i) {
        QString arg = arguments[i];
        QString value;
        bool hasInline = false;
        if (arg.startsWith(QLatin1String("--")) && arg.contains(QLatin1Char('='))) {
            value = arg.section(QLatin1Char('='), 1);
            arg = arg.section(QLatin1Char('='), 0, 0);
            hasInline = true;
        }
        auto next = [&](QString* out) {
            if (hasInline) {
                *out = value;
                return true;
            }
            if (i + 1 >= arguments.size()) {
                *error = QStringLiteral("%1 needs a value").arg(arg);
                return false;
            }
            *out = arguments[++i];
            return true;
        };
        QString v;
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            o->help = true;
        } else if (arg == QLatin1String("--radio")) {
            RadioChoice choice;
            if (!next(&v) || !parseRadio(v, &choice, error))
                return false;
            o->radios.append(choice);
        } else if (arg == QLatin1String("--port")) {
            if (!next(&v) || !parsePort(v, &o->tcpPort, arg, error))
                return false;
        } else if (arg == QLatin1String("--control")) {
            if (!next(&v) || !parsePort(v, &o->controlPort, arg, error))
                return false;
        } else if (arg == QLatin1String("--link")) {
            if (!next(&v))
                return false;
            o->link = v;
        } else if (arg == QLatin1String("--no-pty")) {
            o->pty = false;
        } else if (arg == QLatin1String("--no-stdin")) {
            o->stdinControl = false;
        } else if (arg == QLatin1String("--baud")) {
            bool ok = false;
            if (!next(&v))
                return false;
            o->baud = v.toInt(&ok);
            if (!ok || o->baud < 300 || o->baud > 115200) {
                *error = QStringLiteral("--baud needs a speed from 300 to 115200, not '%1'").arg(v);
                return false;
            }
        } else if (arg == QLatin1String("--no-pacing")) {
            o->paced = false;
        } else if (arg == QLatin1String("--knob")) {
            if (!next(&v))
                return false;
            bool ok = false;
            const KnobChoice knob{v.section(QLatin1Char(':'), 0, 0),
                                  v.section(QLatin1Char(':'), 1).toInt(&ok)};
            if (!ok || knob.everyMs <= 0 || knob.radio.isEmpty()) {
                *error = QStringLiteral("--knob needs RADIO:MS, e.g. ic756:1000, not '%1'").arg(v);
                return false;
            }
            o->knobs.append(knob);
        } else if (arg == QLatin1String("--trace")) {
            o->trace = true;
        } else if (arg == QLatin1String("--seed")) {
            bool ok = false;
            if (!next(&v))
                return false;
            o->seed = v.toUInt(&ok);
            if (!ok) {
                *error = QStringLiteral("--seed needs a number, not '%1'").arg(v);
                return false;
            }
        } else {
            *error = QStringLiteral("unknown option '%1' (try --help)").arg(arguments[i]);
            return false;
        }
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
               "  --trace               print every frame on the line\n"
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
