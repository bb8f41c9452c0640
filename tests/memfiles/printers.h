#pragma once

#include <QString>
#include <ostream>

#include "memfiles/memfile.h"

// Readable failure messages for the texts and records the tests compare.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

inline void PrintTo(const MemRecord& r, std::ostream* os)
{
    *os << '{';
    PrintTo(r.Freq, os);
    *os << ", ";
    PrintTo(r.Mode, os);
    *os << ", ";
    PrintTo(r.Duplex, os);
    *os << ", ";
    PrintTo(r.Description, os);
    *os << '}';
}
