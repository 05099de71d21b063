// Edits the user made to the designs on show, kept until a command replaces
// what is shown: which designs are edited and which are saved, when a command
// must ask before it drops them, and the texts that item 141 gives every design.
// The edited records themselves live in the application state (app_state.h).
#pragma once

#include <cstdint>

#include "record_edits.h"
#include "shell_state.h"

// One per design on show, in the order the window steps through them.
struct DesignEditMark {
    bool edited = false;   // its edited record replaces the one the window would show
    bool unsaved = false;  // edited since it was last saved or exported
};

// The designs that edits may belong to: 1 for a design file, the grid's
// designs, the designs a scan found; 0 while nothing is shown.
int editable_design_count(const ShellState& state);

// The index of the design on show among them, from 0.
int shown_design_index(const ShellState& state);

// An edit of design `index`: it is edited and unsaved, and the state holds edits.
void mark_design_edited(ShellState& state, DesignEditMark* marks, int index);

bool any_unsaved(const DesignEditMark* marks, int count);

// Saved (one design) or exported (all of them).
void mark_design_saved(DesignEditMark* marks, int index);
void mark_all_saved(DesignEditMark* marks, int count);

// A file dropped on the window, asked about like the commands.
inline constexpr int kDroppedFileCommand = -1;

// Whether `command` must ask before it runs: it may replace what is shown
// (100 to 104, 110, 130, 131 and a drop; 111 to 115 only over a grid) while
// an edit is unsaved.
bool command_asks_before_dropping_edits(const ShellState& state, int command, bool unsaved);

// ---- Texts typed in a box, as a record field takes them.

// How many of the `length` units the field keeps: at most its limit, never
// ending in a lone high surrogate.
int fitted_text_length(RecordTextField field, const char16_t* text, int length);

// Item 141: expand_design_number over the `length` units of `pattern`. Returns the
// length written, or -1 when it would not fit `capacity` units.
int expand_design_name(const char16_t* pattern, int length, int number, char16_t* out,
                       int capacity);
