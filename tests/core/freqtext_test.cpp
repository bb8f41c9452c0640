#include "core/freqtext.h"

#include <gtest/gtest.h>

TEST(FreqText, TextToHertzReadsNineOrTenDigits)
{
    EXPECT_EQ(freqTextToHertz("014.195.000"), 14195000);
    EXPECT_EQ(freqTextToHertz("145.500.000"), 145500000);
    EXPECT_EQ(freqTextToHertz("000.030.000"), 30000);
    EXPECT_EQ(freqTextToHertz("1296.000.010"), 1296000010LL);
    // Separators are not looked at.
    EXPECT_EQ(freqTextToHertz("014x195,000"), 14195000);
}

TEST(FreqText, TextToHertzCountsNonDigitsAsMinusOne)
{
    EXPECT_EQ(freqTextToHertz("   .   .   "), -111111111);
    EXPECT_EQ(freqTextToHertz("0 4.195.000"), -10000000 + 4000000 + 195000);
    EXPECT_EQ(freqTextToHertz("__1.000.000"), -110000000 + 1000000);
}

TEST(FreqText, TextToHertzOtherLengthsGiveZero)
{
    EXPECT_EQ(freqTextToHertz(""), 0);
    EXPECT_EQ(freqTextToHertz("14.195.000"), 0);
    EXPECT_EQ(freqTextToHertz("NONE"), 0);
    EXPECT_EQ(freqTextToHertz("BLANK"), 0);
    EXPECT_EQ(freqTextToHertz("00014.195.000"), 0);
}

TEST(FreqText, HertzToTextByDigitCount)
{
    EXPECT_EQ(hertzToFreqText(10000), "000.010.000");
    EXPECT_EQ(hertzToFreqText(99999), "000.099.999");
    EXPECT_EQ(hertzToFreqText(123456), "000.123.456");
    EXPECT_EQ(hertzToFreqText(1234567), "001.234.567");
    EXPECT_EQ(hertzToFreqText(14195000), "014.195.000");
    EXPECT_EQ(hertzToFreqText(145500000), "145.500.000");
    EXPECT_EQ(hertzToFreqText(1296000000), "1296.000.000");
}

TEST(FreqText, HertzToTextOutsideFiveToTenDigitsIsEmpty)
{
    EXPECT_EQ(hertzToFreqText(9999), "");
    EXPECT_EQ(hertzToFreqText(0), "");
    EXPECT_EQ(hertzToFreqText(12345678901LL), "");
    // A minus sign counts as a character.
    EXPECT_EQ(hertzToFreqText(-1234), "000.0-1.234");
    EXPECT_EQ(hertzToFreqText(-123), "");
}

TEST(FreqText, RoundTripsEveryStepOnTheBands)
{
    for (qint64 hz : {30000LL, 1800000LL, 7050010LL, 59999990LL, 136000010LL, 459999990LL}) {
        EXPECT_EQ(freqTextToHertz(hertzToFreqText(hz)), hz) << hz;
    }
}
