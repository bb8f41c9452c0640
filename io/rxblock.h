#pragma once

#include <QByteArray>
#include <QtGlobal>

// Groups received bytes into blocks the way the serial line delivers them: a block
// is complete when 100 ms pass without a further byte or when it holds 1024 bytes,
// and, with an event character set, as soon as the byte just received is that
// character and no further byte is already waiting.
// Time is given by the caller (milliseconds on any steady clock).
class RxBlockAssembler {
public:
    static constexpr int MaxBlock = 1024;
    static constexpr int GapMs = 100;
    static constexpr int NoEventChar = -1;

    // A byte value 0..255, or NoEventChar.
    void setEventChar(int c) { eventChar_ = c; }
    int eventChar() const { return eventChar_; }

    // Room left in the block being gathered.
    int room() const { return MaxBlock - int(block_.size()); }
    bool empty() const { return block_.isEmpty(); }
    // Adds bytes received at time now (at most room() of them). moreWaiting tells
    // whether further bytes have already arrived behind them.
    void add(const char* data, int count, qint64 now, bool moreWaiting = true);
    // True when the block being gathered is complete at time now.
    bool complete(qint64 now) const;
    // How long to wait for a further byte: -1 without limit (nothing gathered),
    // otherwise the time left until the gap closes the block (0 when it has).
    int waitMs(qint64 now) const;
    // Hands over the gathered block and starts a new one.
    QByteArray take();

private:
    QByteArray block_;
    qint64 last_ = 0;
    int eventChar_ = NoEventChar;
    bool ended_ = false;  // the event character closed the block
};
