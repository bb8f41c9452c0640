#include "sim/frametrace.h"

#include <QString>

void FrameTrace::feed(const QByteArray& chunk)
{
    for (char b : chunk) {
        pending_.append(b);
        const auto byte = quint8(b);
        if (byte == 0xFD || byte == 0xFC || pending_.size() >= 64) {
            print_(QString::fromLatin1(pending_.toHex(' ').toUpper()));
            pending_.clear();
        }
    }
}
