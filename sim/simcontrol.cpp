#include "sim/simcontrol.h"

#include "core/freqtext.h"
#include "sim/bus.h"
#include "sim/busstation.h"
#include "sim/radio.h"

namespace {

QStringList error(const QString& text) { return {QStringLiteral("error: ") + text}; }

// on/off words; nullopt for anything else.
std::optional<bool> onOff(const QString& word)
{
    const QString w = word.toLower();
    if (w == QLatin1String("on") || w == QLatin1String("1") || w == QLatin1String("yes"))
        return true;
    if (w == QLatin1String("off") || w == QLatin1String("0") || w == QLatin1String("no"))
        return false;
    return std::nullopt;
}

std::optional<int> number(const QString& word)
{
    bool ok = false;
    const int value = word.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QString addressText(quint8 address)
{
    return QStringLiteral("%1").arg(address, 2, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

qint64 parseFrequency(const QString& text)
{
    const QString t = text.trimmed();
    if (t.count(QLatin1Char('.')) == 2) {
        const qint64 hz = freqTextToHertz(t);
        return hz > 0 ? hz : -1;
    }
    bool ok = false;
    if (t.contains(QLatin1Char('.'))) {
        const double mhz = t.toDouble(&ok);
        return ok && mhz > 0 ? qRound64(mhz * 1e6) : -1;
    }
    const qint64 hz = t.toLongLong(&ok);
    return ok && hz > 0 ? hz : -1;
}

SimControl::SimControl(SimBus& bus, const QList<SimRadio*>& radios) : bus_(bus), radios_(radios) {}

QString SimControl::helpText()
{
    return QStringLiteral(
        "Control commands (RADIO is an address such as 50, a model such as ic756, or all where shown):\n"
        "  help                             this list\n"
        "  list                             the stations on the bus\n"
        "  show [RADIO]                     a radio's state (every radio without RADIO)\n"
        "  memories RADIO [all]             filled memory channels (all: the blank ones too)\n"
        "  knob RADIO DETENTS [HZ]          turn the main dial (negative: down; HZ per detent);\n"
        "                                   the radio reports the new frequency (command 00)\n"
        "  knob RADIO every MS [DETENTS]    keep turning it every MS milliseconds\n"
        "  knob RADIO stop                  stop turning it\n"
        "  set RADIO freq F                 F in Hz (14195000), MHz (14.195) or 014.195.000\n"
        "  set RADIO mode M                 LSB USB AM CW RTTY FM WFM, narrow: CW-N LSB-N ...\n"
        "  set RADIO vfo A|B                VFO mode on VFO A or B\n"
        "  set RADIO memory [CH]            memory mode (on channel CH)\n"
        "  set RADIO band main|sub          IC-756 and IC-821\n"
        "  set RADIO split on|off\n"
        "  set RADIO duplex none|minus|plus IC-821 and IC-706 family\n"
        "  set RADIO offset HZ              repeater offset\n"
        "  set RADIO dual on|off            IC-756 dual watch\n"
        "  set RADIO antenna 1|2 [rx]       IC-756 antenna (rx: with the receive antenna)\n"
        "  set RADIO transceive on|off      whether it reports its own changes\n"
        "  set RADIO channel CH F M [DUP]   store memory channel CH; 'set RADIO channel CH blank' clears it\n"
        "  fault                            the faults now active\n"
        "  fault dead on|off                interface dead: controllers get no echo and nothing else\n"
        "  fault off RADIO|all on|off       radio switched off: echo, but no answer\n"
        "  fault refuse RADIO|all on|off    the radio answers FA to everything\n"
        "  fault delay RADIO|all MS         the radio answers MS milliseconds late (0: at once)\n"
        "  fault noise on|off               garbage bytes on the line before every transmission\n"
        "  fault drop N|off                 every Nth byte on the line is lost\n"
        "  fault jam N|on|off               the next N frames (on: every frame) are cut by a jam byte FC\n"
        "  fault clear                      every fault off\n"
        "  line [BAUD|paced|unpaced]        line speed and byte pacing\n"
        "  quit                             end the simulator\n");
}

QStringList SimControl::execute(const QString& text)
{
    const QStringList words = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    const QString command = words[0].toLower();
    const QStringList args = words.mid(1);
    if (command == QLatin1String("help") || command == QLatin1String("?"))
        return helpText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (command == QLatin1String("list"))
        return list();
    if (command == QLatin1String("show"))
        return show(args);
    if (command == QLatin1String("memories"))
        return memories(args);
    if (command == QLatin1String("knob"))
        return knob(args);
    if (command == QLatin1String("set"))
        return set(args);
    if (command == QLatin1String("fault") || command == QLatin1String("faults"))
        return fault(args);
    if (command == QLatin1String("line"))
        return line(args);
    if (command == QLatin1String("quit") || command == QLatin1String("exit")) {
        onQuit_();
        return {QStringLiteral("bye")};
    }
    return error(QStringLiteral("unknown command '%1' (try help)").arg(words[0]));
}

SimRadio* SimControl::findRadio(const QString& which, QString* errorText) const
{
    QList<SimRadio*> found;
    bool ok = false;
    const int address = which.toInt(&ok, 16);
    for (SimRadio* r : radios_) {
        if ((ok && which.size() <= 2 && r->address() == address) || r->model().key == which.toLower() ||
            r->model().name.compare(which, Qt::CaseInsensitive) == 0)
            found.append(r);
    }
    if (found.size() == 1)
        return found.first();
    *errorText = found.isEmpty() ? QStringLiteral("no radio '%1' on the bus").arg(which)
                                 : QStringLiteral("several radios are '%1'; give the address").arg(which);
    return nullptr;
}

QList<SimRadio*> SimControl::findRadios(const QString& which, QString* errorText) const
{
    if (which.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0)
        return radios_;
    if (SimRadio* r = findRadio(which, errorText))
        return {r};
    return {};
}

QStringList SimControl::list() const
{
    QStringList lines;
    const QList<BusStation*> stations = bus_.stations();
    for (BusStation* s : stations)
        lines << s->describe();
    lines << QStringLiteral("line: %1 baud, %2").arg(bus_.baud()).arg(bus_.paced() ? "paced" : "unpaced");
    return lines;
}

QStringList SimControl::show(const QStringList& args) const
{
    QList<SimRadio*> which = radios_;
    if (!args.isEmpty()) {
        QString err;
        which = findRadios(args[0], &err);
        if (which.isEmpty())
            return error(err);
    }
    QStringList lines;
    for (SimRadio* r : which) {
        lines << r->describe() + QLatin1Char(':');
        for (const QString& l : r->state().describeState())
            lines << QStringLiteral("  ") + l;
    }
    return lines;
}

QStringList SimControl::memories(const QStringList& args) const
{
    if (args.isEmpty())
        return error(QStringLiteral("memories RADIO [all]"));
    QString err;
    SimRadio* r = findRadio(args[0], &err);
    if (!r)
        return error(err);
    const bool all = args.size() > 1 && args[1].compare(QLatin1String("all"), Qt::CaseInsensitive) == 0;
    return r->state().describeMemories(all);
}

QStringList SimControl::knob(const QStringList& args)
{
    if (args.size() < 2)
        return error(
            QStringLiteral("knob RADIO DETENTS [HZ] | knob RADIO every MS [DETENTS] | knob RADIO stop"));
    QString err;
    SimRadio* r = findRadio(args[0], &err);
    if (!r)
        return error(err);
    const QString what = args[1].toLower();
    if (what == QLatin1String("stop")) {
        r->setKnobTimer(0);
        return {QStringLiteral("%1: knob stopped").arg(r->describe())};
    }
    if (what == QLatin1String("every")) {
        const auto ms = number(args.value(2));
        const auto detents = args.size() > 3 ? number(args[3]) : std::optional<int>(1);
        if (!ms || *ms <= 0 || !detents || *detents == 0)
            return error(QStringLiteral("knob RADIO every MS [DETENTS]"));
        r->setKnobTimer(*ms, *detents);
        return {QStringLiteral("%1: knob turns %2 every %3 ms").arg(r->describe()).arg(*detents).arg(*ms)};
    }
    const auto detents = number(args[1]);
    const auto step = args.size() > 2 ? number(args[2]) : std::optional<int>(0);
    if (!detents || !step || *step < 0)
        return error(QStringLiteral("knob RADIO DETENTS [HZ]"));
    if (!r->powered())
        return error(QStringLiteral("%1 is switched off").arg(r->describe()));
    r->turnKnob(*detents, *step);
    return show({addressText(r->address())});
}

namespace {

// The settings of "set RADIO WHAT VALUE...": each takes the words after WHAT and
// answers what is wrong with them, or nothing once the radio has taken them.
using Setting = QString (*)(SimRadio& r, const QStringList& values);

QString setFreq(SimRadio& r, const QStringList& values)
{
    const QString value = values.value(0);
    const qint64 hz = parseFrequency(value);
    if (hz <= 0 || !r.model().inRange(hz))
        return QStringLiteral("%1 is outside the %2's range").arg(value, r.model().name);
    if (!r.setFrequency(hz))
        return QStringLiteral("the selected memory channel is blank");
    return {};
}

QString setMode(SimRadio& r, const QStringList& values)
{
    const QString value = values.value(0);
    const int mode = simmode::fromName(value);
    if (mode < 0 || !r.model().hasMode(mode))
        return QStringLiteral("the %1 has no mode '%2'").arg(r.model().name, value);
    if (!r.setMode(mode))
        return QStringLiteral("the selected memory channel is blank");
    return {};
}

QString setVfo(SimRadio& r, const QStringList& values)
{
    const QString v = values.value(0).toUpper();
    if (v != QLatin1String("A") && v != QLatin1String("B"))
        return QStringLiteral("set RADIO vfo A|B");
    r.state().selectVfo(v == QLatin1String("A") ? 0 : 1);
    r.reportFrequency();
    return {};
}

QString setMemory(SimRadio& r, const QStringList& values)
{
    RadioState& s = r.state();
    if (!values.value(0).isEmpty()) {
        const auto ch = number(values.value(0));
        if (!ch || !s.selectChannel(*ch))
            return QStringLiteral("channels are 1 to %1").arg(s.memoryCount());
    }
    s.selectMemoryMode();
    r.reportFrequency();
    return {};
}

QString setBand(SimRadio& r, const QStringList& values)
{
    const RadioModel& m = r.model();
    const QString v = values.value(0).toLower();
    if (!m.mainSub || (v != QLatin1String("main") && v != QLatin1String("sub")))
        return m.mainSub ? QStringLiteral("set RADIO band main|sub")
                         : QStringLiteral("the %1 has one band").arg(m.name);
    r.state().selectBand(v == QLatin1String("main") ? 0 : 1);
    return {};
}

QString setSplit(SimRadio& r, const QStringList& values)
{
    const auto flag = onOff(values.value(0));
    if (!flag)
        return QStringLiteral("set RADIO split on|off");
    r.state().setSplit(*flag);
    return {};
}

QString setDuplex(SimRadio& r, const QStringList& values)
{
    const RadioModel& m = r.model();
    RadioState& s = r.state();
    const QString v = values.value(0).toLower();
    const int d = v == QLatin1String("none")    ? 0
                  : v == QLatin1String("minus") ? 1
                  : v == QLatin1String("plus")  ? 2
                                                : -1;
    if (!m.duplex || d < 0 || s.operating().blank())
        return m.duplex ? QStringLiteral("set RADIO duplex none|minus|plus")
                        : QStringLiteral("the %1 has no duplex").arg(m.name);
    s.operating().duplex = Duplex(d);
    return {};
}

QString setOffset(SimRadio& r, const QStringList& values)
{
    const qint64 hz = parseFrequency(values.value(0));
    if (!r.model().duplex || hz <= 0 || hz >= 100 * 1000000LL)
        return QStringLiteral("set RADIO offset HZ (IC-821 and IC-706 family)");
    r.state().setOffset(hz);
    return {};
}

QString setDual(SimRadio& r, const QStringList& values)
{
    const RadioModel& m = r.model();
    const auto flag = onOff(values.value(0));
    if (!m.dualWatch || !flag)
        return m.dualWatch ? QStringLiteral("set RADIO dual on|off")
                           : QStringLiteral("the %1 has no dual watch").arg(m.name);
    r.state().setDualWatch(*flag);
    return {};
}

QString setAntenna(SimRadio& r, const QStringList& values)
{
    const RadioModel& m = r.model();
    const auto ant = number(values.value(0));
    if (!m.antenna || !ant || (*ant != 1 && *ant != 2))
        return m.antenna ? QStringLiteral("set RADIO antenna 1|2 [rx]")
                         : QStringLiteral("the %1 has one antenna").arg(m.name);
    r.state().setAntenna(*ant);
    r.state().setReceiveAntenna(values.value(1).compare(QLatin1String("rx"), Qt::CaseInsensitive) == 0);
    return {};
}

QString setTransceive(SimRadio& r, const QStringList& values)
{
    const auto flag = onOff(values.value(0));
    if (!flag)
        return QStringLiteral("set RADIO transceive on|off");
    r.state().setTransceive(*flag);
    return {};
}

struct NamedSetting {
    const char* what;
    Setting set;
};

constexpr NamedSetting Settings[] = {
    {"freq", setFreq},
    {"mode", setMode},
    {"vfo", setVfo},
    {"memory", setMemory},
    {"band", setBand},
    {"split", setSplit},
    {"duplex", setDuplex},
    {"offset", setOffset},
    {"dual", setDual},
    {"antenna", setAntenna},
    {"transceive", setTransceive},
};

}  // namespace

QStringList SimControl::set(const QStringList& args)
{
    if (args.size() < 2)
        return error(QStringLiteral("set RADIO WHAT VALUE (try help)"));
    QString err;
    SimRadio* r = findRadio(args[0], &err);
    if (!r)
        return error(err);
    const QString what = args[1].toLower();
    if (what == QLatin1String("channel"))
        return setChannel(r, args.mid(2));
    for (const NamedSetting& setting : Settings) {
        if (what == QLatin1String(setting.what)) {
            const QString failure = setting.set(*r, args.mid(2));
            return failure.isEmpty() ? show({addressText(r->address())}) : error(failure);
        }
    }
    return error(QStringLiteral("cannot set '%1' (try help)").arg(args[1]));
}

QStringList SimControl::setChannel(SimRadio* r, const QStringList& args)
{
    RadioState& s = r->state();
    const auto ch = number(args.value(0));
    if (!ch || *ch < 1 || *ch > s.memoryCount())
        return error(QStringLiteral("channels are 1 to %1").arg(s.memoryCount()));
    if (args.value(1).compare(QLatin1String("blank"), Qt::CaseInsensitive) == 0) {
        s.setMemory(*ch, MemoryEntry{});
        return s.describeMemories(false);
    }
    const qint64 hz = parseFrequency(args.value(1));
    const int mode = simmode::fromName(args.value(2));
    if (hz <= 0 || !r->model().inRange(hz) || mode < 0 || !r->model().hasMode(mode))
        return error(QStringLiteral(
                         "set RADIO channel CH FREQ MODE [none|minus|plus], within the %1's range and modes")
                         .arg(r->model().name));
    const QString dup = args.value(3).toLower();
    Duplex duplex = Duplex::Simplex;
    if (dup == QLatin1String("minus"))
        duplex = Duplex::Minus;
    else if (dup == QLatin1String("plus"))
        duplex = Duplex::Plus;
    else if (!dup.isEmpty() && dup != QLatin1String("none"))
        return error(QStringLiteral("duplex is none, minus or plus"));
    if (duplex != Duplex::Simplex && !r->model().duplex)
        return error(QStringLiteral("the %1 has no duplex").arg(r->model().name));
    s.setMemory(*ch, MemoryEntry{hz, mode, duplex});
    return s.describeMemories(false);
}

QStringList SimControl::faults() const
{
    const LineFaults& f = bus_.faults();
    QStringList active;
    if (f.interfaceDead)
        active << QStringLiteral("interface dead");
    if (f.noise)
        active << QStringLiteral("noise between frames");
    if (f.dropEvery > 0)
        active << QStringLiteral("every %1th byte dropped").arg(f.dropEvery);
    if (f.jamFrames < 0)
        active << QStringLiteral("every frame jammed");
    else if (f.jamFrames > 0)
        active << QStringLiteral("next %1 frame(s) jammed").arg(f.jamFrames);
    for (SimRadio* r : radios_) {
        if (!r->powered() || r->refusesAll() || r->answerDelayMs() > 0)
            active << r->describe();
    }
    if (active.isEmpty())
        return {QStringLiteral("no faults")};
    return active;
}

QStringList SimControl::fault(const QStringList& args)
{
    if (args.isEmpty())
        return faults();
    const QString kind = args[0].toLower();
    LineFaults& f = bus_.faults();
    if (kind == QLatin1String("clear")) {
        f = LineFaults{};
        for (SimRadio* r : radios_) {
            r->setPowered(true);
            r->setRefuseAll(false);
            r->setAnswerDelayMs(0);
        }
        return faults();
    }
    if (kind == QLatin1String("dead") || kind == QLatin1String("noise")) {
        const auto flag = onOff(args.value(1));
        if (!flag)
            return error(QStringLiteral("fault %1 on|off").arg(kind));
        (kind == QLatin1String("dead") ? f.interfaceDead : f.noise) = *flag;
        return faults();
    }
    if (kind == QLatin1String("drop")) {
        const auto flag = onOff(args.value(1));
        const auto every = number(args.value(1));
        if (flag && !*flag)
            f.dropEvery = 0;
        else if (every && *every >= 2)
            f.dropEvery = *every;
        else
            return error(QStringLiteral("fault drop N|off (N at least 2)"));
        return faults();
    }
    if (kind == QLatin1String("jam")) {
        const QString v = args.value(1).toLower();
        const auto count = number(v);
        if (v == QLatin1String("on"))
            f.jamFrames = -1;
        else if (v == QLatin1String("off"))
            f.jamFrames = 0;
        else if (count && *count >= 0)
            f.jamFrames = *count;
        else
            return error(QStringLiteral("fault jam N|on|off"));
        return faults();
    }
    if (kind == QLatin1String("off") || kind == QLatin1String("refuse") || kind == QLatin1String("delay")) {
        QString err;
        const QList<SimRadio*> which = args.size() > 1 ? findRadios(args[1], &err) : QList<SimRadio*>{};
        if (args.size() < 3)
            return error(QStringLiteral("fault %1 RADIO|all %2")
                             .arg(kind, kind == QLatin1String("delay") ? "MS" : "on|off"));
        if (which.isEmpty())
            return error(err);
        if (kind == QLatin1String("delay")) {
            const auto ms = number(args[2]);
            if (!ms || *ms < 0)
                return error(QStringLiteral("fault delay RADIO|all MS"));
            for (SimRadio* r : which)
                r->setAnswerDelayMs(*ms);
        } else {
            const auto flag = onOff(args[2]);
            if (!flag)
                return error(QStringLiteral("fault %1 RADIO|all on|off").arg(kind));
            for (SimRadio* r : which) {
                if (kind == QLatin1String("off"))
                    r->setPowered(!*flag);
                else
                    r->setRefuseAll(*flag);
            }
        }
        return faults();
    }
    return error(QStringLiteral("unknown fault '%1' (try help)").arg(args[0]));
}

QStringList SimControl::line(const QStringList& args)
{
    if (!args.isEmpty()) {
        const QString v = args[0].toLower();
        const auto baud = number(v);
        if (v == QLatin1String("paced"))
            bus_.setPaced(true);
        else if (v == QLatin1String("unpaced"))
            bus_.setPaced(false);
        else if (baud && *baud >= 300 && *baud <= 115200)
            bus_.setBaud(*baud);
        else
            return error(QStringLiteral("line [BAUD|paced|unpaced] (BAUD 300 to 115200)"));
    }
    return {QStringLiteral("line: %1 baud, %2").arg(bus_.baud()).arg(bus_.paced() ? "paced" : "unpaced")};
}
