// Item 141: one name and one author for every design on show. "{n}" in the
// name becomes each design's number; the texts are set as edits, the pixels
// are not touched.
#include <windows.h>

#include <algorithm>

#include "app_state.h"
#include "commands.h"
#include "design_edits.h"
#include "design_export.h"
#include "edited_designs.h"
#include "keep_and_share.h"
#include "message_box.h"
#include "message_texts.h"
#include "progress_window.h"
#include "resource_ids.h"

namespace {

// What the dialog was given to show and what its OK leaves.
struct DesignNames {
    int designs;  // the highest number "{n}" becomes
    wchar_t name[kDesignNameLength / 2 + 1];
    int name_length;
    wchar_t author[kAuthorNameLength / 2 + 1];
    int author_length;
};

void show_text(HWND dialog, int id, const wchar_t* text, int limit) {
    SetDlgItemTextW(dialog, id, text);
    SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

// Reads a box into `text`, cut to fit its field.
template <size_t capacity>
int read_text(HWND dialog, int id, RecordTextField field, wchar_t (&text)[capacity]) {
    const int length = GetDlgItemTextW(dialog, id, text, static_cast<int>(capacity));
    const int kept =
        fitted_text_length(field, reinterpret_cast<const char16_t*>(text), length);
    text[kept] = L'\0';
    return kept;
}

INT_PTR CALLBACK names_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* names = reinterpret_cast<DesignNames*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(dialog, DWLP_USER, lparam);
            names = reinterpret_cast<DesignNames*>(lparam);
            show_text(dialog, IDC_DESIGN_NAME_BOX, names->name, kDesignNameMaxUnits);
            show_text(dialog, IDC_AUTHOR_NAME_BOX, names->author, kAuthorNameMaxUnits);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK) {
                names->name_length = read_text(dialog, IDC_DESIGN_NAME_BOX, kDesignNameField, names->name);
                names->author_length =
                    read_text(dialog, IDC_AUTHOR_NAME_BOX, kAuthorNameField, names->author);
                char16_t longest[kDesignNameMaxUnits];
                if (expand_design_name(reinterpret_cast<const char16_t*>(names->name),
                                       names->name_length, names->designs, longest,
                                       kDesignNameMaxUnits) < 0) {
                    show_message(dialog, kNameTooLongMessage, kPlainErrorCaption);
                    return TRUE;
                }
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wparam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

// The shown design's texts, as the boxes start.
void start_with_shown_texts(DesignNames* names) {
    RecordBytes shown;
    std::copy(std::begin(app.design_record), std::end(app.design_record), shown.begin());
    names->name_length = record_text_units(shown, kDesignNameField,
                                           reinterpret_cast<char16_t*>(names->name),
                                           kDesignNameMaxUnits);
    names->name[names->name_length] = L'\0';
    names->author_length = record_text_units(shown, kAuthorNameField,
                                             reinterpret_cast<char16_t*>(names->author),
                                             kAuthorNameMaxUnits);
    names->author[names->author_length] = L'\0';
}

}  // namespace

void name_all_designs(HWND main_window) {
    const int count = editable_design_count(app.shell);
    if (!designs_to_export_on_show(app.shell) || count < 2) {
        return;
    }
    DesignNames names{};
    names.designs = count;
    start_with_shown_texts(&names);
    if (DialogBoxParamW(app.instance, IDD_NAME_DESIGNS_NAME, main_window, names_procedure,
                        reinterpret_cast<LPARAM>(&names)) != IDOK) {
        return;
    }
    ExportDesigns designs;
    const wchar_t* title = nullptr;
    if (!designs_on_show(main_window, &designs, &title)) {
        return;
    }
    // Every design is made first, so that a cancel leaves all of them as they were.
    std::vector<RecordBytes> named(static_cast<size_t>(count));
    std::vector<bool> changed(static_cast<size_t>(count));
    ProgressRun run;
    begin_progress(main_window, kNameDesignsTitle, kNamingProgressFormat, count, &run);
    bool finished = true;
    for (int index = 0; index < count && finished; ++index) {
        const RecordBytes before = designs.record(index);
        RecordBytes& record = named[static_cast<size_t>(index)];
        record = before;
        char16_t name[kDesignNameMaxUnits];
        const int length =
            expand_design_name(reinterpret_cast<const char16_t*>(names.name), names.name_length,
                               index + 1, name, kDesignNameMaxUnits);
        set_record_text(record, kDesignNameField, {name, static_cast<size_t>(length)});
        set_record_text(record, kAuthorNameField,
                        {reinterpret_cast<const char16_t*>(names.author),
                         static_cast<size_t>(names.author_length)});
        changed[static_cast<size_t>(index)] = record != before;
        finished = continue_progress(run, index + 1, count);
    }
    end_progress(run);
    if (!finished) {
        return;
    }
    for (int index = 0; index < count; ++index) {
        if (changed[static_cast<size_t>(index)]) {
            keep_edited_record(main_window, index, named[static_cast<size_t>(index)]);
        }
    }
}
