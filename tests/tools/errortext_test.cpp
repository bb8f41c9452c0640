#include "civ/errortext.h"

#include <gtest/gtest.h>

TEST(CivErrorText, EveryCodeHasTheOperatorsText)
{
    EXPECT_EQ(civErrorText(0, 0), "No Response, Your CIV Interface is Not Connected or is Turned Off");
    EXPECT_EQ(civErrorText(1, 0), "No Response, Your Radio is Turned off or is Configured Wrong");
    EXPECT_EQ(civErrorText(2, 20), "MaxLen Exceeded in CIV, Len=14");
    EXPECT_EQ(civErrorText(3, 0), "Ok Received without Command Verification");
    EXPECT_EQ(civErrorText(4, 5), "Radio Said Frequency is Invalid");
    EXPECT_EQ(civErrorText(4, 6), "Radio Said Mode is Invalid");
    EXPECT_EQ(civErrorText(4, 7), "Radio Said Command 07 is NO GOOD");
    EXPECT_EQ(civErrorText(4, 0x0F), "Radio Said Command 0F is NO GOOD");
    EXPECT_EQ(civErrorText(5, 3), "Queue Count = 3");
    EXPECT_EQ(civErrorText(9, 0), "Queue Count = 0");
    EXPECT_EQ(civErrorText(6, 0), "Radio Returned Memory Blank");
    EXPECT_EQ(civErrorText(7, 0x1A), "CIV Received an Unknown Command, cm=1A");
    EXPECT_EQ(civErrorText(8, 9), "Try Count = 9");
    EXPECT_EQ(civErrorText(10, 0), "Radio Returned Bad Frequency");
    EXPECT_EQ(civErrorText(11, 0), "Radio Returned Bad Mode");
    EXPECT_EQ(civErrorText(12, 0), "Radio Returned Bad Param");
    EXPECT_EQ(civErrorText(13, 0), "Unknown CIV Error 0D");
    EXPECT_EQ(civErrorText(0x123, 0), "Unknown CIV Error 123");
    EXPECT_EQ(civErrorText(-1, 0), "Unknown CIV Error FFFFFFFF");
}

TEST(CivErrorText, CountersGoToTheStatusBarNotABox)
{
    for (int e = -1; e <= 13; ++e)
        EXPECT_EQ(civErrorShowsBox(e), e != 5 && e != 8 && e != 9) << e;
}
