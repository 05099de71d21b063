// Saving and copying what the window shows: commands 120, 121 and 123.
#include <algorithm>
#include <array>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <string>
#include <vector>

#include "app_state.h"
#include "whole_files.h"
#include "commands.h"
#include "convert_current_design.h"
#include "design_renderings.h"
#include "dib_image.h"
#include "edited_designs.h"
#include "file_dialog.h"
#include "keep_and_share.h"
#include "message_box.h"
#include "message_texts.h"
#include "png_writer.h"
#include "resource_ids.h"

namespace {

RecordBytes shown_record() {
    RecordBytes record;
    std::copy(std::begin(app.design_record), std::end(app.design_record), record.begin());
    return record;
}

// The proposed path of the shown symbol: "cat-003" and the extension.
void propose_path(const wchar_t* extension, wchar_t (&path)[MAX_PATH]) {
    const wchar_t* source = kCaptureSourceStem;
    wchar_t picture_stem[MAX_PATH];
    if (app.shell.display_mode == DisplayMode::found_design) {
        file_stem_of_path(app.found_source_name, picture_stem, MAX_PATH);
        source = picture_stem;
    } else if (current_conversion_plan().source != TileSource::capture_bitmap) {
        file_stem_of_path(app.picture_file_name, picture_stem, MAX_PATH);
        source = picture_stem;
    }
    wchar_t design_file_stem[MAX_PATH];
    file_stem_of_path(app.design_file_name, design_file_stem, MAX_PATH);
    const int room = MAX_PATH - 1 - static_cast<int>(std::wcslen(extension));
    propose_file_stem(app.shell, source, design_file_stem, path, room);
    std::wcscat(path, L".");
    std::wcscat(path, extension);
}

bool write_or_tell(HWND main_window, const wchar_t* path, const std::vector<uint8_t>& bytes) {
    std::string reason;
    if (bytes.empty() || !write_file_atomically(std::filesystem::path(path), bytes, &reason)) {
        show_write_failure(main_window, path);
        return false;
    }
    return true;
}

// Asks where to save the bytes made from the symbol on show, proposing its
// name, and writes them there whole or tells why not; true once written.
template <typename MakeBytes>
bool save_shown_file(HWND main_window, const wchar_t* title, const wchar_t* filter,
                     const wchar_t* extension, MakeBytes make_bytes) {
    if (!symbol_on_show(app.shell)) {
        return false;
    }
    wchar_t path[MAX_PATH];
    propose_path(extension, path);
    return choose_file_to_save(main_window, title, filter, extension, path) &&
           write_or_tell(main_window, path, make_bytes());
}

// The QR picture as the clipboard's DIB: a header, then 24-bit rows bottom-up.
HGLOBAL qr_picture_as_dib(const Picture& picture) {
    const BITMAPINFO info = bottom_up_dib24_header(picture.width, picture.height);
    const size_t size = sizeof info.bmiHeader + dib24_stride(picture.width) * picture.height;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (memory == nullptr) {
        return nullptr;
    }
    auto* bytes = static_cast<uint8_t*>(GlobalLock(memory));
    std::memcpy(bytes, &info.bmiHeader, sizeof info.bmiHeader);
    copy_picture_to_dib24_rows(picture, bytes + sizeof info.bmiHeader);
    GlobalUnlock(memory);
    return memory;
}

}  // namespace

void remember_file_name(const wchar_t* path, wchar_t (&name)[MAX_PATH]) {
    const wchar_t* last = last_path_component(path);
    std::wcsncpy(name, last, MAX_PATH - 1);
    name[MAX_PATH - 1] = L'\0';
}

void save_qr_picture(HWND main_window) {
    save_shown_file(
        main_window, kSaveQrPictureTitle, kSaveQrPictureFilter, kSaveQrPictureExtension,
        [] { return encode_png(render_qr(shown_record(), kDefaultQrScale, kDefaultQrBorder)); });
}

void save_design_file(HWND main_window) {
    if (save_shown_file(main_window, kSaveDesignFileTitle, kDesignFileFilter,
                        kSaveDesignFileExtension, [] {
                            return std::vector<uint8_t>(std::begin(app.design_record),
                                                        std::end(app.design_record));
                        })) {
        mark_shown_design_saved();
    }
}

void copy_qr_picture(HWND main_window) {
    if (!symbol_on_show(app.shell)) {
        return;
    }
    HGLOBAL dib = qr_picture_as_dib(render_qr(shown_record(), kDefaultQrScale, kDefaultQrBorder));
    if (dib == nullptr) {
        return;
    }
    if (!OpenClipboard(main_window)) {
        GlobalFree(dib);
        return;
    }
    EmptyClipboard();
    if (SetClipboardData(CF_DIB, dib) == nullptr) {
        GlobalFree(dib);  // the clipboard took nothing
    }
    CloseClipboard();
}

void enable_keeping_items(HMENU menu) {
    if (GetMenuState(menu, IDM_SAVE_QR_PICTURE, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
        return;
    }
    const UINT symbol = symbol_on_show(app.shell) ? MF_ENABLED : MF_GRAYED;
    const UINT grid = designs_to_export_on_show(app.shell) ? MF_ENABLED : MF_GRAYED;
    EnableMenuItem(menu, IDM_SAVE_QR_PICTURE, MF_BYCOMMAND | symbol);
    EnableMenuItem(menu, IDM_SAVE_DESIGN_FILE, MF_BYCOMMAND | symbol);
    EnableMenuItem(menu, IDM_COPY_QR_PICTURE, MF_BYCOMMAND | symbol);
    EnableMenuItem(menu, IDM_EXPORT_ALL, MF_BYCOMMAND | grid);
    EnableMenuItem(menu, IDM_EDIT_DESIGN, MF_BYCOMMAND | symbol);
    const UINT several = designs_to_export_on_show(app.shell) && editable_design_count(app.shell) > 1
                             ? MF_ENABLED
                             : MF_GRAYED;
    EnableMenuItem(menu, IDM_NAME_DESIGNS, MF_BYCOMMAND | several);
}
