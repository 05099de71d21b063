#include "window_view.h"

#include <gtest/gtest.h>

#include <string>

namespace {

WindowView view_of(DisplayMode mode, DesignGrid grid, DesignPosition position) {
    ShellState state;
    state.display_mode = mode;
    state.grid = grid;
    state.position = position;
    WindowView view;
    describe_window(state, &view);
    return view;
}

TEST(WindowView, PlaceholderAloneBeforeAnySymbol) {
    const WindowView view = view_of(DisplayMode::placeholder, {2, 3}, {1, 1});
    EXPECT_EQ(std::wstring(view.heading), L"ここにQRコードが表示されます");
    EXPECT_FALSE(view.shows_symbol);
    EXPECT_FALSE(view.shows_counter);
}

TEST(WindowView, DesignFileShowsNoCounterWhateverTheGrid) {
    const WindowView view = view_of(DisplayMode::design_file, {2, 3}, {1, 1});
    EXPECT_EQ(std::wstring(view.heading), L"バイナリデータをQRコード化しました");
    EXPECT_TRUE(view.shows_symbol);
    EXPECT_FALSE(view.shows_counter);
}

TEST(WindowView, CurrentDesignCountsRowMajor) {
    const WindowView view = view_of(DisplayMode::current_design, {2, 3}, {1, 1});
    EXPECT_EQ(std::wstring(view.heading), L"画像をQRコード化しました");
    EXPECT_TRUE(view.shows_symbol);
    ASSERT_TRUE(view.shows_counter);
    EXPECT_EQ(std::wstring(view.counter), L"左クリックで次のQRコードを表示(4/6)");
}

TEST(WindowView, OneByOneGridHasNoCounter) {
    const WindowView view = view_of(DisplayMode::current_design, {1, 1}, {0, 0});
    EXPECT_TRUE(view.shows_symbol);
    EXPECT_FALSE(view.shows_counter);
}

TEST(WindowView, CounterOfTheLargestGridFits) {
    wchar_t text[kCounterCapacity];
    format_design_counter({10, 10}, {9, 9}, text, kCounterCapacity);
    EXPECT_EQ(std::wstring(text), L"左クリックで次のQRコードを表示(100/100)");
    format_design_counter({1000, 1000}, {999, 999}, text, kCounterCapacity);
    EXPECT_EQ(std::wstring(text), L"左クリックで次のQRコードを表示(1000000/1000000)");
}

}  // namespace
