#include "io/rxblock.h"

#include <gtest/gtest.h>

// Times are virtual milliseconds.

TEST(RxBlockAssembler, TheFirstByteIsAwaitedWithoutLimit)
{
    RxBlockAssembler rx;
    EXPECT_EQ(rx.waitMs(0), -1);
    EXPECT_FALSE(rx.complete(1000000));
}

TEST(RxBlockAssembler, ABlockClosesAHundredMillisecondsAfterTheLastByte)
{
    RxBlockAssembler rx;
    rx.add("ab", 2, 1000);
    EXPECT_EQ(rx.waitMs(1000), 100);
    rx.add("c", 1, 1060);  // a further byte restarts the gap
    EXPECT_FALSE(rx.complete(1159));
    EXPECT_EQ(rx.waitMs(1159), 1);
    EXPECT_TRUE(rx.complete(1160));
    EXPECT_EQ(rx.waitMs(1200), 0);
    EXPECT_EQ(rx.take(), "abc");
    EXPECT_TRUE(rx.empty());
    EXPECT_EQ(rx.waitMs(1200), -1);
}

TEST(RxBlockAssembler, AFullBufferClosesTheBlockAtOnce)
{
    RxBlockAssembler rx;
    const QByteArray many(1500, 'x');
    rx.add(many.constData(), 1000, 5);
    EXPECT_EQ(rx.room(), 24);
    rx.add(many.constData(), 500, 6);  // only the room is taken
    EXPECT_TRUE(rx.complete(6));
    EXPECT_EQ(rx.take().size(), 1024);
    EXPECT_EQ(rx.room(), 1024);
}
