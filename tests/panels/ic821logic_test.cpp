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
    for (int other : {4, 6, 7, 9, 13, -1, 99})
        EXPECT_EQ(ic821IndexOfMode(other), -1) << other;
}

}  // namespace
