#include "io/rxblock.h"

#include <algorithm>

void RxBlockAssembler::add(const char* data, int count, qint64 now, bool moreWaiting)
{
    const int taken = std::min(count, room());
    if (taken <= 0)
        return;
    block_.append(data, taken);
    last_ = now;
    // Bytes left over from this call wait too.
    ended_ =
        eventChar_ != NoEventChar && quint8(data[taken - 1]) == eventChar_ && !moreWaiting && taken == count;
}

bool RxBlockAssembler::complete(qint64 now) const
{
    if (block_.isEmpty())
        return false;
    return ended_ || block_.size() >= MaxBlock || now - last_ >= GapMs;
}

int RxBlockAssembler::waitMs(qint64 now) const
{
    if (block_.isEmpty())
        return -1;
    if (ended_)
        return 0;
    return int(std::max<qint64>(0, last_ + GapMs - now));
}

QByteArray RxBlockAssembler::take()
{
    QByteArray block;
    block.swap(block_);
    ended_ = false;
    return block;
}
