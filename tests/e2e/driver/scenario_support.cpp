#include "scenario_support.h"

#include <cstdio>

#include "e2e_environment.h"
#include "message_texts.h"
#include "preview_check.h"
#include "resource_ids.h"
#include "window_layout.h"

namespace {

std::string narrow(const std::wstring& text) {
    std::string utf8(static_cast<size_t>(text.size()) * 4 + 1, '\0');
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(),
                            static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return utf8;
}

}  // namespace

std::wstring counter_text(int number, int count) {
    wchar_t text[80];
    swprintf(text, 80, kDesignCounterFormat, number, count);
    return text;
}

std::wstring data_file(const std::wstring& name) {
    return join_path(e2e_environment().data, name);
}

std::wstring scratch_folder(const std::wstring& name) {
    const std::wstring folder = join_path(e2e_environment().scratch, name);
    CreateDirectoryW(folder.c_str(), nullptr);
    empty_folder(folder);
    return folder;
}

testing::AssertionResult shows_texts(const ClientPixels& pixels, const std::wstring& heading,
                                     const std::wstring& counter) {
    const int line = system_font_line_height();
    std::string why = compare_text_line(pixels, kHeadingX, kHeadingY, heading);
    if (!why.empty()) {
        return testing::AssertionFailure() << "heading \"" << narrow(heading) << "\": " << why;
    }
    if (counter.empty()) {
        if (!area_is_white(pixels, 0, line, pixels.width, kSymbolY)) {
            return testing::AssertionFailure() << "something is drawn below the heading";
        }
        return testing::AssertionSuccess();
    }
    why = compare_text_line(pixels, kCounterX, kCounterY, counter);
    if (!why.empty()) {
        return testing::AssertionFailure() << "counter \"" << narrow(counter) << "\": " << why;
    }
    if (!area_is_white(pixels, 0, line, pixels.width, kCounterY) ||
        !area_is_white(pixels, 0, kCounterY + line, pixels.width, kSymbolY)) {
        return testing::AssertionFailure() << "something is drawn between the lines of text";
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult shows_symbol_of(const ClientPixels& pixels, const Record& expected,
                                         const std::string& name) {
    Modules shown{};
    const std::string why = read_symbol(pixels, &shown);
    if (!why.empty()) {
        return testing::AssertionFailure() << why;
    }
    // Around the symbol the window stays white, but for the preview's rectangle.
    const PixelRect preview = preview_rect();
    if (!area_is_white(pixels, 0, kSymbolY, kSymbolX, kSymbolY + kSymbolPixels) ||
        !area_is_white_outside(pixels, kSymbolX + kSymbolPixels, kSymbolY, pixels.width,
                               kSymbolY + kSymbolPixels, preview) ||
        !area_is_white_outside(pixels, 0, kSymbolY + kSymbolPixels, pixels.width, pixels.height,
                               preview)) {
        return testing::AssertionFailure() << "something is drawn around the symbol";
    }
    const DibPicture shot = screenshot_of(shown);
    const std::wstring base =
        join_path(e2e_environment().artifacts, std::wstring(name.begin(), name.end()));
    write_bmp24(base + L".bmp", shot, false);
    write_bytes(base + L".expected", std::vector<uint8_t>(expected.begin(), expected.end()));

    const Modules wanted = symbol_of(expected);
    int differing = 0;
    for (int i = 0; i < kQrCells; ++i) {
        differing += shown[i] != wanted[i];
    }
    Record decoded{};
    if (!decode_screenshot(shot, &decoded)) {
        return testing::AssertionFailure() << "the shown symbol does not decode (" << differing
                                           << " modules differ from the expected record's symbol)";
    }
    if (decoded != expected) {
        return testing::AssertionFailure()
               << "the shown symbol holds another record: " << hex_difference(expected, decoded);
    }
    if (differing != 0) {
        return testing::AssertionFailure()
               << differing << " modules differ from the expected record's symbol";
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult quiet(RunningProgram& program) {
    if (!program.settle()) {
        return testing::AssertionFailure() << "the program did not settle";
    }
    if (program.message_box_open()) {
        const MessageBoxView box = program.message_box(0);
        return testing::AssertionFailure()
               << "unexpected message box \"" << narrow(box.text) << "\"";
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult answered_message(RunningProgram& program, const std::wstring& text,
                                          const std::wstring& caption) {
    const MessageBoxView box = program.message_box();
    if (box.window == nullptr) {
        return testing::AssertionFailure()
               << "no message box appeared (expected \"" << narrow(text) << "\")";
    }
    const bool as_expected = box.text == text && box.caption == caption &&
                             box.visible_buttons == 1 && box.ok_button && !box.icon &&
                             box.owner == program.main_window();
    testing::AssertionResult result =
        as_expected ? testing::AssertionSuccess() : testing::AssertionFailure();
    if (!as_expected) {
        result << "message box \"" << narrow(box.text) << "\" captioned \"" << narrow(box.caption)
               << "\", " << box.visible_buttons << " button(s)" << (box.ok_button ? " (OK)" : "")
               << (box.icon ? ", with an icon" : "")
               << (box.owner == program.main_window() ? "" : ", not owned by the main window")
               << "; expected \"" << narrow(text) << "\" captioned \"" << narrow(caption) << "\"";
    }
    if (!dismiss_message_box(box)) {
        return testing::AssertionFailure() << "the message box did not close";
    }
    program.settle();
    return result;
}

testing::AssertionResult shows_second_design_of_picture_64x96(RunningProgram& program) {
    if (testing::AssertionResult started = program.started(); !started)
        return started;
    if (!program.choose_file_for_command(IDM_QR_FROM_IMAGE, kImageDialogTitle,
                                         data_file(L"picture_64x96.bmp")))
        return testing::AssertionFailure() << "cannot open picture_64x96.bmp";
    if (testing::AssertionResult idle = quiet(program); !idle)
        return idle;
    program.click(true);
    return testing::AssertionSuccess();
}
