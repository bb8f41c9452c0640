#include "io/rxblock.h"

#include <algorithm>

void RxBlockAssembler::add(const char* data, int count, qint64 now)
{
    if (count <= 0)
        return;
    block_.append(data, std::min(count, room()));
    last_ = now;
}

bool RxBlockAssembler::complete(qint64 now) const
{
    if (block_.isEmpty())
        return false;
    return block_.size() >= MaxBlock || now - last_ >= GapMs;
}

int RxBlockAssembler::waitMs(qint64 now) const
{
    if (block_.isEmpty())
        return -1;
    return int(std::max<qint64>(0, last_ + GapMs - now));
}

QByteArray RxBlockAssembler::take()
{
    QByteArray block;
    block.swap(block_);
    return block;
}
