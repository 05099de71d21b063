// Assertions on what the main window shows, shared by the scenarios.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "expected_symbols.h"
#include "running_program.h"
#include "screen_pixels.h"

// The heading at (0, 0) and, unless `counter` is empty, the design counter at
// (0, 24); every other pixel above the symbol is white.
testing::AssertionResult shows_texts(const ClientPixels& pixels, const std::wstring& heading,
                                     const std::wstring& counter);

// The window shows exactly the symbol of `expected`, which our decoder reads
// back; a copy of the symbol and the record are left under `name` for zbar.
testing::AssertionResult shows_symbol_of(const ClientPixels& pixels, const Record& expected,
                                         const std::string& name);

// No message box is open and the window is idle.
testing::AssertionResult quiet(RunningProgram& program);

// The open message box shows `text` under `caption` with one OK button, no
// icon, owned by the main window; it is dismissed.
testing::AssertionResult answered_message(RunningProgram& program, const std::wstring& text,
                                          const std::wstring& caption);

// Opens the 64 x 96 picture with command 102 and steps to its second design,
// the shown state that the refusal scenarios expect to keep.
testing::AssertionResult shows_second_design_of_picture_64x96(RunningProgram& program);

// "左クリックで次のQRコードを表示(n/count)"
std::wstring counter_text(int number, int count);

// Paths of the input pictures and of files the scenarios write.
std::wstring data_file(const std::wstring& name);
std::wstring scratch_folder(const std::wstring& name);  // created empty
