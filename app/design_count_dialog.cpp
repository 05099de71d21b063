#include "design_count_dialog.h"

#include <cwchar>

#include "capture_command.h"
#include "design_count.h"
#include "message_box.h"
#include "message_texts.h"
#include "resource_ids.h"

namespace {

constexpr int kItemTextLength = 4;

// What the dialog opens with and, after an accepted OK, what was chosen.
struct DesignCountRequest {
    DesignGrid initial;
    DesignGrid chosen;
};

// "1" to "40", `value` selected.
void fill_side_box(HWND dialog, int box_id, int value) {
    HWND box = GetDlgItem(dialog, box_id);
    for (int item = 0; item < kMaxGridSide; ++item) {
        wchar_t text[kItemTextLength];
        std::swprintf(text, kItemTextLength, L"%d", design_count_item_value(item));
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(design_count_item_of_value(value)), 0);
}

int selected_item(HWND dialog, int box_id) {
    return static_cast<int>(SendDlgItemMessageW(dialog, box_id, CB_GETCURSEL, 0, 0));
}

void on_ok(HWND dialog) {
    auto* request = reinterpret_cast<DesignCountRequest*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!grid_of_design_count_items(selected_item(dialog, IDC_COLUMNS_BOX),
                                    selected_item(dialog, IDC_ROWS_BOX), &request->chosen)) {
        // The dialog stays open with its selections.
        show_message(dialog, kTooManyDesignsMessage, kPlainErrorCaption);
        return;
    }
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK design_count_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lparam);
            const auto* request = reinterpret_cast<const DesignCountRequest*>(lparam);
            fill_side_box(dialog, IDC_COLUMNS_BOX, request->initial.columns);
            fill_side_box(dialog, IDC_ROWS_BOX, request->initial.rows);
            return TRUE;
        }
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

DesignCountAnswer run_design_count_dialog(HINSTANCE instance, HWND owner, DesignGrid initial,
                                          DesignGrid* chosen) {
    DesignCountRequest request{initial, initial};
    const INT_PTR result =
        DialogBoxParamW(instance, IDD_DESIGN_COUNT_NAME, owner, design_count_procedure,
                        reinterpret_cast<LPARAM>(&request));
    if (result == IDCANCEL) {
        return DesignCountAnswer::cancelled;
    }
    if (result != IDOK) {
        return DesignCountAnswer::not_shown;
    }
    *chosen = request.chosen;
    return DesignCountAnswer::ok;
}
