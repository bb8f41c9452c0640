// The request state machine every radio window shares: what each engine
// notification means in each request state.

#include "radio/requeststep.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Row {
    int state, t, q, band;
    int freqBand;
    bool freqBlank;
    int modeBand;
    bool modeBlank;
    int next;
    bool selectMain, readMode, readFreq, memoryWritten, memoryRead, endTransfer;
};

constexpr int X = RequestStep::NoBand, M = civ::Band::Main, S = civ::Band::Sub;

TEST(RequestStep, EveryStateAnswersItsNotifications)
{
    const Row rows[] = {
        // state 0 ignores everything
        {0, 3, 0, 0, X, false, X, false, 0, false, false, false, false, false, false},
        {0, 4, 0, 0, X, false, X, false, 0, false, false, false, false, false, false},
        // 1: main frequency, then its mode
        {1, 3, 0, 0, M, false, X, false, 2, false, true, false, false, false, false},
        {1, 6, 0, 0, M, true, X, false, 2, false, true, false, false, false, false},
        {1, 4, 0, 0, X, false, X, false, 1, false, false, false, false, false, false},
        {1, 1, 0, 0, X, false, X, false, 1, false, false, false, false, false, false},
        {2, 4, 0, 0, X, false, M, false, 5, false, false, false, false, false, false},
        {2, 6, 0, 0, X, false, M, true, 5, false, false, false, false, false, false},
        {2, 3, 0, 0, X, false, X, false, 2, false, false, false, false, false, false},
        // 3, 4: the sub band, then on to the main band
        {3, 3, 0, 1, S, false, X, false, 4, false, true, false, false, false, false},
        {3, 6, 0, 1, S, true, X, false, 4, false, true, false, false, false, false},
        {4, 4, 0, 1, X, false, S, false, 1, true, false, true, false, false, false},
        {4, 6, 0, 1, X, false, S, true, 1, true, false, true, false, false, false},
        {4, 2, 0, 1, X, false, X, false, 4, false, false, false, false, false, false},
        // 5: the selected band
        {5, 3, 0, 0, M, false, X, false, 5, false, false, false, false, false, false},
        {5, 3, 0, 1, S, false, X, false, 5, false, false, false, false, false, false},
        {5, 6, 0, 1, S, true, X, false, 5, false, false, false, false, false, false},
        {5, 4, 0, 0, X, false, M, false, 5, false, false, false, false, false, false},
        {5, 4, 0, 1, X, false, S, false, 5, false, false, false, false, false, false},
        {5, 4, 0, 0, X, false, M, false, 5, false, false, false, false, false, false},
        {5, 1, 0, 0, X, false, X, false, 5, false, false, false, false, false, false},
        // 6-9: one band after a VFO choice
        {6, 3, 0, 1, S, false, X, false, 7, false, true, false, false, false, false},
        {6, 6, 0, 1, S, true, X, false, 7, false, true, false, false, false, false},
        {7, 4, 0, 1, X, false, S, false, 5, false, false, false, false, false, false},
        {7, 6, 0, 1, X, false, S, true, 5, false, false, false, false, false, false},
        {8, 3, 0, 0, M, false, X, false, 9, false, true, false, false, false, false},
        {8, 6, 0, 0, M, true, X, false, 9, false, true, false, false, false, false},
        {9, 4, 0, 0, X, false, M, false, 5, false, false, false, false, false, false},
        {9, 6, 0, 0, X, false, M, true, 5, false, false, false, false, false, false},
        // 10: an upload ends with the queue
        {10, 1, 2, 0, X, false, X, false, 10, false, false, false, false, false, false},
        {10, 1, 0, 0, X, false, X, false, 10, false, false, false, true, false, true},
        {10, 2, 0, 0, X, false, X, false, 10, false, false, false, true, false, true},
        {10, 3, 0, 0, X, false, X, false, 10, false, false, false, true, false, true},
        // 11: a download's memory completes with the frequency and an empty queue
        {11, 4, 1, 0, X, false, X, false, 11, false, false, false, false, false, false},
        {11, 3, 1, 0, X, false, X, false, 11, false, false, false, false, false, false},
        {11, 3, 0, 0, X, false, X, false, 11, false, false, false, false, true, true},
        {11, 6, 0, 0, X, true, X, false, 11, false, false, false, false, true, true},
        {11, 4, 0, 0, X, false, X, false, 11, false, false, false, false, false, false},
    };
    for (const Row& r : rows) {
        const RequestStep s = requestStep(r.state, civ::Notify::Code(r.t), r.q, r.band);
        const std::string where = "state " + std::to_string(r.state) + " t " + std::to_string(r.t) + " q " +
                                  std::to_string(r.q) + " band " + std::to_string(r.band);
        EXPECT_EQ(s.freqBand, r.freqBand) << where;
        EXPECT_EQ(s.freqBlank, r.freqBlank) << where;
        EXPECT_EQ(s.modeBand, r.modeBand) << where;
        EXPECT_EQ(s.modeBlank, r.modeBlank) << where;
        EXPECT_EQ(s.state, r.next) << where;
        EXPECT_EQ(s.selectMain, r.selectMain) << where;
        EXPECT_EQ(s.readMode, r.readMode) << where;
        EXPECT_EQ(s.readFreq, r.readFreq) << where;
        EXPECT_EQ(s.memoryWritten, r.memoryWritten) << where;
        EXPECT_EQ(s.memoryRead, r.memoryRead) << where;
        EXPECT_EQ(s.endTransfer, r.endTransfer) << where;
    }
}

TEST(RequestStep, ReadAllGoesSubFrequencySubModeMainFrequencyMainMode)
{
    int state = RequestState::AllSubFreq;
    const std::pair<civ::Notify::Code, int> answers[] = {{civ::Notify::Frequency, S},
                                                         {civ::Notify::Mode, S},
                                                         {civ::Notify::Frequency, M},
                                                         {civ::Notify::Mode, M}};
    std::vector<int> states;
    for (auto [t, band] : answers) {
        state = requestStep(state, t, 0, band).state;
        states.push_back(state);
    }
    EXPECT_EQ(states, (std::vector<int>{RequestState::AllSubMode, RequestState::AllMainFreq,
                                        RequestState::AllMainMode, RequestState::Resting}));
}

}  // namespace
