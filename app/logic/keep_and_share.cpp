#include "keep_and_share.h"

#include <cwchar>

#include "design_stepping.h"
#include "record_edits.h"

namespace {

void copy_cut_short(const wchar_t* from, size_t length, wchar_t* to, int capacity) {
    if (capacity <= 0) {
        return;
    }
    const size_t room = static_cast<size_t>(capacity) - 1;
    const size_t count = length < room ? length : room;
    std::wmemcpy(to, from, count);
    to[count] = L'\0';
}

}  // namespace

bool symbol_on_show(const ShellState& state) {
    return state.display_mode == DisplayMode::design_file ||
           state.display_mode == DisplayMode::current_design ||
           state.display_mode == DisplayMode::found_design;
}

bool grid_on_show(const ShellState& state) {
    return state.display_mode == DisplayMode::current_design;
}

bool designs_to_export_on_show(const ShellState& state) {
    return grid_on_show(state) || state.display_mode == DisplayMode::found_design;
}

int shown_design_number(const ShellState& state) {
    if (state.display_mode == DisplayMode::found_design) {
        return state.found.shown + 1;
    }
    return design_number(state.grid, state.position);
}

void propose_file_stem(const ShellState& state, const wchar_t* source_stem,
                       const wchar_t* design_file_stem, wchar_t* stem, int capacity) {
    if (state.display_mode == DisplayMode::design_file) {
        copy_cut_short(design_file_stem, std::wcslen(design_file_stem), stem, capacity);
        return;
    }
    wchar_t number[16];
    std::swprintf(number, 16, L"-%0*d", kDesignNumberDigits, shown_design_number(state));
    const size_t number_length = std::wcslen(number);
    if (capacity <= static_cast<int>(number_length)) {
        copy_cut_short(L"", 0, stem, capacity);
        return;
    }
    copy_cut_short(source_stem, std::wcslen(source_stem), stem,
                   capacity - static_cast<int>(number_length));
    std::wcscat(stem, number);
}

const wchar_t* last_path_component(const wchar_t* path) {
    const wchar_t* name = path;
    for (const wchar_t* p = path; *p != L'\0'; ++p) {
        if (*p == L'\\' || *p == L'/' || *p == L':') {
            name = p + 1;
        }
    }
    return name;
}

void file_stem_of_path(const wchar_t* path, wchar_t* stem, int capacity) {
    const wchar_t* name = last_path_component(path);
    const wchar_t* dot = std::wcsrchr(name, L'.');
    const size_t length =
        dot != nullptr && dot != name ? static_cast<size_t>(dot - name) : std::wcslen(name);
    copy_cut_short(name, length, stem, capacity);
}
