#include "sim/radiomodel.h"

#include <iterator>

namespace {

constexpr qint64 kHz = 1000;
constexpr qint64 MHz = 1000000;

struct ModeName {
    int mode;
    const char* name;
};
constexpr ModeName ModeNames[] = {
    {civ::Mode::CwNarrow, "CW-N"},   {civ::Mode::Cw, "CW"},         {civ::Mode::Lsb, "LSB"},
    {civ::Mode::Usb, "USB"},         {civ::Mode::Am, "AM"},         {civ::Mode::Fm, "FM"},
    {civ::Mode::Wfm, "WFM"},         {civ::Mode::Rtty, "RTTY"},     {civ::Mode::LsbNarrow, "LSB-N"},
    {civ::Mode::UsbNarrow, "USB-N"}, {civ::Mode::AmNarrow, "AM-N"}, {civ::Mode::RttyNarrow, "RTTY-N"},
    {civ::Mode::FmNarrow, "FM-N"},
};

constexpr MemoryEntry mem(qint64 hz, int mode, Duplex duplex = Duplex::Simplex) { return {hz, mode, duplex}; }

template <typename T, std::size_t N>
QList<T> list(const T (&items)[N])
{
    return QList<T>(std::begin(items), std::end(items));
}

using namespace civ::Mode;

// Each model's tables: the modes it takes, its power-on VFOs and the channels it
// comes with.
constexpr quint8 BasicScans[] = {0x00, 0x01, 0x02, 0x03, 0x22, 0x23};
constexpr quint8 FineScans[] = {0x00, 0x01, 0x02, 0x03, 0x12, 0x13, 0x22, 0x23};

constexpr int Ic706Modes[] = {CwNarrow, Cw,        Lsb,       Usb,      Am,         Fm,      Wfm,
                              Rtty,     LsbNarrow, UsbNarrow, AmNarrow, RttyNarrow, FmNarrow};
constexpr MemoryEntry Ic706Vfos[] = {mem(14195 * kHz, Usb), mem(7050 * kHz, Lsb)};
constexpr MemoryEntry Ic706mkiiVfos[] = {mem(145500 * kHz, Fm), mem(14074 * kHz, Usb)};
constexpr PresetMemory HfVhfPresets[] = {
    {1, mem(145500 * kHz, Fm)}, {2, mem(145600 * kHz, Fm, Duplex::Minus)},
    {3, mem(14195 * kHz, Usb)}, {4, mem(7050 * kHz, Lsb)},
    {5, mem(3560 * kHz, Cw)},   {10, mem(28500 * kHz, Usb)},
};

constexpr int Ic756Modes[] = {CwNarrow, Cw,        Lsb,       Usb,      Am,         Fm,
                              Rtty,     LsbNarrow, UsbNarrow, AmNarrow, RttyNarrow, FmNarrow};
constexpr MemoryEntry Ic756Vfos[] = {mem(14195 * kHz, Usb), mem(14250 * kHz, Usb), mem(7050 * kHz, Lsb),
                                     mem(3700 * kHz, Lsb)};
constexpr PresetMemory Ic756Presets[] = {
    {1, mem(14195 * kHz, Usb)}, {2, mem(7050 * kHz, Lsb)},  {3, mem(21300 * kHz, Usb)},
    {4, mem(10106 * kHz, Cw)},  {5, mem(50150 * kHz, Usb)}, {12, mem(29600 * kHz, Fm)},
};

constexpr int Ic821Modes[] = {CwNarrow, Cw, Lsb, Usb, Fm, FmNarrow};
constexpr MemoryEntry Ic821Vfos[] = {mem(145500 * kHz, Fm), mem(145800 * kHz, Fm), mem(435000 * kHz, Fm),
                                     mem(433500 * kHz, Fm)};
constexpr PresetMemory Ic821Presets[] = {
    {1, mem(145500 * kHz, Fm)}, {2, mem(145600 * kHz, Fm, Duplex::Minus)},
    {3, mem(435000 * kHz, Fm)}, {4, mem(144300 * kHz, Usb)},
    {5, mem(432200 * kHz, Cw)}, {80, mem(439000 * kHz, Fm, Duplex::Minus)},
};

RadioModel ic706()
{
    return {
        .key = "ic706",
        .name = "IC-706",
        .address = 0x48,
        .ranges = {{30 * kHz, 200 * MHz}},
        .modes = list(Ic706Modes),
        .memories = 99,
        .mainSub = false,
        .duplex = true,
        .dualWatch = false,
        .antenna = false,
        .scans = list(BasicScans),
        .knobStep = 10,
        .offset = 600 * kHz,
        .vfos = list(Ic706Vfos),
        .presets = list(HfVhfPresets),
    };
}

// The IC-706 with the finer scans and other power-on VFOs.
RadioModel ic706mkii()
{
    RadioModel m = ic706();
    m.key = "ic706mkii";
    m.name = "IC-706MKII";
    m.scans = list(FineScans);
    m.vfos = list(Ic706mkiiVfos);
    return m;
}

RadioModel ic756()
{
    return {
        .key = "ic756",
        .name = "IC-756",
        .address = 0x50,
        .ranges = {{30 * kHz, 60 * MHz}},
        .modes = list(Ic756Modes),
        .memories = 99,
        .mainSub = true,
        .duplex = false,
        .dualWatch = true,
        .antenna = true,
        .scans = list(FineScans),
        .knobStep = 10,
        .offset = 0,
        .vfos = list(Ic756Vfos),
        .presets = list(Ic756Presets),
    };
}

RadioModel ic821()
{
    return {
        .key = "ic821",
        .name = "IC-821",
        .address = 0x4C,
        .ranges = {{136 * MHz, 174 * MHz}, {420 * MHz, 460 * MHz}},
        .modes = list(Ic821Modes),
        .memories = 80,
        .mainSub = true,
        .duplex = true,
        .dualWatch = false,
        .antenna = false,
        .scans = list(BasicScans),
        .knobStep = 100,
        .offset = 600 * kHz,
        .vfos = list(Ic821Vfos),
        .presets = list(Ic821Presets),
    };
}

QList<RadioModel> buildModels() { return {ic706(), ic706mkii(), ic756(), ic821()}; }

}  // namespace

QString simmode::name(int mode)
{
    for (const ModeName& m : ModeNames)
        if (m.mode == mode)
            return QString::fromLatin1(m.name);
    return {};
}

int simmode::fromName(const QString& text)
{
    const QString t = text.trimmed().toUpper();
    if (t == QLatin1String("CWN"))
        return civ::Mode::CwNarrow;
    for (const ModeName& m : ModeNames)
        if (t == QLatin1String(m.name))
            return m.mode;
    return -1;
}

QString duplexName(Duplex duplex)
{
    switch (duplex) {
    case Duplex::Minus: return QStringLiteral("MINUS");
    case Duplex::Plus: return QStringLiteral("PLUS");
    case Duplex::Simplex: break;
    }
    return QStringLiteral("NONE");
}

bool RadioModel::inRange(qint64 hz) const
{
    for (const FreqRange& r : ranges)
        if (hz >= r.low && hz <= r.high)
            return true;
    return false;
}

const QList<RadioModel>& radioModels()
{
    static const QList<RadioModel> models = buildModels();
    return models;
}

const RadioModel* findRadioModel(const QString& keyOrName)
{
    const QString wanted = keyOrName.trimmed().toLower();
    for (const RadioModel& m : radioModels())
        if (m.key == wanted || m.name.toLower() == wanted)
            return &m;
    return nullptr;
}
