#include "panels/ic821logic.h"

#include <iterator>

#include "civ/civcodes.h"
#include "civ/errortext.h"
#include "panels/panelcodes.h"

namespace {
const int GroupModes[] = {civ::Mode::CwNarrow, civ::Mode::Cw, civ::Mode::Lsb, civ::Mode::Usb, civ::Mode::Fm};
}

int ic821ModeOfIndex(int index)
{
    if (index < 0 || index >= int(std::size(GroupModes)))
        return -1;
    return GroupModes[index];
}

int ic821IndexOfMode(int mode)
{
    for (int i = 0; i < int(std::size(GroupModes)); ++i) {
        if (GroupModes[i] == mode)
            return i;
    }
    return -1;
}

QString ic821ModeText(int mode)
{
    switch (ic821IndexOfMode(mode)) {
    case 0: return QStringLiteral("CWN");
    case 1: return QStringLiteral("CW");
    case 2: return QStringLiteral("LSB");
    case 3: return QStringLiteral("USB");
    case 4: return QStringLiteral("FM");
    default: return {};
    }
}

int ic821ModeOfText(const QString& text)
{
    // The order of the comparisons is the memory window's contract.
    static const struct {
        const char* name;
        int mode;
    } table[] = {{"FM", civ::Mode::Fm},
                 {"USB", civ::Mode::Usb},
                 {"LSB", civ::Mode::Lsb},
                 {"CW", civ::Mode::Cw},
                 {"CWN", civ::Mode::CwNarrow}};
    for (const auto& entry : table) {
        if (text.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.mode;
    }
    return -1;
}

int ic821DuplexOfText(const QString& text)
{
    if (text.compare(QLatin1String("PLUS"), Qt::CaseInsensitive) == 0)
        return civ::Duplex::Plus;
    if (text.compare(QLatin1String("MINUS"), Qt::CaseInsensitive) == 0)
        return civ::Duplex::Minus;
    return civ::Duplex::Simplex;
}

QString ic821ErrorText(int e, int d)
{
    if (e == civ::Error::Refused) {
        return QStringLiteral("Radio Said Command %1 is NO GOOD")
            .arg(QString::number(static_cast<quint32>(d), 16).toUpper().rightJustified(2, QLatin1Char('0')));
    }
    return civErrorText(e, d);
}

Ic821Step ic821Notify(int state, int t, int q, int mode, int band)
{
    using namespace RequestState;
    Ic821Step s;
    s.state = state;
    const bool freq = t == civ::Notify::Frequency;
    const bool modeReport = t == civ::Notify::Mode;
    const bool blank = t == civ::Notify::BlankFrequency;
    const Ic821Step::Text text = freq ? Ic821Step::FromEngine : Ic821Step::Blank;
    // A blank report clears the mode group that waited for a mode.
    const int index = modeReport ? ic821IndexOfMode(mode) : -1;

    switch (state) {
    case AllMainFreq:
    case AllSubFreq:
    case SubFreq:
    case MainFreq:
        if (freq || blank) {
            s.freqBox = state == AllMainFreq || state == MainFreq ? Ic821Step::Main : Ic821Step::Sub;
            s.freqText = text;
            s.state = state + 1;
            s.readMode = true;
        }
        break;
    case AllMainMode:
    case SubMode:
    case MainMode:
    case AllSubMode:
        if (modeReport || blank) {
            s.modeBox = state == AllMainMode || state == MainMode ? Ic821Step::Main : Ic821Step::Sub;
            s.modeIndex = index;
            if (state == AllSubMode) {
                s.state = AllMainFreq;
                s.selectMain = true;
                s.readFreq = true;
            } else {
                s.state = Resting;
            }
        }
        break;
    case Resting: {
        const Ic821Step::Box selected = band == civ::Band::Main ? Ic821Step::Main : Ic821Step::Sub;
        if (freq || blank) {
            s.freqBox = selected;
            s.freqText = text;
        } else if (modeReport) {
            s.modeBox = selected;
            s.modeIndex = index;
        }
        break;
    }
    case MemoryWrite:
        if (q == 0) {
            s.busyOff = true;
            s.endTransfer = true;
        }
        break;
    case MemoryRead:
        if (q == 0 && (freq || blank)) {
            s.storeMem = freq;
            s.storeBlank = blank;
            s.endTransfer = true;
        }
        break;
    default: break;
    }
    return s;
}
