#include "keep_support.h"

#include <cstring>

#include "bmp_files.h"
#include "capture_support.h"
#include "e2e_environment.h"
#include "export_page.h"
#include "message_texts.h"
#include "program_windows.h"
#include "resource_ids.h"

namespace {

constexpr int kDialogTimeoutMs = 10000;
constexpr int kAbsenceWaitMs = 500;  // how long a dialog that should not open is given
constexpr int kExportTimeoutMs = 120000;
constexpr int kQrScale = 4;
constexpr int kQrMargin = 4;
constexpr int kDesignsBeforeCancel = 3;

// Posted: a sent click would wait for whatever box the click opens.
void click_button(HWND dialog, int id) {
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// The export's own name for the file of design `number` (the stem is ASCII).
std::wstring design_file(int number, const wchar_t* suffix) {
    const std::string stem = design_file_stem(number);
    return std::wstring(stem.begin(), stem.end()) + suffix;
}

bool export_ended(RunningProgram& program) {
    return wait_until([&] { return IsWindowEnabled(program.main_window()) != 0; },
                      kExportTimeoutMs) &&
           program.settle();
}

}  // namespace

bool press_keys(RunningProgram& program, const std::wstring& keys) {
    // Shift pressed and let go after the keys: once Wine has seen it go up, the
    // program has read every key before it.
    if (!input_keys(L"key --delay 30 " + keys + L" keydown shift", VK_SHIFT, true) ||
        !input_keys(L"keyup shift", VK_SHIFT, false)) {
        return false;
    }
    Sleep(kAbsenceWaitMs / 5);
    return program.settle();
}

HWND wait_for_save_dialog(RunningProgram& program, const std::wstring& title) {
    return wait_for_dialog(program.process_id(), title, kDialogTimeoutMs);
}

bool save_dialog_opened(RunningProgram& program, const std::wstring& title) {
    HWND dialog = wait_for_dialog(program.process_id(), title, kAbsenceWaitMs);
    if (dialog == nullptr) {
        return false;
    }
    click_button(dialog, IDCANCEL);
    wait_until([dialog] { return !IsWindow(dialog); }, kDialogTimeoutMs);
    return true;
}

std::wstring file_name_box_text(HWND dialog) {
    for (HWND child : descendants(dialog)) {
        if (class_name_of(child) == L"Edit" && IsWindowVisible(child)) {
            return text_of(child);
        }
    }
    return L"";
}

bool is_grey_png(const std::vector<uint8_t>& png) {
    constexpr size_t kBitDepthOffset = 24;  // in IHDR, after the signature and the chunk's head
    constexpr uint8_t kGrey = 0;
    return png.size() > kBitDepthOffset + 1 && std::memcmp(png.data(), "\x89PNG", 4) == 0 &&
           png[kBitDepthOffset] == 8 && png[kBitDepthOffset + 1] == kGrey;
}

testing::AssertionResult is_qr_picture_of(const DibPicture& picture, const Record& record) {
    const int side = (kQrSide + 2 * kQrMargin) * kQrScale;
    if (picture.width != side || picture.height != side) {
        return testing::AssertionFailure() << "the picture is " << picture.width << " x "
                                           << picture.height << ", not " << side << " x " << side;
    }
    const Modules modules = symbol_of(record);
    for (int y = 0; y < side; ++y) {
        const uint8_t* row = &picture.rows[static_cast<size_t>(picture.stride()) * (side - 1 - y)];
        for (int x = 0; x < side; ++x) {
            const int column = x / kQrScale - kQrMargin;
            const int module_row = y / kQrScale - kQrMargin;
            const bool inside =
                column >= 0 && column < kQrSide && module_row >= 0 && module_row < kQrSide;
            const bool dark = inside && modules[module_row * kQrSide + column] != 0;
            const uint8_t wanted = dark ? 0 : 255;
            if (row[3 * x] != wanted || row[3 * x + 1] != wanted || row[3 * x + 2] != wanted) {
                return testing::AssertionFailure() << "pixel (" << x << ", " << y << ") differs";
            }
        }
    }
    return testing::AssertionSuccess();
}

void keep_for_zbar(const DibPicture& picture, const Record& record, const std::string& name) {
    const std::wstring base =
        join_path(e2e_environment().artifacts, std::wstring(name.begin(), name.end()));
    write_bmp24(base + L".bmp", picture, false);
    write_bytes(base + L".expected", std::vector<uint8_t>(record.begin(), record.end()));
}

void clear_clipboard() {
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

bool put_dib_on_clipboard(const DibPicture& picture) {
    // The clipboard takes data only from an owner window: a message-only one of the driver's.
    static HWND owner = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        nullptr, nullptr);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = picture.width;
    header.biHeight = picture.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE, sizeof header + picture.rows.size());
    if (dib == nullptr || !OpenClipboard(owner)) {
        return false;
    }
    auto* bytes = static_cast<uint8_t*>(GlobalLock(dib));
    std::memcpy(bytes, &header, sizeof header);
    std::memcpy(bytes + sizeof header, picture.rows.data(), picture.rows.size());
    GlobalUnlock(dib);
    EmptyClipboard();
    const bool put = SetClipboardData(CF_DIB, dib) != nullptr;
    CloseClipboard();
    return put;
}

DibPicture wait_for_clipboard_dib() {
    DibPicture picture;
    wait_until(
        [&] {
            if (!OpenClipboard(nullptr)) {
                return false;
            }
            HANDLE data = GetClipboardData(CF_DIB);
            const auto* header =
                data != nullptr ? static_cast<const BITMAPINFOHEADER*>(GlobalLock(data)) : nullptr;
            if (header != nullptr) {
                if (header->biBitCount == 24 && header->biCompression == BI_RGB &&
                    header->biHeight > 0) {
                    picture.width = header->biWidth;
                    picture.height = header->biHeight;
                    const auto* rows = reinterpret_cast<const uint8_t*>(header + 1);
                    picture.rows.assign(
                        rows, rows + static_cast<size_t>(picture.stride()) * picture.height);
                }
                GlobalUnlock(data);
            }
            CloseClipboard();
            return picture.width != 0;
        },
        kDialogTimeoutMs);
    return picture;
}

bool start_export_into(RunningProgram& program, const std::wstring& folder) {
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_EXPORT_ALL, 0), 0);
    HWND picker = wait_for_save_dialog(program, kExportFolderTitle);
    return picker != nullptr && choose_file_in_dialog(picker, folder);
}

bool export_into(RunningProgram& program, const std::wstring& folder) {
    const std::wstring page = join_path(folder, kExportPageName);
    return start_export_into(program, folder) &&
           wait_until([&] { return file_exists(page); }, kExportTimeoutMs) && export_ended(program);
}

bool answer_no(const MessageBoxView& box) {
    return answer(box, IDNO);
}

bool answer(const MessageBoxView& box, int button) {
    click_button(box.window, button);
    return wait_until([&] { return !IsWindow(box.window); }, kDialogTimeoutMs);
}

// The number of designs written, as the progress window says; -1 before it says.
int designs_written(HWND progress) {
    const std::wstring status = text_of(GetDlgItem(progress, IDC_EXPORT_STATUS));
    const size_t open = status.rfind(L'(');
    return open == std::wstring::npos ? -1 : _wtoi(status.c_str() + open + 1);
}

bool cancel_export_after_some_designs(RunningProgram& program) {
    HWND progress = wait_for_save_dialog(program, kExportProgressTitle);
    if (progress == nullptr ||
        !wait_until([&] { return designs_written(progress) >= kDesignsBeforeCancel; },
                    kDialogTimeoutMs)) {
        return false;
    }
    click_button(progress, IDCANCEL);
    return export_ended(program) && !IsWindow(progress);
}

int whole_designs_only(const std::wstring& folder) {
    const std::vector<std::wstring> names = files_in_folder(folder);
    if (names.size() % 3 != 0) {
        return -1;
    }
    const int designs = static_cast<int>(names.size() / 3);
    for (int number = 1; number <= designs; ++number) {
        for (const wchar_t* suffix : {L".dat", L".png", L"-preview.png"}) {
            if (!file_exists(join_path(folder, design_file(number, suffix)))) {
                return -1;
            }
        }
    }
    return designs;
}
