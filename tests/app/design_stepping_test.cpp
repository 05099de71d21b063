#include "design_stepping.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Numbers visited by `steps` steps from the first design.
std::vector<int> walk(DesignGrid grid, int steps, bool forward) {
    DesignPosition position{0, 0};
    std::vector<int> numbers{design_number(grid, position)};
    for (int i = 0; i < steps; ++i) {
        position = forward ? next_design(grid, position) : previous_design(grid, position);
        EXPECT_GE(position.column, 0);
        EXPECT_LT(position.column, grid.columns);
        EXPECT_GE(position.row, 0);
        EXPECT_LT(position.row, grid.rows);
        numbers.push_back(design_number(grid, position));
    }
    return numbers;
}

TEST(DesignStepping, TwoColumnsThreeRowsGoForwardInRowMajorOrderAndWrap) {
    const DesignGrid grid{2, 3};
    EXPECT_EQ(design_count(grid), 6);
    EXPECT_EQ(walk(grid, 6, true), (std::vector<int>{1, 2, 3, 4, 5, 6, 1}));
    EXPECT_EQ(next_design(grid, DesignPosition{0, 0}).column, 1);
    EXPECT_EQ(next_design(grid, DesignPosition{1, 0}).row, 1);
}

TEST(DesignStepping, BackwardFromTheFirstGoesToTheLast) {
    EXPECT_EQ(walk(DesignGrid{2, 3}, 6, false), (std::vector<int>{1, 6, 5, 4, 3, 2, 1}));
    const DesignPosition last = previous_design(DesignGrid{2, 3}, DesignPosition{0, 0});
    EXPECT_EQ(last.column, 1);
    EXPECT_EQ(last.row, 2);
}

TEST(DesignStepping, SingleRowsAndColumnsAndLargeGridsVisitEveryDesignOnce) {
    for (const DesignGrid grid : {DesignGrid{1, 5}, DesignGrid{5, 1}, DesignGrid{10, 10},
                                  DesignGrid{40, 1}, DesignGrid{7, 3}}) {
        const int count = design_count(grid);
        std::vector<int> expected_forward;
        std::vector<int> expected_backward{1};
        for (int n = 1; n <= count; ++n) {
            expected_forward.push_back(n);
        }
        for (int n = count; n >= 1; --n) {
            expected_backward.push_back(n);
        }
        expected_forward.push_back(1);
        EXPECT_EQ(walk(grid, count, true), expected_forward) << grid.columns << "x" << grid.rows;
        EXPECT_EQ(walk(grid, count, false), expected_backward) << grid.columns << "x" << grid.rows;
    }
}

TEST(DesignStepping, OneByOneGridStaysOnItsDesign) {
    const DesignGrid grid{1, 1};
    EXPECT_EQ(design_number(grid, next_design(grid, DesignPosition{0, 0})), 1);
    EXPECT_EQ(design_number(grid, previous_design(grid, DesignPosition{0, 0})), 1);
}

TEST(DesignStepping, ClicksStepOnlyForTheCurrentDesignOfALargerGrid) {
    ShellState state;
    state.grid = DesignGrid{2, 3};
    state.display_mode = DisplayMode::current_design;
    EXPECT_TRUE(clicks_step(state));
    state.display_mode = DisplayMode::design_file;
    EXPECT_FALSE(clicks_step(state));
    state.display_mode = DisplayMode::placeholder;
    EXPECT_FALSE(clicks_step(state));
    state.display_mode = DisplayMode::current_design;
    state.grid = DesignGrid{1, 1};
    EXPECT_FALSE(clicks_step(state));
    state.grid = DesignGrid{1, 2};
    EXPECT_TRUE(clicks_step(state));
}

}  // namespace
