#include "civ/framesplitter.h"

#include "civ/codec.h"

QList<QByteArray> FrameSplitter::feed(const QByteArray& chunk)
{
    QList<QByteArray> out;
    for (const char b : chunk)
        take(b, out);
    if (kind_ == Kind::Stray || kind_ == Kind::Jam)
        release(out);
    return out;
}

QByteArray FrameSplitter::flush()
{
    const QByteArray rest = piece_;
    piece_.clear();
    kind_ = Kind::None;
    return rest;
}

void FrameSplitter::release(QList<QByteArray>& out)
{
    if (!piece_.isEmpty())
        out.append(piece_);
    piece_.clear();
    kind_ = Kind::None;
}

void FrameSplitter::preamble(QList<QByteArray>& out)
{
    const char fe = char(civ::Preamble);
    if (kind_ == Kind::Frame && piece_.size() == 1) {
        piece_.append(fe);
        return;
    }
    if (kind_ == Kind::Frame && piece_.size() == 2 && piece_.count(fe) == 2) {
        // A third FE: the first of them was on the line before the preamble.
        out.append(QByteArray(1, fe));
        return;
    }
    release(out);  // a frame cut short by the next one, or what went before
    piece_.append(fe);
    kind_ = Kind::Frame;
}

void FrameSplitter::take(char b, QList<QByteArray>& out)
{
    const auto byte = quint8(b);
    if (byte == civ::Jam) {
        if (kind_ != Kind::Jam)
            release(out);
        piece_.append(b);
        kind_ = Kind::Jam;
        return;
    }
    if (byte == civ::Preamble) {
        preamble(out);
        return;
    }
    if (kind_ == Kind::Jam || kind_ == Kind::None)
        release(out);
    if (kind_ == Kind::None || (kind_ == Kind::Frame && piece_.size() == 1))
        kind_ = Kind::Stray;  // a lone FE is no preamble
    piece_.append(b);
    const bool frame = kind_ == Kind::Frame;
    if (byte == civ::EndOfMessage || (frame && piece_.size() >= MaxFrame) ||
        (!frame && piece_.size() >= MaxStray))
        release(out);
}
