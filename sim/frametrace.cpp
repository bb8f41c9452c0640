#include "sim/frametrace.h"

#include <QString>

#include "civ/frametext.h"

void FrameTrace::feed(const QByteArray& chunk)
{
    for (const QByteArray& piece : splitter_.feed(chunk))
        print_(civ::describeFrame(piece));
}
