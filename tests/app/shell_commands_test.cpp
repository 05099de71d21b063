// What each command leaves in the state, and the checks it applies first.
#include <gtest/gtest.h>

#include "file_commands.h"

namespace {

// A state in the middle of a 3 x 2 grid, showing its current design.
ShellState busy_state(bool median_cut) {
    ShellState state;
    state.grid = DesignGrid{3, 2};
    state.position = DesignPosition{2, 1};
    state.display_mode = DisplayMode::current_design;
    state.median_cut = median_cut;
    return state;
}

TEST(ImageCommand, SidesMustBothBePositiveMultiplesOf32) {
    EXPECT_TRUE(image_sides_accepted({32, 32}));
    EXPECT_TRUE(image_sides_accepted({64, 96}));
    EXPECT_TRUE(image_sides_accepted({320, 320}));  // 100 designs: no limit of 40 here
    EXPECT_FALSE(image_sides_accepted({100, 64}));
    EXPECT_FALSE(image_sides_accepted({64, 100}));
    EXPECT_FALSE(image_sides_accepted({31, 32}));
    EXPECT_FALSE(image_sides_accepted({0, 32}));
    EXPECT_FALSE(image_sides_accepted({32, 0}));
    EXPECT_FALSE(image_sides_accepted({-32, 32}));
}

TEST(ImageCommand, AcceptedImageSetsTheGridAndItsFirstDesign) {
    ShellState state = busy_state(true);
    accept_image(state, {64, 96}, ImageCommand::merge);
    EXPECT_EQ(state.grid.columns, 2);
    EXPECT_EQ(state.grid.rows, 3);
    EXPECT_EQ(state.position.column, 0);
    EXPECT_EQ(state.position.row, 0);
    EXPECT_FALSE(state.median_cut);

    accept_image(state, {320, 32}, ImageCommand::median_cut);
    EXPECT_EQ(state.grid.columns, 10);
    EXPECT_EQ(state.grid.rows, 1);
    EXPECT_TRUE(state.median_cut);
}

TEST(ImageCommand, OnlyThePlainCommandDropsTheCapture) {
    EXPECT_TRUE(image_command_drops_capture(ImageCommand::merge));
    EXPECT_FALSE(image_command_drops_capture(ImageCommand::median_cut));
}

TEST(DesignFileCommand, ShortFilesGiveAllTheirBytesLongerOnesTheFirst620) {
    EXPECT_EQ(design_file_bytes_taken(0), 0);
    EXPECT_EQ(design_file_bytes_taken(10), 10);
    EXPECT_EQ(design_file_bytes_taken(619), 619);
    EXPECT_EQ(design_file_bytes_taken(620), 620);
    EXPECT_EQ(design_file_bytes_taken(621), 620);
    EXPECT_EQ(design_file_bytes_taken(uint64_t{1} << 40), 620);
    EXPECT_EQ(design_file_bytes_taken(UINT64_MAX), 620);
}

TEST(DesignFileCommand, ShowsTheFileSymbolAndKeepsTheGrid) {
    ShellState state = busy_state(true);
    accept_design_file(state);
    EXPECT_EQ(state.display_mode, DisplayMode::design_file);
    EXPECT_EQ(state.grid.columns, 3);
    EXPECT_EQ(state.position.column, 2);
    EXPECT_EQ(state.position.row, 1);
    EXPECT_TRUE(state.median_cut);
}

TEST(ScreenshotCommand, OnlyExactly400x240IsAccepted) {
    EXPECT_TRUE(screenshot_size_accepted({400, 240}));
    EXPECT_FALSE(screenshot_size_accepted({400, 241}));
    EXPECT_FALSE(screenshot_size_accepted({401, 240}));
    EXPECT_FALSE(screenshot_size_accepted({240, 400}));
}

TEST(ScreenshotCommand, WindowReturnsToThePlaceholderAndKeepsTheGrid) {
    ShellState state = busy_state(false);
    accept_screenshot(state);
    EXPECT_EQ(state.display_mode, DisplayMode::placeholder);
    EXPECT_EQ(state.grid.rows, 2);
    EXPECT_EQ(state.position.column, 2);
}

}  // namespace
