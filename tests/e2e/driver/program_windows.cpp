#include "program_windows.h"

namespace {

constexpr int kPollMilliseconds = 10;
constexpr UINT kCrossProcessTimeoutMs = 5000;
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kDialogGoneTimeoutMs = 10000;
constexpr wchar_t kDialogClass[] = L"#32770";

struct TopLevelSearch {
    DWORD process_id;
    const wchar_t* class_name;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_top_level(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<TopLevelSearch*>(context);
    DWORD owner_process = 0;
    GetWindowThreadProcessId(window, &owner_process);
    if (owner_process == search->process_id &&
        (search->class_name == nullptr || class_name_of(window) == search->class_name)) {
        search->found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK collect_child(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

bool is_message_box(HWND dialog) {
    for (HWND child : descendants(dialog)) {
        if (GetDlgCtrlID(child) == kMessageBoxTextId && class_name_of(child) == L"Static") {
            return true;
        }
    }
    return false;
}

}  // namespace

bool wait_until(const std::function<bool()>& condition, int timeout_ms) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms);
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() > deadline) {
            return false;
        }
        Sleep(kPollMilliseconds);
    }
}

std::wstring class_name_of(HWND window) {
    wchar_t name[256];
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? length : 0);
}

std::wstring text_of(HWND window) {
    wchar_t text[1024];
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                             kCrossProcessTimeoutMs, &length)) {
        return L"";
    }
    return std::wstring(text, length);
}

std::vector<HWND> top_level_windows(DWORD process_id, const wchar_t* class_name) {
    TopLevelSearch search{process_id, class_name, {}};
    EnumWindows(collect_top_level, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(parent, collect_child, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND find_dialog(DWORD process_id, const std::wstring& caption) {
    for (HWND dialog : top_level_windows(process_id, kDialogClass)) {
        if (IsWindowVisible(dialog) && text_of(dialog) == caption) {
            return dialog;
        }
    }
    return nullptr;
}

HWND wait_for_dialog(DWORD process_id, const std::wstring& caption, int timeout_ms) {
    HWND dialog = nullptr;
    wait_until(
        [&] {
            dialog = find_dialog(process_id, caption);
            return dialog != nullptr;
        },
        timeout_ms);
    return dialog;
}

bool choose_file_in_dialog(HWND dialog, const std::wstring& path) {
    HWND name_box = nullptr;
    for (HWND child : descendants(dialog)) {
        if (class_name_of(child) == L"Edit" && IsWindowVisible(child)) {
            name_box = child;
            break;
        }
    }
    HWND open_button = nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == IDOK && class_name_of(child) == L"Button") {
            open_button = child;
            break;
        }
    }
    if (name_box == nullptr || open_button == nullptr) {
        return false;
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutW(name_box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                        SMTO_NORMAL, kCrossProcessTimeoutMs, &result);
    // Posted: the click may open another box, and a sent click would wait for it.
    PostMessageW(open_button, BM_CLICK, 0, 0);
    return wait_until([dialog] { return !IsWindow(dialog); }, kDialogGoneTimeoutMs);
}

MessageBoxView wait_for_message_box(DWORD process_id, int timeout_ms) {
    MessageBoxView view{};
    wait_until(
        [&] {
            for (HWND dialog : top_level_windows(process_id, kDialogClass)) {
                if (IsWindowVisible(dialog) && is_message_box(dialog)) {
                    view.window = dialog;
                    return true;
                }
            }
            return false;
        },
        timeout_ms);
    if (view.window == nullptr) {
        return view;
    }
    view.caption = text_of(view.window);
    view.owner = GetWindow(view.window, GW_OWNER);
    for (HWND child : descendants(view.window)) {
        if (!IsWindowVisible(child)) {
            continue;
        }
        const std::wstring type = class_name_of(child);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (type == L"Button") {
            ++view.visible_buttons;
            view.ok_button = GetDlgCtrlID(child) == IDOK;
        } else if (type == L"Static" && GetDlgCtrlID(child) == kMessageBoxTextId) {
            view.text = text_of(child);
        } else if (type == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
            // Wine keeps an empty icon control in boxes without an icon.
            DWORD_PTR icon = 0;
            SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_NORMAL, kCrossProcessTimeoutMs,
                                &icon);
            RECT area{};
            GetWindowRect(child, &area);
            view.icon = view.icon || (icon != 0 && area.right > area.left);
        }
    }
    return view;
}

bool dismiss_message_box(const MessageBoxView& box) {
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return wait_until([&box] { return !IsWindow(box.window); }, kDialogGoneTimeoutMs);
}
