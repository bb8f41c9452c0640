#include "sim/frameassembler.h"

namespace {
constexpr char Preamble = char(0xFE);
constexpr char End = char(0xFD);
constexpr char Jam = char(0xFC);
}  // namespace

void FrameAssembler::feed(const quint8* data, int len)
{
    for (int i = 0; i < len; ++i) {
        const char b = char(data[i]);
        if (b == Jam) {
            buffer_.clear();
            continue;
        }
        if (b == Preamble) {
            // Extra FEs before the addresses belong to the preamble; an FE after them
            // starts a new frame (it never occurs inside one).
            const bool inPreamble = buffer_.size() >= 1 && buffer_.count(Preamble) == buffer_.size();
            if (!inPreamble)
                buffer_.clear();
            if (buffer_.size() < 2)
                buffer_.append(b);
            continue;
        }
        if (buffer_.size() < 2) {
            buffer_.clear();  // noise between frames
            continue;
        }
        buffer_.append(b);
        if (b == End) {
            const QByteArray frame = buffer_;
            buffer_.clear();
            onFrame_(frame);
        } else if (buffer_.size() > MaxFrame) {
            buffer_.clear();
        }
    }
}
