// The window on a 192-DPI display. Wine takes its DPI from the prefix's
// LogPixels, so this scenario runs alone in a prefix of its own
// (tests/e2e/run_high_dpi.sh); the 96-DPI runs leave it out.
#include <gtest/gtest.h>

#include "cli_program.h"
#include "e2e_environment.h"
#include "message_texts.h"
#include "resource_ids.h"
#include "scenario_support.h"

namespace {

constexpr int kHighDpi = 192;

// The window's text font as the window makes it at the layout's DPI.
HFONT create_text_font(const WindowLayout& layout) {
    LOGFONTW font{};
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof font, &font);
    font.lfHeight = layout.text_line_height;
    font.lfWidth = 0;
    return CreateFontIndirectW(&font);
}

testing::AssertionResult heading_whole(const ClientPixels& pixels, const WindowLayout& layout,
                                       const std::wstring& heading) {
    HFONT font = create_text_font(layout);
    HDC screen = GetDC(nullptr);
    const HGDIOBJ original = SelectObject(screen, font);
    SIZE extent{};
    GetTextExtentPoint32W(screen, heading.c_str(), static_cast<int>(heading.size()), &extent);
    SelectObject(screen, original);
    ReleaseDC(nullptr, screen);
    const std::string why =
        compare_text_line(pixels, layout.heading.x, layout.heading.y, heading, font);
    DeleteObject(font);
    if (!why.empty()) {
        return testing::AssertionFailure() << "heading: " << why;
    }
    if (layout.heading.x + extent.cx > pixels.width ||
        layout.heading.y + extent.cy > layout.counter.y) {
        return testing::AssertionFailure()
               << "the heading of " << extent.cx << " x " << extent.cy << " pixels does not fit";
    }
    return testing::AssertionSuccess();
}

TEST(HighDpi, At192DpiTheWindowDoublesAndItsSymbolStaysCrispAndReadable) {
    // The driver sees the program's physical pixels, as the program draws them.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    ASSERT_EQ(static_cast<int>(GetDpiForSystem()), kHighDpi) << "the prefix's LogPixels";
    const WindowLayout layout = window_layout_at(kHighDpi);

    RunningProgram program(scratch_folder(L"high_dpi"));
    ASSERT_TRUE(program.started());
    RECT outer{};
    GetWindowRect(program.main_window(), &outer);
    EXPECT_EQ(outer.right - outer.left, 800);
    EXPECT_EQ(outer.bottom - outer.top, 720);

    const std::wstring picture = data_file(L"picture_64x96.bmp");
    ASSERT_TRUE(program.choose_file_for_command(IDM_QR_FROM_IMAGE, kImageDialogTitle, picture));
    ASSERT_TRUE(quiet(program));
    const ClientPixels pixels = program.look();
    EXPECT_TRUE(heading_whole(pixels, layout, kImageHeading));

    // Every 4 x 4 block of the symbol is one module, black or white.
    Modules shown{};
    ASSERT_EQ(read_symbol(pixels, &shown, {layout.symbol.x, layout.symbol.y, layout.module_pixels}),
              "");
    const Record expected = record_of_design(read_bmp24(picture), 0, 0, ReductionKind::merge);
    EXPECT_TRUE(shown == symbol_of(expected));

    // Redrawn into a 400 x 240 screenshot, the modules are read exactly by our
    // decoder, by brevane-cli decode and (after the run) by zbar.
    const DibPicture shot = screenshot_of(shown);
    const std::wstring base = join_path(e2e_environment().artifacts, L"high_dpi_design_1");
    ASSERT_TRUE(write_bmp24(base + L".bmp", shot, false));
    ASSERT_TRUE(write_bytes(base + L".expected", {expected.begin(), expected.end()}));
    Record decoded{};
    ASSERT_TRUE(decode_screenshot(shot, &decoded));
    EXPECT_EQ(decoded, expected);
    const std::wstring out = join_path(scratch_folder(L"high_dpi_cli"), L"design.dat");
    ASSERT_EQ(run_cli_program(L"decode \"" + base + L".bmp\" -o \"" + out + L"\""), 0);
    EXPECT_EQ(read_bytes(out), std::vector<uint8_t>(expected.begin(), expected.end()));
    EXPECT_EQ(program.close(), 0);
}

}  // namespace
