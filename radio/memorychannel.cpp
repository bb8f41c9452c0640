#include "radio/memorychannel.h"

#include <span>

#include "civ/civcodes.h"

namespace {

struct ModeText {
    const char* name;
    int mode;
};

using namespace civ::Mode;

// In the order the texts are compared; read backwards they name the mode a
// channel read hands over.
constexpr ModeText Ic706Modes[] = {{"FM", Fm}, {"WFM", Wfm},   {"USB", Usb}, {"LSB", Lsb},
                                   {"AM", Am}, {"RTTY", Rtty}, {"CW", Cw},   {"CWN", CwNarrow}};
constexpr ModeText Ic756Modes[] = {{"FM", Fm},     {"USB", Usb}, {"LSB", Lsb},     {"AM", Am},
                                   {"RTTY", Rtty}, {"CW", Cw},   {"CWN", CwNarrow}};
// No AM, RTTY or wide FM on this radio.
constexpr ModeText Ic821Modes[] = {{"FM", Fm}, {"USB", Usb}, {"LSB", Lsb}, {"CW", Cw}, {"CWN", CwNarrow}};

std::span<const ModeText> modeTexts(RigModel model)
{
    switch (model) {
    case RigModel::IC706:
    case RigModel::IC706MKII: return Ic706Modes;
    case RigModel::IC756: return Ic756Modes;
    case RigModel::IC821: return Ic821Modes;
    }
    return {};
}

}  // namespace

int memoryModeOfText(RigModel model, const QString& text)
{
    for (const ModeText& m : modeTexts(model)) {
        if (text.compare(QLatin1String(m.name), Qt::CaseInsensitive) == 0)
            return m.mode;
    }
    return -1;
}

QString memoryTextOfMode(RigModel model, int mode)
{
    for (const ModeText& m : modeTexts(model)) {
        if (m.mode == mode)
            return QString::fromLatin1(m.name);
    }
    return {};
}

int memoryDuplexOfText(RigModel model, const QString& text)
{
    // Only the IC-821's channels keep a repeater shift here.
    if (model != RigModel::IC821)
        return -1;
    if (text.compare(QLatin1String("PLUS"), Qt::CaseInsensitive) == 0)
        return civ::Duplex::Plus;
    if (text.compare(QLatin1String("MINUS"), Qt::CaseInsensitive) == 0)
        return civ::Duplex::Minus;
    return civ::Duplex::Simplex;
}

MemoryWrite memoryWriteOf(RigModel model, int channel, const QString& freq, const QString& mode,
                          const QString& duplex)
{
    MemoryWrite write;
    write.channel = channel;
    write.freq = freq;
    write.mode = memoryModeOfText(model, mode);
    write.duplex = memoryDuplexOfText(model, duplex);
    return write;
}
