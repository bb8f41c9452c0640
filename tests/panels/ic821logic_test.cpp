// The IC-821 standard-controls window's decisions, without widgets.

#include "panels/ic821logic.h"

#include <gtest/gtest.h>

namespace {

using S = Ic821Step;

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

// One row of the notification table: state, t, q, engine mode, engine band, and
// what should follow.
struct Row {
    int state, t, q, mode, band;
    S::Box freqBox;
    S::Text freqText;
    S::Box modeBox;
    int modeIndex;
    int next;
    bool selectMain, readMode, readFreq, busyOff, storeMem, storeBlank, endTransfer;
};

TEST(Ic821Logic, NotificationTable)
{
    const S::Box N = S::None, M = S::Main, U = S::Sub;
    const S::Text K = S::Keep, E = S::FromEngine, B = S::Blank;
    const Row rows[] = {
        // state 0 ignores everything
        {0, 3, 0, 3, 0, N, K, N, -1, 0, false, false, false, false, false, false, false},
        {0, 4, 0, 3, 0, N, K, N, -1, 0, false, false, false, false, false, false, false},
        // 1: main frequency, then its mode
        {1, 3, 0, 3, 0, M, E, N, -1, 2, false, true, false, false, false, false, false},
        {1, 6, 0, 3, 0, M, B, N, -1, 2, false, true, false, false, false, false, false},
        {1, 4, 0, 3, 0, N, K, N, -1, 1, false, false, false, false, false, false, false},
        {1, 1, 0, 3, 0, N, K, N, -1, 1, false, false, false, false, false, false, false},
        {2, 4, 0, 5, 0, N, K, M, 4, 5, false, false, false, false, false, false, false},
        {2, 4, 0, 7, 0, N, K, M, -1, 5, false, false, false, false, false, false, false},
        {2, 6, 0, 5, 0, N, K, M, -1, 5, false, false, false, false, false, false, false},
        {2, 3, 0, 5, 0, N, K, N, -1, 2, false, false, false, false, false, false, false},
        // 3, 4: the sub band, then on to the main band
        {3, 3, 0, 3, 1, U, E, N, -1, 4, false, true, false, false, false, false, false},
        {3, 6, 0, 3, 1, U, B, N, -1, 4, false, true, false, false, false, false, false},
        {4, 4, 0, 2, 1, N, K, U, 2, 1, true, false, true, false, false, false, false},
        {4, 6, 0, 2, 1, N, K, U, -1, 1, true, false, true, false, false, false, false},
        {4, 2, 0, 2, 1, N, K, N, -1, 4, false, false, false, false, false, false, false},
        // 5: the selected band
        {5, 3, 0, 3, 0, M, E, N, -1, 5, false, false, false, false, false, false, false},
        {5, 3, 0, 3, 1, U, E, N, -1, 5, false, false, false, false, false, false, false},
        {5, 6, 0, 3, 1, U, B, N, -1, 5, false, false, false, false, false, false, false},
        {5, 4, 0, 0, 0, N, K, M, 0, 5, false, false, false, false, false, false, false},
        {5, 4, 0, 1, 1, N, K, U, 1, 5, false, false, false, false, false, false, false},
        {5, 4, 0, 4, 0, N, K, M, -1, 5, false, false, false, false, false, false, false},
        {5, 1, 0, 3, 0, N, K, N, -1, 5, false, false, false, false, false, false, false},
        // 6-9: one band after a VFO choice
        {6, 3, 0, 3, 1, U, E, N, -1, 7, false, true, false, false, false, false, false},
        {6, 6, 0, 3, 1, U, B, N, -1, 7, false, true, false, false, false, false, false},
        {7, 4, 0, 3, 1, N, K, U, 3, 5, false, false, false, false, false, false, false},
        {7, 6, 0, 3, 1, N, K, U, -1, 5, false, false, false, false, false, false, false},
        {8, 3, 0, 3, 0, M, E, N, -1, 9, false, true, false, false, false, false, false},
        {8, 6, 0, 3, 0, M, B, N, -1, 9, false, true, false, false, false, false, false},
        {9, 4, 0, 1, 0, N, K, M, 1, 5, false, false, false, false, false, false, false},
        {9, 6, 0, 1, 0, N, K, M, -1, 5, false, false, false, false, false, false, false},
        // 10: an upload ends with the queue
        {10, 1, 2, 3, 0, N, K, N, -1, 10, false, false, false, false, false, false, false},
        {10, 1, 0, 3, 0, N, K, N, -1, 10, false, false, false, true, false, false, true},
        {10, 2, 0, 3, 0, N, K, N, -1, 10, false, false, false, true, false, false, true},
        {10, 3, 0, 3, 0, N, K, N, -1, 10, false, false, false, true, false, false, true},
        // 11: a download's memory completes with the frequency and an empty queue
        {11, 4, 1, 3, 0, N, K, N, -1, 11, false, false, false, false, false, false, false},
        {11, 3, 1, 3, 0, N, K, N, -1, 11, false, false, false, false, false, false, false},
        {11, 3, 0, 3, 0, N, K, N, -1, 11, false, false, false, false, true, false, true},
        {11, 6, 0, 3, 0, N, K, N, -1, 11, false, false, false, false, false, true, true},
        {11, 4, 0, 3, 0, N, K, N, -1, 11, false, false, false, false, false, false, false},
    };
    for (const Row& r : rows) {
        const S s = ic821Notify(r.state, r.t, r.q, r.mode, r.band);
        const std::string where = "state " + std::to_string(r.state) + " t " + std::to_string(r.t) + " q " +
                                  std::to_string(r.q) + " band " + std::to_string(r.band);
        EXPECT_EQ(s.freqBox, r.freqBox) << where;
        EXPECT_EQ(s.freqText, r.freqText) << where;
        EXPECT_EQ(s.modeBox, r.modeBox) << where;
        if (s.modeBox != S::None) {
            EXPECT_EQ(s.modeIndex, r.modeIndex) << where;
        }
        EXPECT_EQ(s.state, r.next) << where;
        EXPECT_EQ(s.selectMain, r.selectMain) << where;
        EXPECT_EQ(s.readMode, r.readMode) << where;
        EXPECT_EQ(s.readFreq, r.readFreq) << where;
        EXPECT_EQ(s.busyOff, r.busyOff) << where;
        EXPECT_EQ(s.storeMem, r.storeMem) << where;
        EXPECT_EQ(s.storeBlank, r.storeBlank) << where;
        EXPECT_EQ(s.endTransfer, r.endTransfer) << where;
    }
}

}  // namespace
