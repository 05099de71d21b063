#include "capture_support.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "design_record.h"
#include "message_texts.h"
#include "resource_ids.h"

namespace {

constexpr int kDialogTimeoutMs = 10000;
constexpr int kOverlayTimeoutMs = 10000;
constexpr UINT kSendTimeoutMs = 5000;
constexpr int kScreenCatchUpMs = 60;
constexpr uint8_t kLowNibble = 0x0F;

LRESULT send_to(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, kSendTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

// xdotool moves the X pointer and presses buttons and keys through the X
// server, so the program sees them exactly as it sees a user's. (SetCursorPos
// and SendInput would reach it twice: once through Wine's server at once and
// once as the X motion of the pointer warp, late, which can arrive after a
// later move and undo it.) Wine starts Unix programs without a process handle
// to wait on; each action waits instead until its effect can be seen.
constexpr wchar_t kXdotool[] = L"/usr/bin/xdotool ";
constexpr int kInputTimeoutMs = 3000;

bool run_xdotool(const std::wstring& arguments) {
    std::wstring command = kXdotool + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    if (process.hProcess != nullptr) {
        WaitForSingleObject(process.hProcess, kInputTimeoutMs);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    return true;
}

bool key_down(int virtual_key) {
    return (GetAsyncKeyState(virtual_key) & 0x8000) != 0;
}

HWND visible_overlay(DWORD process_id) {
    for (HWND window : top_level_windows(process_id, kCaptureOverlayClassName)) {
        if (IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

}  // namespace

bool input_keys(const std::wstring& arguments, int virtual_key, bool down) {
    return run_xdotool(arguments) &&
           wait_until([=] { return key_down(virtual_key) == down; }, kInputTimeoutMs);
}

HWND open_design_count_dialog(RunningProgram& program) {
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_CAPTURE, 0), 0);
    return wait_for_dialog(program.process_id(), kDesignCountDialogTitle, kDialogTimeoutMs);
}

int selected_side(HWND dialog, int box_id) {
    return static_cast<int>(send_to(GetDlgItem(dialog, box_id), CB_GETCURSEL, 0, 0)) + 1;
}

void choose_grid(HWND dialog, int columns, int rows) {
    const int boxes[] = {IDC_COLUMNS_BOX, IDC_ROWS_BOX};
    const int values[] = {columns, rows};
    for (int i = 0; i < 2; ++i) {
        HWND box = GetDlgItem(dialog, boxes[i]);
        send_to(box, CB_SETCURSEL, static_cast<WPARAM>(values[i] - 1), 0);
        send_to(dialog, WM_COMMAND, MAKEWPARAM(boxes[i], CBN_SELCHANGE),
                reinterpret_cast<LPARAM>(box));
    }
}

void click_dialog_button(HWND dialog, int id) {
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

bool dialog_closed(HWND dialog) {
    return wait_until([dialog] { return !IsWindow(dialog); }, kDialogTimeoutMs);
}

HWND wait_for_overlay(RunningProgram& program) {
    HWND overlay = nullptr;
    wait_until(
        [&] {
            overlay = visible_overlay(program.process_id());
            if (overlay == nullptr) {
                return false;
            }
            // Back in its message loop with nothing left to paint.
            send_to(overlay, WM_NULL, 0, 0);
            RECT pending;
            return !GetUpdateRect(overlay, &pending, FALSE);
        },
        kOverlayTimeoutMs);
    if (overlay != nullptr) {
        Sleep(kScreenCatchUpMs);
    }
    return overlay;
}

bool main_window_back(RunningProgram& program, HWND overlay) {
    return wait_until(
               [&] { return !IsWindowVisible(overlay) && IsWindowVisible(program.main_window()); },
               kOverlayTimeoutMs) &&
           program.settle();
}

bool move_pointer(int x, int y) {
    return run_xdotool(L"mousemove " + std::to_wstring(x) + L" " + std::to_wstring(y)) &&
           wait_until(
               [x, y] {
                   POINT at{};
                   GetCursorPos(&at);
                   return at.x == x && at.y == y;
               },
               kInputTimeoutMs);
}

bool press_left_button() {
    return input_keys(L"mousedown 1", VK_LBUTTON, true);
}

bool release_left_button() {
    return input_keys(L"mouseup 1", VK_LBUTTON, false);
}

bool press_shift() {
    return input_keys(L"keydown shift", VK_SHIFT, true);
}

bool release_shift() {
    return input_keys(L"keyup shift", VK_SHIFT, false);
}

void release_button_and_shift() {
    if (key_down(VK_LBUTTON)) {
        release_left_button();
    }
    if (key_down(VK_SHIFT)) {
        release_shift();
    }
}

testing::AssertionResult shown_record(const ClientPixels& pixels, Record* record) {
    Modules modules{};
    const std::string why = read_symbol(pixels, &modules);
    if (!why.empty()) {
        return testing::AssertionFailure() << why;
    }
    if (!decode_screenshot(screenshot_of(modules), record)) {
        return testing::AssertionFailure() << "the shown symbol does not decode";
    }
    return testing::AssertionSuccess();
}

DesignCodes codes_of(const Record& record) {
    DesignCodes codes{};
    for (int y = 0; y < kTileSide; ++y) {
        for (int x = 0; x < kTileSide; ++x) {
            const uint8_t pair = record[kPixelDataOffset + y * kPixelRowBytes + x / 2];
            const int slot = x % 2 == 0 ? pair & kLowNibble : pair >> 4;
            codes[y * kTileSide + x] = record[kPaletteCodesOffset + slot];
        }
    }
    return codes;
}

std::string hex_colour(uint32_t colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(colour));
    return text;
}
