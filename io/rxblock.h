#pragma once

#include <QByteArray>
#include <QtGlobal>

// Groups received bytes into blocks the way the serial line delivers them: a block
// is complete when 100 ms pass without a further byte or when it holds 1024 bytes.
// Time is given by the caller (milliseconds on any steady clock).
class RxBlockAssembler {
public:
    static constexpr int MaxBlock = 1024;
    static constexpr int GapMs = 100;

    // Room left in the block being gathered.
    int room() const { return MaxBlock - int(block_.size()); }
    bool empty() const { return block_.isEmpty(); }
    // Adds bytes received at time now (at most room() of them).
    void add(const char* data, int count, qint64 now);
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
};
