// Item 140: the dialog "デザインを編集" over the design on show. The dialog
// dispatches its input to the editor session (editor_session.h) and repaints
// what changed; the picture it shows is made by editor_picture.h.
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "app_state.h"
#include "commands.h"
#include "design_edits.h"
#include "edited_designs.h"
#include "editor_picture.h"
#include "editor_session.h"
#include "keep_and_share.h"
#include "message_texts.h"
#include "resource_ids.h"

namespace {

constexpr int kDialogFontPoints = 9;
constexpr wchar_t kDialogFontFace[] = L"MS Shell Dlg";

struct EditorWindow {
    HWND window = nullptr;
    EditorLayout layout{};
    EditorSession session;
    RecordBytes painted{};  // the record the picture shows
    std::vector<uint32_t> picture;
    bool picture_stale = true;
    DesignPoint pointer{-1, -1};
    HFONT font = nullptr;  // the controls' font at a DPI other than 96
    HHOOK key_filter = nullptr;
    RecordBytes result{};
};

// One editor is open at a time: the dialog is modal.
EditorWindow editor;

RECT rect_of(const LayoutRect& rect) {
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

void invalidate(const LayoutRect& rect) {
    const RECT area = rect_of(rect);
    InvalidateRect(editor.window, &area, FALSE);
}

// What changed since the last paint: each changed pixel's squares, or the
// design and its slots once when `whole` or when a slot's colour changed.
void repaint_changes(bool whole) {
    const RecordBytes& now = editor.session.record;
    const bool codes_changed = !std::equal(now.begin() + kPaletteCodesOffset,
                                           now.begin() + kFixedBytesOffset,
                                           editor.painted.begin() + kPaletteCodesOffset);
    if (whole || codes_changed) {
        invalidate(editor.layout.canvas);
        invalidate(editor.layout.preview);
        invalidate(editor.layout.swatches);
    } else {
        for (int y = 0; y < kTileSide; ++y) {
            for (int x = 0; x < kTileSide; ++x) {
                if (record_pixel_slot(now, x, y) != record_pixel_slot(editor.painted, x, y)) {
                    invalidate(canvas_cell_rect(editor.layout, DesignPoint{x, y}));
                    invalidate(preview_cell_rect(editor.layout, DesignPoint{x, y}));
                }
            }
        }
    }
    editor.painted = now;
    editor.picture_stale = true;
}

void repaint_swatches() {
    editor.picture_stale = true;
    invalidate(editor.layout.swatches);
}

HWND control(int id) {
    return GetDlgItem(editor.window, id);
}

bool is_text_box(HWND window) {
    return window == control(IDC_DESIGN_NAME_BOX) || window == control(IDC_AUTHOR_NAME_BOX);
}

// Ctrl+Z and Ctrl+Y anywhere in the dialog but in the text boxes, which keep
// their own keys: the dialog's message loop shows each message here first.
LRESULT CALLBACK filter_editor_keys(int code, WPARAM wparam, LPARAM lparam) {
    const MSG* message = reinterpret_cast<const MSG*>(lparam);
    if (code == MSGF_DIALOGBOX && editor.window != nullptr && message->message == WM_KEYDOWN &&
        GetKeyState(VK_CONTROL) < 0 &&
        (message->hwnd == editor.window || IsChild(editor.window, message->hwnd)) &&
        !is_text_box(message->hwnd)) {
        const int command = message->wParam == 'Z'   ? IDC_EDITOR_UNDO
                            : message->wParam == 'Y' ? IDC_EDITOR_REDO
                                                     : 0;
        if (command != 0) {
            SendMessageW(editor.window, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
            return TRUE;
        }
    }
    return CallNextHookEx(editor.key_filter, code, wparam, lparam);
}

void place(int id, const LayoutRect& rect) {
    SetWindowPos(control(id), nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (editor.font != nullptr) {
        SendMessageW(control(id), WM_SETFONT, reinterpret_cast<WPARAM>(editor.font), FALSE);
    }
}

// The dialog's outer size for the layout's client area.
SIZE outer_size() {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(editor.window, GWL_STYLE));
    const DWORD ex_style = static_cast<DWORD>(GetWindowLongPtrW(editor.window, GWL_EXSTYLE));
    RECT outer{0, 0, editor.layout.client_width, editor.layout.client_height};
    AdjustWindowRectExForDpi(&outer, style, FALSE, ex_style, static_cast<UINT>(editor.layout.dpi));
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

// Over its owner and inside the owner's display.
void size_dialog(HWND owner) {
    const SIZE outer = outer_size();
    const int width = outer.cx;
    const int height = outer.cy;
    RECT owner_rect{};
    GetWindowRect(owner, &owner_rect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int x = std::clamp((owner_rect.left + owner_rect.right - width) / 2, work.left,
                             std::max(work.left, work.right - width));
    const int y = std::clamp((owner_rect.top + owner_rect.bottom - height) / 2, work.top,
                             std::max(work.top, work.bottom - height));
    SetWindowPos(editor.window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void set_box_text(int id, const RecordBytes& record, RecordTextField field) {
    char16_t units[kDesignNameLength / 2 + 1];
    const int length = record_text_units(record, field, units, field.length / 2);
    units[length] = u'\0';
    SetDlgItemTextW(editor.window, id, reinterpret_cast<const wchar_t*>(units));
    SendMessageW(control(id), EM_LIMITTEXT, static_cast<WPARAM>(field.max_units), 0);
}

// The controls, the font and the picture for the display's DPI.
void lay_out(int dpi) {
    editor.layout = editor_layout_at(dpi);
    const EditorLayout& layout = editor.layout;
    if (editor.font != nullptr) {
        DeleteObject(editor.font);
        editor.font = nullptr;
    }
    if (layout.dpi != kBaseDpi) {
        editor.font = CreateFontW(-MulDiv(kDialogFontPoints, layout.dpi, 72), 0, 0, 0, FW_NORMAL,
                                  FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                  kDialogFontFace);
    }
    place(IDC_DESIGN_NAME_LABEL, layout.name_label);
    place(IDC_DESIGN_NAME_BOX, layout.name_box);
    place(IDC_AUTHOR_NAME_LABEL, layout.author_label);
    place(IDC_AUTHOR_NAME_BOX, layout.author_box);
    place(IDC_EDITOR_UNDO, layout.undo_button);
    place(IDC_EDITOR_REDO, layout.redo_button);
    place(IDOK, layout.ok_button);
    place(IDCANCEL, layout.cancel_button);
    editor.picture.assign(static_cast<size_t>(layout.client_width) * layout.client_height, 0);
    editor.picture_stale = true;
}

void on_init(HWND dialog, HWND owner) {
    editor.window = dialog;
    lay_out(static_cast<int>(GetDpiForWindow(dialog)));
    size_dialog(owner);
    editor.painted = editor.session.record;
    editor.pointer = DesignPoint{-1, -1};
    set_box_text(IDC_DESIGN_NAME_BOX, editor.session.record, kDesignNameField);
    set_box_text(IDC_AUTHOR_NAME_BOX, editor.session.record, kAuthorNameField);
    editor.key_filter =
        SetWindowsHookExW(WH_MSGFILTER, filter_editor_keys, nullptr, GetCurrentThreadId());
    SetFocus(control(IDOK));
}

void on_paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(editor.window, &paint);
    const EditorLayout& layout = editor.layout;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    if (editor.picture_stale) {
        const uint32_t background =
            uint32_t{GetRValue(face)} << 16 | uint32_t{GetGValue(face)} << 8 | GetBValue(face);
        render_editor_picture(layout, editor.session.record, editor.session.selected_slot,
                              EditorPicture{editor.picture.data(), background});
        editor.picture_stale = false;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = layout.client_width;
    info.bmiHeader.biHeight = -layout.client_height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(layout.client_width),
                      static_cast<DWORD>(layout.client_height), 0, 0, 0,
                      static_cast<UINT>(layout.client_height), editor.picture.data(), &info,
                      DIB_RGB_COLORS);
    if (inside_design(editor.pointer)) {
        const DesignPoint at = editor.pointer;
        const int slot = record_pixel_slot(editor.session.record, at.x, at.y);
        wchar_t text[64];
        if (slot == kNoSlot) {
            std::swprintf(text, 64, kPointerNoSlotFormat, at.x, at.y);
        } else {
            std::swprintf(text, 64, kPointerSlotFormat, at.x, at.y, slot);
        }
        const HFONT font = editor.font != nullptr
                               ? editor.font
                               : reinterpret_cast<HFONT>(SendMessageW(editor.window, WM_GETFONT, 0, 0));
        const HGDIOBJ original_font = SelectObject(dc, font);
        SetBkColor(dc, face);
        RECT area = rect_of(layout.pointer_text);
        DrawTextW(dc, text, -1, &area, DT_NOPREFIX);
        SelectObject(dc, original_font);
    }
    EndPaint(editor.window, &paint);
}

// The dialog moved to a display of another DPI: laid out again where the system suggests.
void on_dpi_changed(int dpi, const RECT* suggested) {
    lay_out(dpi);
    const SIZE outer = outer_size();
    SetWindowPos(editor.window, nullptr, suggested->left, suggested->top, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(editor.window, nullptr, FALSE);
}

void show_pointer_at(DesignPoint shown) {
    if (shown.x != editor.pointer.x || shown.y != editor.pointer.y) {
        editor.pointer = shown;
        invalidate(editor.layout.pointer_text);
    }
}

void on_pointer_move(int x, int y) {
    // Told when the pointer leaves, so that the position is not left standing.
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, editor.window, 0};
    TrackMouseEvent(&leave);
    const DesignPoint at = design_point_at(editor.layout, x, y);
    show_pointer_at(inside_design(at) ? at : DesignPoint{-1, -1});
    if (editor.session.stroke == StrokeState::painting) {
        drag_to(editor.session, at);
        repaint_changes(false);
    }
}

void on_left_press(int x, int y, bool shift) {
    const int slot = swatch_at(editor.layout, x, y);
    if (slot >= 0) {
        editor.session.selected_slot = slot;
        repaint_swatches();
        return;
    }
    const int code = palette_code_at(editor.layout, x, y);
    if (code >= 0) {
        if (give_code(editor.session, static_cast<uint8_t>(code))) {
            repaint_changes(true);
        }
        return;
    }
    if (press_left(editor.session, design_point_at(editor.layout, x, y), shift)) {
        SetCapture(editor.window);
        repaint_changes(shift);
    }
}

void end_stroke() {
    if (editor.session.stroke != StrokeState::none) {
        release_left(editor.session);
    }
}

void step_history(bool forward) {
    if (forward ? redo_edit(editor.session) : undo_edit(editor.session)) {
        repaint_changes(true);
        invalidate(editor.layout.pointer_text);
    }
}

// The record with the boxes' texts, as OK would make it.
RecordBytes record_as_closed() {
    wchar_t name[kDesignNameLength];
    wchar_t author[kDesignNameLength];
    const int name_length = GetDlgItemTextW(editor.window, IDC_DESIGN_NAME_BOX, name, kDesignNameLength);
    const int author_length =
        GetDlgItemTextW(editor.window, IDC_AUTHOR_NAME_BOX, author, kDesignNameLength);
    return record_with_texts(editor.session, reinterpret_cast<const char16_t*>(name), name_length,
                             reinterpret_cast<const char16_t*>(author), author_length);
}

void close_editor(int answer) {
    end_stroke();
    if (answer == IDOK) {
        editor.result = record_as_closed();
    } else if (record_as_closed() != editor.session.opened &&
               MessageBoxW(editor.window, kDiscardChangesMessage, kQuestionCaption,
                           MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    EndDialog(editor.window, answer);
}

void on_destroy() {
    if (editor.key_filter != nullptr) {
        UnhookWindowsHookEx(editor.key_filter);
        editor.key_filter = nullptr;
    }
    if (editor.font != nullptr) {
        DeleteObject(editor.font);
        editor.font = nullptr;
    }
    editor.window = nullptr;
    editor.picture = {};
}

INT_PTR CALLBACK editor_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    const int x = static_cast<short>(LOWORD(lparam));
    const int y = static_cast<short>(HIWORD(lparam));
    switch (message) {
        case WM_INITDIALOG:
            on_init(dialog, reinterpret_cast<HWND>(lparam));
            return FALSE;  // the focus is set
        case WM_ERASEBKGND:
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1);  // the paint covers the whole client area
            return TRUE;
        case WM_PAINT:
            on_paint();
            return TRUE;
        case WM_MOUSEMOVE:
            on_pointer_move(x, y);
            return TRUE;
        case WM_MOUSELEAVE:
            show_pointer_at(DesignPoint{-1, -1});
            return TRUE;
        case WM_DPICHANGED:
            on_dpi_changed(LOWORD(wparam), reinterpret_cast<const RECT*>(lparam));
            return TRUE;
        case WM_LBUTTONDOWN:
            on_left_press(x, y, (wparam & MK_SHIFT) != 0);
            return TRUE;
        case WM_LBUTTONUP:
            end_stroke();
            ReleaseCapture();
            return TRUE;
        case WM_CAPTURECHANGED:
            end_stroke();
            return TRUE;
        case WM_RBUTTONDOWN:
            if (pick_slot(editor.session, design_point_at(editor.layout, x, y))) {
                repaint_swatches();
            }
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wparam)) {
                case IDC_EDITOR_UNDO:
                    step_history(false);
                    return TRUE;
                case IDC_EDITOR_REDO:
                    step_history(true);
                    return TRUE;
                case IDOK:
                case IDCANCEL:
                    close_editor(LOWORD(wparam));
                    return TRUE;
                default:
                    return FALSE;
            }
        case WM_DESTROY:
            on_destroy();
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void edit_shown_design(HWND main_window) {
    if (!symbol_on_show(app.shell) || editor.window != nullptr) {
        return;
    }
    RecordBytes shown;
    std::copy(std::begin(app.design_record), std::end(app.design_record), shown.begin());
    begin_editing(editor.session, shown);
    if (DialogBoxParamW(app.instance, IDD_DESIGN_EDITOR_NAME, main_window, editor_procedure,
                        reinterpret_cast<LPARAM>(main_window)) != IDOK ||
        editor.result == shown) {
        return;
    }
    keep_edited_record(main_window, shown_design_index(app.shell), editor.result);
}
