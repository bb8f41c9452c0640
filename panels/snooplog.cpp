#include "panels/snooplog.h"

#include "civ/codec.h"
#include "civ/frametext.h"

QStringList SnoopLog::add(const QString& trace)
{
    hex_.append(trace);
    QStringList lines;
    // The panel is the controller: its own frames come back as the echo.
    for (const QByteArray& piece : splitter_.feed(civ::bytesOfTrace(trace)))
        lines.append(civ::describeFrame(piece, civ::Controller));
    decoded_.append(lines);
    return lines;
}
