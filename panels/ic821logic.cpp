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
