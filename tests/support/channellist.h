#pragma once

#include <QString>
#include <functional>

#include "core/freqtext.h"
#include "memfiles/memfile.h"
#include "memory/memorymodel.h"

// Puts a channel list in the memory window's first rows for the transfer tests:
// channel i (from 0) on hertz(i) in modes[i] with duplexes[i] (none given: left
// empty), described "channel i+1". Gives the list back to compare with.
inline MemRecords fillChannels(MemoryModel& rows, int count, const std::function<qint64(int)>& hertz,
                               const char* const modes[], const char* const duplexes[] = nullptr)
{
    MemRecords list;
    for (int i = 0; i < count; ++i) {
        MemRecord r;
        r.Freq = hertzToFreqText(hertz(i));
        r.Mode = QString::fromLatin1(modes[i]);
        if (duplexes)
            r.Duplex = QString::fromLatin1(duplexes[i]);
        r.Description = QStringLiteral("channel %1").arg(i + 1);
        rows.setRecord(i, r);
        list.push_back(r);
    }
    return list;
}
