#include "keep_and_share.h"

#include <gtest/gtest.h>

#include <string>

#include "design_stepping.h"

namespace {

std::wstring proposed(const ShellState& state, const wchar_t* source, const wchar_t* file,
                      int capacity = 260) {
    wchar_t stem[260];
    propose_file_stem(state, source, file, stem, capacity);
    return stem;
}

std::wstring stem_of(const wchar_t* path) {
    wchar_t stem[260];
    file_stem_of_path(path, stem, 260);
    return stem;
}

}  // namespace

TEST(KeepAndShare, ItemsFollowTheDisplayMode) {
    ShellState state;
    EXPECT_FALSE(symbol_on_show(state));
    EXPECT_FALSE(grid_on_show(state));
    state.display_mode = DisplayMode::design_file;
    EXPECT_TRUE(symbol_on_show(state));
    EXPECT_FALSE(grid_on_show(state));
    state.display_mode = DisplayMode::current_design;
    EXPECT_TRUE(symbol_on_show(state));
    EXPECT_TRUE(grid_on_show(state));
}

TEST(KeepAndShare, ProposedNamesCarryTheDesignNumberOrTheDesignFilesName) {
    ShellState state;
    state.display_mode = DisplayMode::current_design;
    set_design_grid(state, DesignGrid{4, 3});
    state.position = DesignPosition{2, 0};
    EXPECT_EQ(proposed(state, L"cat", L"old"), L"cat-003");
    state.position = last_design(state.grid);
    EXPECT_EQ(proposed(state, L"キャプチャ", L"old"), L"キャプチャ-012");
    // A long stem is cut, never the number.
    EXPECT_EQ(proposed(state, L"abcdefgh", L"", 9), L"abcd-012");
    state.display_mode = DisplayMode::design_file;
    EXPECT_EQ(proposed(state, L"cat", L"my design"), L"my design");
}

TEST(KeepAndShare, StemOfAPathDropsTheFolderAndTheLastExtension) {
    EXPECT_EQ(stem_of(L"C:\\pics\\cat.png"), L"cat");
    EXPECT_EQ(stem_of(L"Z:/tmp/a.b.jpeg"), L"a.b");
    EXPECT_EQ(stem_of(L"C:\\pics\\.hidden"), L".hidden");
    EXPECT_EQ(stem_of(L"noext"), L"noext");
}
