#include "window_view.h"

#include <cwchar>

#include "design_stepping.h"
#include "message_texts.h"

namespace {

void format_counter(int number, int count, wchar_t* text, int capacity) {
    std::swprintf(text, static_cast<size_t>(capacity), kDesignCounterFormat, number, count);
}

}  // namespace

void format_design_counter(DesignGrid grid, DesignPosition position, wchar_t* text, int capacity) {
    format_counter(design_number(grid, position), design_count(grid), text, capacity);
}

void describe_window(const ShellState& state, WindowView* view) {
    view->shows_counter = false;
    view->counter[0] = L'\0';
    switch (state.display_mode) {
        case DisplayMode::placeholder:
            view->heading = kPlaceholderText;
            view->shows_symbol = false;
            return;
        case DisplayMode::design_file:
            view->heading = kDesignFileHeading;
            view->shows_symbol = true;
            return;
        case DisplayMode::current_design:
            view->heading = kImageHeading;
            view->shows_symbol = true;
            view->shows_counter = design_count(state.grid) > 1;
            if (view->shows_counter) {
                format_design_counter(state.grid, state.position, view->counter, kCounterCapacity);
            }
            return;
        case DisplayMode::found_design:
            view->heading = kFoundDesignHeading;
            view->shows_symbol = true;
            view->shows_counter = state.found.count > 1;
            if (view->shows_counter) {
                format_counter(state.found.shown + 1, state.found.count, view->counter,
                               kCounterCapacity);
            }
            return;
    }
}
