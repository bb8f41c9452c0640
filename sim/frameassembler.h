#pragma once

#include <QByteArray>
#include <functional>

// Cuts one station's received byte stream into CI-V frames, as a radio's CI-V
// port does: a frame starts at FE FE, ends at FD, and a jam byte (FC) throws away
// whatever has not yet made a frame. Frames come out with preamble and FD.
class FrameAssembler {
public:
    using FrameHandler = std::function<void(const QByteArray& frame)>;

    // Longer runs without FD are line garbage, not frames.
    static constexpr int MaxFrame = 64;

    explicit FrameAssembler(FrameHandler onFrame) : onFrame_(std::move(onFrame)) {}

    void feed(const quint8* data, int len);
    void feed(const QByteArray& bytes)
    {
        feed(reinterpret_cast<const quint8*>(bytes.constData()), int(bytes.size()));
    }
    void reset() { buffer_.clear(); }

private:
    FrameHandler onFrame_;
    QByteArray buffer_;
};
