#pragma once

#include <QByteArray>
#include <QList>

// Cuts a received byte stream, which arrives in chunks of any size, into the pieces a
// trace prints one per line: whole frames (FE FE ... FD), frames cut short by a new
// preamble, a collision or their length, runs of collision bytes (FC), and bytes
// outside any frame. Nothing is dropped: the pieces put together are the stream.
class FrameSplitter {
public:
    // The pieces this chunk completes. A frame still open at the chunk's end waits for
    // the next chunk; stray bytes and collisions are handed out at once, since nothing
    // after them can change what they are.
    QList<QByteArray> feed(const QByteArray& chunk);
    // Whatever is still waiting (a frame the line never finished); empty when nothing.
    QByteArray flush();

    // A CI-V station's receive window: a frame longer than this without FD is cut.
    static constexpr int MaxFrame = 20;
    // Stray bytes are shown in lines of at most this many.
    static constexpr int MaxStray = 24;

private:
    enum class Kind { None, Frame, Stray, Jam };

    void take(char b, QList<QByteArray>& out);
    void preamble(QList<QByteArray>& out);
    void release(QList<QByteArray>& out);

    QByteArray piece_;
    Kind kind_ = Kind::None;
};
