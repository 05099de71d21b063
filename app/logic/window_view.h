// What the main window shows for a state: the lines of text and whether the
// symbol is drawn. Positions and sizes are in window_layout.h.
#pragma once

#include "shell_state.h"

inline constexpr int kCounterCapacity = 64;

struct WindowView {
    const wchar_t* heading;  // always shown, at the heading position
    bool shows_symbol;
    bool shows_counter;
    wchar_t counter[kCounterCapacity];  // the design counter, when shown
};

void describe_window(const ShellState& state, WindowView* view);

// "左クリックで次のQRコードを表示(n/count)" for the current design.
void format_design_counter(DesignGrid grid, DesignPosition position, wchar_t* text, int capacity);
