#include "civ/errortext.h"

namespace {

QString hex(int value)
{
    return QString::number(static_cast<quint32>(value), 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

}  // namespace

bool civErrorShowsBox(int e) { return e != 5 && e != 8 && e != 9; }

QString civErrorText(int e, int d)
{
    switch (e) {
    case 0: return QStringLiteral("No Response, Your CIV Interface is Not Connected or is Turned Off");
    case 1: return QStringLiteral("No Response, Your Radio is Turned off or is Configured Wrong");
    case 2: return QStringLiteral("MaxLen Exceeded in CIV, Len=") + hex(d);
    case 3: return QStringLiteral("Ok Received without Command Verification");
    case 4:
        if (d == 5)
            return QStringLiteral("Radio Said Frequency is Invalid");
        if (d == 6)
            return QStringLiteral("Radio Said Mode is Invalid");
        return QStringLiteral("Radio Said Command ") + hex(d) + QStringLiteral(" is NO GOOD");
    case 5:
    case 9: return QStringLiteral("Queue Count = ") + QString::number(d);
    case 6: return QStringLiteral("Radio Returned Memory Blank");
    case 7: return QStringLiteral("CIV Received an Unknown Command, cm=") + hex(d);
    case 8: return QStringLiteral("Try Count = ") + QString::number(d);
    case 10: return QStringLiteral("Radio Returned Bad Frequency");
    case 11: return QStringLiteral("Radio Returned Bad Mode");
    case 12: return QStringLiteral("Radio Returned Bad Param");
    default: return QStringLiteral("Unknown CIV Error ") + hex(e);
    }
}
