#include "core/BusyBarState.h"

#include <gtest/gtest.h>

namespace {
std::vector<int> Positions(BusyBarState& s, int steps) {
    std::vector<int> out;
    for (int i = 0; i < steps; ++i) {
        s.Step();
        out.push_back(s.m_nPos);
    }
    return out;
}

TEST(BusyBarState, LoopRunsLeftToRightAndWraps) {
    BusyBarState s(10, 0);
    s.SetBusyType(BusyBarState::kLoop);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1}), Positions(s, 11));
}

TEST(BusyBarState, BounceTurnsAtBothEnds) {
    BusyBarState s(10, 7);
    EXPECT_EQ((std::vector<int>{8, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2}), Positions(s, 13));
}

TEST(BusyBarState, ReverseLoopRunsRightToLeft) {
    BusyBarState s(4, 0);
    s.SetBusyType(BusyBarState::kReverseLoop);
    s.Reset();
    EXPECT_EQ(4, s.m_nPos);
    EXPECT_EQ((std::vector<int>{3, 2, 1, 0, 3, 2}), Positions(s, 6));
}

TEST(BusyBarState, GrowingFillStepsThroughSubSteps) {
    BusyBarState s(2, 0);
    s.SetBusyType(BusyBarState::kLoop);
    s.SetBusyFill(BusyBarState::kGrowingFill);
    EXPECT_EQ(10, s.m_nSubSteps);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0}), Positions(s, 10));
}

TEST(BusyBarState, SingleBlockLightsOnlyThePosition) {
    BusyBarState s(10, 3);
    const auto blocks = s.Layout(110, 8);
    ASSERT_EQ(10u, blocks.size());
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(i == 3, blocks[i].lit) << i;
        EXPECT_EQ(0, blocks[i].partial);
        EXPECT_EQ(11 * i, blocks[i].left); // (110 - 10 gaps) / 10 = 10 wide, 1 apart
        EXPECT_EQ(11 * i + 10, blocks[i].right);
        EXPECT_EQ(8, blocks[i].bottom);
    }
}

TEST(BusyBarState, ProgressFillsInProportion) {
    BusyBarState s(10, 0);
    s.SetMode(BusyBarState::kProgress);
    s.m_nPos = 25;
    const auto blocks = s.Layout(110, 8);
    EXPECT_TRUE(blocks[0].lit);
    EXPECT_TRUE(blocks[1].lit);
    EXPECT_FALSE(blocks[2].lit);
    EXPECT_EQ(5, blocks[2].partial); // half of a 10-pixel block
    for (int i = 3; i < 10; ++i)
        EXPECT_FALSE(blocks[i].lit || blocks[i].partial) << i;
}

// Values that would divide by zero or run past the bar stay within it.
TEST(BusyBarState, OutOfRangeValuesStayInTheBar) {
    BusyBarState s(0, 0);
    EXPECT_EQ(1, s.m_nBlocks);
    s.SetNumSteps(1 << 30);
    EXPECT_EQ(1000, s.m_nBlocks);
    s.SetNumSteps(10);
    s.SetMode(BusyBarState::kProgress);
    s.m_nLower = s.m_nUpper = 50;
    s.m_nPos = 70;
    for (const auto& b : s.Layout(110, 8))
        EXPECT_FALSE(b.lit);
    s.m_nLower = 0;
    s.m_nPos = 1 << 30;
    for (const auto& b : s.Layout(110, 8))
        EXPECT_TRUE(b.lit);
    s.m_nPos = -5;
    for (const auto& b : s.Layout(5, 8))
        EXPECT_TRUE(!b.lit && b.partial == 0 && b.right >= b.left);
    s.SetMode(7);
    EXPECT_EQ(BusyBarState::kProgress, s.m_nMode);
}

TEST(BusyBarState, ProgressModeStepsOnward) {
    BusyBarState s(10, 9);
    s.SetBusyType(BusyBarState::kReverseLoop);
    s.SetMode(BusyBarState::kProgress);
    EXPECT_EQ((std::vector<int>{10, 11}), Positions(s, 2));
}
} // namespace
