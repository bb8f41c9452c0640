#include "core/intconv.h"

#include <gtest/gtest.h>

TEST(IntConv, AcceptsDecimalAndHexWithSign)
{
    EXPECT_EQ(strToInt("42"), 42);
    EXPECT_EQ(strToInt("-17"), -17);
    EXPECT_EQ(strToInt("+5"), 5);
    EXPECT_EQ(strToInt("  7"), 7);
    EXPECT_EQ(strToInt("$5C"), 0x5C);
    EXPECT_EQ(strToInt("$4c"), 0x4C);
    EXPECT_EQ(strToInt("-$10"), -16);
    EXPECT_EQ(strToInt("2147483647"), 2147483647);
    EXPECT_EQ(strToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(strToInt("$FFFFFFFF"), -1);
}

TEST(IntConv, RefusesWithTheConversionMessage)
{
    for (const char* bad :
         {"", " ", "abc", "12a", "5 ", "$", "$G1", "--1", "2147483648", "1.5", "$100000000"}) {
        try {
            strToInt(QString::fromLatin1(bad));
            ADD_FAILURE() << "accepted " << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(bad));
        }
    }
}

TEST(IntConv, TryFormReportsWithoutThrowing)
{
    int v = 3;
    EXPECT_FALSE(tryStrToInt("x", &v));
    EXPECT_EQ(v, 3);
    EXPECT_TRUE(tryStrToInt("$50", &v));
    EXPECT_EQ(v, 80);
}
