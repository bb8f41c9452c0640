#include "rigserver/rigmodels.h"

#include "civ/civcodes.h"
#include "civ/models.h"

namespace {

// Hamlib's mode bits.
constexpr quint32 AM = 0x1, CW = 0x2, USB = 0x4, LSB = 0x8, RTTY = 0x10, FM = 0x20, WFM = 0x40;

// The engine's mode numbers (see its mode table) with Hamlib's name and width.
struct ModeRow {
    int engine;
    const char* name;
    quint32 bit;
    int passband;
    bool narrow;
};
constexpr ModeRow Modes[] = {
    {civ::Mode::Cw, "CW", CW, 500, false},
    {civ::Mode::CwNarrow, "CW", CW, 250, true},
    {civ::Mode::Lsb, "LSB", LSB, 2400, false},
    {civ::Mode::LsbNarrow, "LSB", LSB, 1800, true},
    {civ::Mode::Usb, "USB", USB, 2400, false},
    {civ::Mode::UsbNarrow, "USB", USB, 1800, true},
    {civ::Mode::Am, "AM", AM, 6000, false},
    {civ::Mode::AmNarrow, "AM", AM, 3000, true},
    {civ::Mode::Fm, "FM", FM, 15000, false},
    {civ::Mode::FmNarrow, "FM", FM, 8000, true},
    {civ::Mode::Wfm, "WFM", WFM, 230000, false},
    {civ::Mode::Rtty, "RTTY", RTTY, 2400, false},
    {civ::Mode::RttyNarrow, "RTTY", RTTY, 500, true},
};

// Whether the model's engine sends this mode number (its mode table has a row).
bool engineSends(RigModel model, int mode)
{
    using namespace civ::Mode;
    if (rigModelInfo(model).ic706Modes)
        return (mode >= CwNarrow && mode <= Rtty) || (mode >= LsbNarrow && mode <= FmNarrow);
    return mode == CwNarrow || mode == Cw || mode == Lsb || mode == Usb || mode == Am || mode == Fm ||
           mode == Rtty;
}

struct Range {
    qint64 low;
    qint64 high;
};

QList<Range> ranges(RigModel model)
{
    switch (model) {
    case RigModel::IC706:
    case RigModel::IC706MKII: return {{30000, 200000000}};
    case RigModel::IC756: return {{30000, 60000000}};
    case RigModel::IC821: return {{136000000, 174000000}, {420000000, 460000000}};
    }
    return {};
}

QByteArray hex(quint64 v) { return "0x" + QByteArray::number(v, 16); }

}  // namespace

int hamlibModelOf(RigModel model)
{
    switch (model) {
    case RigModel::IC706: return 3009;
    case RigModel::IC706MKII: return 3010;
    case RigModel::IC756: return 3026;
    case RigModel::IC821: return 3034;
    }
    return 0;
}

std::optional<RigMode> rigModeFromEngine(int mode)
{
    for (const ModeRow& m : Modes) {
        if (m.engine == mode)
            return RigMode{QString::fromLatin1(m.name), m.passband};
    }
    return std::nullopt;
}

std::optional<int> engineModeFromRig(RigModel model, const QString& name, int passband, int currentMode)
{
    const ModeRow* normal = nullptr;
    const ModeRow* narrow = nullptr;
    for (const ModeRow& m : Modes) {
        if (name != QLatin1String(m.name) || !engineSends(model, m.engine))
            continue;
        (m.narrow ? narrow : normal) = &m;
    }
    if (!normal)
        return std::nullopt;
    bool wantNarrow = false;
    if (passband < 0)
        wantNarrow = narrow && currentMode == narrow->engine;
    else if (passband > 0)
        wantNarrow = passband < normal->passband;
    return wantNarrow && narrow ? narrow->engine : normal->engine;
}

QByteArray rigDumpState(RigModel model, int timeoutMs)
{
    const RigModelInfo& info = rigModelInfo(model);
    quint32 modes = 0;
    for (const ModeRow& m : Modes) {
        if (engineSends(model, m.engine))
            modes |= m.bit;
    }
    // A two-band radio is announced with its bands only: Hamlib's clients then
    // name the bands for VFO A and B and for the transmit VFO in split, where
    // with VFO A and B announced too they would select VFO B of the band to
    // reach the transmit one.
    const quint32 vfos = rigvfo::Mem | (info.mainSub ? rigvfo::Main | rigvfo::Sub : rigvfo::A | rigvfo::B);

    QByteArray out;
    auto line = [&out](const QByteArray& l) { out += l + "\n"; };
    line("1");  // protocol version: the key=value lines below follow
    line(QByteArray::number(hamlibModelOf(model)));
    line("0");  // ITU region
    const QByteArray end7 = "0 0 0 0 0 0 0";
    for (const Range& r : ranges(model))
        line(QByteArray::number(double(r.low), 'f', 6) + " " + QByteArray::number(double(r.high), 'f', 6) +
             " " + hex(modes) + " -1 -1 " + hex(vfos) + " 0x1");
    line(end7);
    for (const Range& r : ranges(model))
        line(QByteArray::number(double(r.low), 'f', 6) + " " + QByteArray::number(double(r.high), 'f', 6) +
             " " + hex(modes & ~WFM) + " 5000 100000 " + hex(vfos) + " 0x1");
    line(end7);
    line(hex(modes) + " 1");  // tuning step: the radios take every hertz
    line("0 0");
    for (const ModeRow& m : Modes) {  // filters, the normal one first
        if (engineSends(model, m.engine) && !m.narrow)
            line(hex(m.bit) + " " + QByteArray::number(m.passband));
    }
    for (const ModeRow& m : Modes) {
        if (engineSends(model, m.engine) && m.narrow)
            line(hex(m.bit) + " " + QByteArray::number(m.passband));
    }
    line("0 0");
    line("0");  // max RIT
    line("0");  // max XIT
    line("0");  // max IF shift
    line("0");  // announces
    line("");   // preamplifiers
    line("");   // attenuators
    for (int i = 0; i < 6; ++i)
        line("0x0");  // get/set functions, levels, parameters
    line("vfo_ops=0x0");
    line("ptt_type=0x0");
    line("targetable_vfo=0x0");
    line("has_set_vfo=1");
    line("has_get_vfo=1");
    line("has_set_freq=1");
    line("has_get_freq=1");
    line("has_set_conf=0");
    line("has_get_conf=0");
    line("has_power2mW=0");
    line("has_mW2power=0");
    line("timeout=" + QByteArray::number(timeoutMs));
    line("rig_model=" + QByteArray::number(hamlibModelOf(model)));
    line("rigctld_version=Tessaline " + QByteArray(info.name));
    line("done");
    return out;
}
