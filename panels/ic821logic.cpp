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

QString ic821ErrorText(int e, int d)
{
    if (e == civ::Error::Refused) {
        return QStringLiteral("Radio Said Command %1 is NO GOOD")
            .arg(QString::number(static_cast<quint32>(d), 16).toUpper().rightJustified(2, QLatin1Char('0')));
    }
    return civErrorText(e, d);
}
