// The IC-821 standard-controls window's decisions, without widgets.

#include "panels/ic821logic.h"

#include <gtest/gtest.h>

namespace {

TEST(Ic821Logic, ModeGroupsMapToTheEnginesModes)
{
    const int modes[] = {0, 1, 2, 3, 5};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ic821ModeOfIndex(i), modes[i]);
        EXPECT_EQ(ic821IndexOfMode(modes[i]), i);
    }
    EXPECT_EQ(ic821ModeOfIndex(-1), -1);
    EXPECT_EQ(ic821ModeOfIndex(5), -1);
    for (int other : {4, 6, 7, 9, 13, -1, 99}) {
        EXPECT_EQ(ic821IndexOfMode(other), -1) << other;
        EXPECT_EQ(ic821ModeText(other), QString()) << other;
    }
    EXPECT_EQ(ic821ModeText(0), QStringLiteral("CWN"));
    EXPECT_EQ(ic821ModeText(1), QStringLiteral("CW"));
    EXPECT_EQ(ic821ModeText(5), QStringLiteral("FM"));
}

TEST(Ic821Logic, MemoryTextsToModeAndDuplex)
{
    const struct {
        const char* text;
        int mode;
    } modes[] = {{"FM", 5},  {"fm", 5},  {"USB", 3},  {"Lsb", 2},   {"CW", 1}, {"cwn", 0},
                 {"CWn", 0}, {"AM", -1}, {"WFM", -1}, {"RTTY", -1}, {"", -1},  {"FM ", -1}};
    for (const auto& c : modes)
        EXPECT_EQ(ic821ModeOfText(QString::fromLatin1(c.text)), c.mode) << c.text;
    const struct {
        const char* text;
        int duplex;
    } duplexes[] = {{"PLUS", 2}, {"plus", 2}, {"MINUS", 1}, {"Minus", 1}, {"NONE", 0}, {"", 0}, {"+", 0}};
    for (const auto& c : duplexes)
        EXPECT_EQ(ic821DuplexOfText(QString::fromLatin1(c.text)), c.duplex) << c.text;
}

}  // namespace
