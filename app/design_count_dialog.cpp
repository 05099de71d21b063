#include "design_count_dialog.h"

#include <cwchar>

#include "app_state.h"
#include "capture_command.h"
#include "design_count.h"
#include "message_box.h"
#include "message_texts.h"
#include "resource_ids.h"

namespace {

constexpr int kItemTextLength = 4;

// "1" to "40", the first one selected.
void fill_side_box(HWND dialog, int box_id) {
    HWND box = GetDlgItem(dialog, box_id);
    for (int item = 0; item < kMaxGridSide; ++item) {
        wchar_t text[kItemTextLength];
        std::swprintf(text, kItemTextLength, L"%d", design_count_item_value(item));
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageW(box, CB_SETCURSEL, 0, 0);
}

int selected_item(HWND dialog, int box_id) {
    return static_cast<int>(SendDlgItemMessageW(dialog, box_id, CB_GETCURSEL, 0, 0));
}

void on_ok(HWND dialog) {
    if (!accept_design_count(app.shell, selected_item(dialog, IDC_COLUMNS_BOX),
                             selected_item(dialog, IDC_ROWS_BOX))) {
        // The dialog stays open with its selections.
        show_message(dialog, kTooManyDesignsMessage, kCaptureErrorCaption);
        return;
    }
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK design_count_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            fill_side_box(dialog, IDC_COLUMNS_BOX);
            fill_side_box(dialog, IDC_ROWS_BOX);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wparam)) {
                case IDOK:
                    on_ok(dialog);
                    return TRUE;
                case IDCANCEL:  // also Escape and the caption's close box
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                default:
                    break;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

bool run_design_count_dialog(HINSTANCE instance, HWND owner) {
    return DialogBoxParamW(instance, IDD_DESIGN_COUNT_NAME, owner, design_count_procedure, 0) !=
           IDCANCEL;
}
