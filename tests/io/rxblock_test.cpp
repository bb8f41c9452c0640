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

TEST(RxBlockAssembler, WithoutAnEventCharacterAnEndByteWaitsForTheGap)
{
    RxBlockAssembler rx;
    rx.add("\xfe\xfd", 2, 0, false);
    EXPECT_FALSE(rx.complete(99));
    EXPECT_TRUE(rx.complete(100));
}

TEST(RxBlockAssembler, TheEventCharacterClosesTheBlockOnlyWhenNothingFollows)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        bool moreWaiting;
        bool closedAtOnce;
    };
    const Case cases[] = {
        {"ends in FD, nothing waiting", QByteArray::fromHex("fefe50e0fbfd"), false, true},
        {"ends in FD, more waiting", QByteArray::fromHex("fefe50e0fbfd"), true, false},
        {"FD inside, not last", QByteArray::fromHex("fefde0"), false, false},
        {"ends in another byte", QByteArray::fromHex("fefe50"), false, false},
        {"the character alone", QByteArray::fromHex("fd"), false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RxBlockAssembler rx;
        rx.setEventChar(0xFD);
        rx.add(c.bytes.constData(), int(c.bytes.size()), 500, c.moreWaiting);
        EXPECT_EQ(rx.complete(500), c.closedAtOnce);
        EXPECT_EQ(rx.waitMs(500), c.closedAtOnce ? 0 : 100);
        EXPECT_TRUE(rx.complete(600));  // the gap still closes every block
        EXPECT_EQ(rx.take(), c.bytes);
        EXPECT_FALSE(rx.complete(600));
    }
}

TEST(RxBlockAssembler, ABlockGrowsUntilItsLastPieceEndsInTheEventCharacter)
{
    RxBlockAssembler rx;
    rx.setEventChar(0xFD);
    rx.add("\xfe\xfe\x50", 3, 0, false);
    rx.add("\xe0\xfd", 2, 10, true);
    EXPECT_FALSE(rx.complete(10));
    rx.add("\xfe\xfe\xfd", 3, 12, false);
    EXPECT_TRUE(rx.complete(12));
    EXPECT_EQ(rx.take(), QByteArray::fromHex("fefe50e0fdfefefd"));
}

TEST(RxBlockAssembler, AnEventCharacterBeyondTheRoomDoesNotCloseTheBlock)
{
    RxBlockAssembler rx;
    rx.setEventChar(0xFD);
    const QByteArray filler(RxBlockAssembler::MaxBlock - 2, 'x');
    rx.add(filler.constData(), int(filler.size()), 0, false);
    rx.add("ab\xfd", 3, 1, false);  // only "ab" fits: full, so complete anyway
    EXPECT_TRUE(rx.complete(1));
    EXPECT_TRUE(rx.take().endsWith("ab"));
}
