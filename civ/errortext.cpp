#include "civ/errortext.h"

#include "civ/civcodes.h"
#include "civ/codec.h"

namespace {

QString hex(int value)
{
    return QString::number(static_cast<quint32>(value), 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

}  // namespace

bool civErrorShowsBox(int e)
{
    return e != civ::Progress::Answered && e != civ::Progress::Try && e != civ::Progress::QueueCount;
}

QString civErrorText(int e, int d)
{
    switch (e) {
    case civ::Error::NoEcho:
        return QStringLiteral("No Response, Your CIV Interface is Not Connected or is Turned Off");
    case civ::Error::NoAnswer:
        return QStringLiteral("No Response, Your Radio is Turned off or is Configured Wrong");
    case civ::Error::FrameTooLong: return QStringLiteral("MaxLen Exceeded in CIV, Len=") + hex(d);
    case civ::Error::OkWithoutEcho: return QStringLiteral("Ok Received without Command Verification");
    case civ::Error::Refused:
        if (d == civ::Cmd::SetFreq)
            return QStringLiteral("Radio Said Frequency is Invalid");
        if (d == civ::Cmd::SetMode)
            return QStringLiteral("Radio Said Mode is Invalid");
        return QStringLiteral("Radio Said Command ") + hex(d) + QStringLiteral(" is NO GOOD");
    case civ::Progress::Answered:
    case civ::Progress::QueueCount: return QStringLiteral("Queue Count = ") + QString::number(d);
    case civ::Error::MemoryBlank: return QStringLiteral("Radio Returned Memory Blank");
    case civ::Error::UnknownCommand: return QStringLiteral("CIV Received an Unknown Command, cm=") + hex(d);
    case civ::Progress::Try: return QStringLiteral("Try Count = ") + QString::number(d);
    case civ::Error::BadFrequency: return QStringLiteral("Radio Returned Bad Frequency");
    case civ::Error::BadMode: return QStringLiteral("Radio Returned Bad Mode");
    case civ::Error::BadParam: return QStringLiteral("Radio Returned Bad Param");
    default: return QStringLiteral("Unknown CIV Error ") + hex(e);
    }
}
