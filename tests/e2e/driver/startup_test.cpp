// Start-up, the window itself, its resources and shutdown.
#include <gtest/gtest.h>

#include <string>

#include "e2e_environment.h"
#include "message_texts.h"
#include "resource_ids.h"
#include "scenario_support.h"
#include "window_layout.h"

namespace {

std::string manifest_of_program() {
    HMODULE module = LoadLibraryExW(e2e_environment().program.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) {
        return "";
    }
    std::string text;
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    if (resource != nullptr) {
        HGLOBAL loaded = LoadResource(module, resource);
        const char* bytes = static_cast<const char*>(LockResource(loaded));
        text.assign(bytes, SizeofResource(module, resource));
    }
    FreeLibrary(module);
    return text;
}

struct MenuEntry {
    std::wstring label;
    UINT id;
    bool drop_down;
};

std::vector<MenuEntry> entries_of(HMENU menu) {
    std::vector<MenuEntry> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t label[128] = {};
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_STRING | MIIM_ID | MIIM_SUBMENU;
        item.dwTypeData = label;
        item.cch = 128;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item);
        entries.push_back(
            MenuEntry{label, item.hSubMenu != nullptr ? 0 : item.wID, item.hSubMenu != nullptr});
    }
    return entries;
}

TEST(StartUp, ShowsOnlyThePlaceholderText) {
    ASSERT_TRUE(system_font_has_japanese_glyphs()) << "the font shows boxes for Japanese";
    RunningProgram program(scratch_folder(L"start"));
    ASSERT_TRUE(program.started());
    const ClientPixels pixels = program.look();
    EXPECT_TRUE(shows_texts(pixels, kPlaceholderText, L""));
    EXPECT_TRUE(symbol_area_blank(pixels));
    EXPECT_TRUE(area_is_white(pixels, 0, kSymbolY, pixels.width, pixels.height));
    EXPECT_EQ(program.close(), 0);
}

TEST(StartUp, MainWindowHasItsClassTitleSizeAndAOneLineMenuBar) {
    RunningProgram program(scratch_folder(L"start"));
    ASSERT_TRUE(program.started());
    HWND window = program.main_window();
    EXPECT_EQ(class_name_of(window), std::wstring(kMainWindowClassName));
    EXPECT_EQ(text_of(window), L"Brevane");
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, kMainWindowWidth);
    EXPECT_EQ(outer.bottom - outer.top, kMainWindowHeight);
    // A menu bar that wrapped to a second line would take a menu row off the client area.
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.bottom, kMainWindowHeight - (frame.bottom - frame.top));
    EXPECT_EQ(client.right, kMainWindowWidth - (frame.right - frame.left));
    EXPECT_EQ(program.close(), 0);
}

// One start failed at once in a clean-clone CI run. Many starts in a row, each
// the moment the previous run has ended and in a folder just emptied, show
// whether starting is reliable, and the failure message says why if it is not.
TEST(StartUp, StartsAgainTheMomentThePreviousRunHasEnded) {
    constexpr int kStarts = 25;
    for (int run = 1; run <= kStarts; ++run) {
        RunningProgram program(scratch_folder(L"restart"));
        ASSERT_TRUE(program.started()) << "start " << run << " of " << kStarts;
        ASSERT_EQ(program.close(), 0) << "run " << run;
    }
}

TEST(StartUp, MenuOffersTwoCommandsInTheBarAndThreeInADropDown) {
    HMODULE module = LoadLibraryExW(e2e_environment().program.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    HMENU menu = LoadMenuW(module, IDR_MAIN_MENU_NAME);
    ASSERT_NE(menu, nullptr);
    const std::vector<MenuEntry> bar = entries_of(menu);
    // The fourth, "画像と減色", and the fifth, "読み取り", have tests of their own.
    ASSERT_EQ(bar.size(), 5u);
    EXPECT_EQ(bar[0].label, L"QRコード作成");
    EXPECT_EQ(bar[0].id, UINT{IDM_QR_FROM_IMAGE});
    EXPECT_EQ(bar[1].label, L"キャプチャ");
    EXPECT_EQ(bar[1].id, UINT{IDM_CAPTURE});
    EXPECT_EQ(bar[2].label, L"その他");
    ASSERT_TRUE(bar[2].drop_down);
    const std::vector<MenuEntry> more = entries_of(GetSubMenu(menu, 2));
    ASSERT_EQ(more.size(), 3u);
    EXPECT_EQ(more[0].label, L"バイナリ表示");
    EXPECT_EQ(more[0].id, UINT{IDM_OPEN_DESIGN_FILE});
    EXPECT_EQ(more[1].label, L"QRコード読取");
    EXPECT_EQ(more[1].id, UINT{IDM_DECODE_SCREENSHOT});
    EXPECT_EQ(more[2].label, L"QRコード作成(メディアンカット)");
    EXPECT_EQ(more[2].id, UINT{IDM_QR_FROM_IMAGE_MEDIAN_CUT});
    DestroyMenu(menu);
    FreeLibrary(module);
}

TEST(StartUp, FourthDropDownOffersTheFittedPictureTheReductionsAndKeepingItems) {
    HMODULE module = LoadLibraryExW(e2e_environment().program.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    HMENU menu = LoadMenuW(module, IDR_MAIN_MENU_NAME);
    ASSERT_NE(menu, nullptr);
    const std::vector<MenuEntry> bar = entries_of(menu);
    ASSERT_EQ(bar.size(), 5u);
    EXPECT_EQ(bar[3].label, L"画像と減色");
    ASSERT_TRUE(bar[3].drop_down);
    HMENU drop_down = GetSubMenu(menu, 3);
    const std::vector<MenuEntry> items = entries_of(drop_down);
    const MenuEntry expected[] = {
        {L"画像を合わせて開く...", IDM_OPEN_FITTED_PICTURE, false},
        {L"", 0, false},  // the separator
        {L"マージ", IDM_REDUCE_MERGE, false},
        {L"メディアンカット", IDM_REDUCE_MEDIAN_CUT, false},
        {L"高画質", IDM_REDUCE_QUALITY, false},
        {L"ディザ", IDM_REDUCE_DITHER, false},
        {L"ディザ (つなぎ目なし)", IDM_REDUCE_DITHER_ACROSS_DESIGNS, false},
        {L"", 0, false},
        {L"QRコードを保存...\tCtrl+S", IDM_SAVE_QR_PICTURE, false},
        {L"デザインを保存...", IDM_SAVE_DESIGN_FILE, false},
        {L"すべて書き出し...", IDM_EXPORT_ALL, false},
        {L"QRコードをコピー\tCtrl+C", IDM_COPY_QR_PICTURE, false},
        {L"", 0, false},
        {L"デザインを編集...\tCtrl+E", IDM_EDIT_DESIGN, false},
        {L"名前をまとめて付ける...", IDM_NAME_DESIGNS, false},
    };
    ASSERT_EQ(items.size(), std::size(expected));
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].label, expected[i].label) << "item " << i;
        EXPECT_EQ(items[i].id, expected[i].id) << "item " << i;
    }
    EXPECT_NE(GetMenuState(drop_down, 1, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    EXPECT_NE(GetMenuState(drop_down, 7, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    EXPECT_NE(GetMenuState(drop_down, 12, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    DestroyMenu(menu);
    FreeLibrary(module);
}

TEST(StartUp, FifthDropDownReadsQrCodesFromAPictureTheScreenOrTheClipboard) {
    HMODULE module = LoadLibraryExW(e2e_environment().program.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    HMENU menu = LoadMenuW(module, IDR_MAIN_MENU_NAME);
    ASSERT_NE(menu, nullptr);
    const std::vector<MenuEntry> bar = entries_of(menu);
    ASSERT_EQ(bar.size(), 5u);
    EXPECT_EQ(bar[4].label, L"読み取り");
    ASSERT_TRUE(bar[4].drop_down);
    const std::vector<MenuEntry> items = entries_of(GetSubMenu(menu, 4));
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].label, L"画像からQRコードを読み取る...");
    EXPECT_EQ(items[0].id, UINT{IDM_SCAN_PICTURE});
    EXPECT_EQ(items[1].label, L"画面からQRコードを読み取る");
    EXPECT_EQ(items[1].id, UINT{IDM_SCAN_SCREEN});
    EXPECT_EQ(items[2].label, L"クリップボードからQRコードを読み取る");
    EXPECT_EQ(items[2].id, UINT{IDM_SCAN_CLIPBOARD});
    DestroyMenu(menu);
    FreeLibrary(module);
}

TEST(StartUp, ManifestAsksForInvokerRightsAndDpiAwareness) {
    const std::string manifest = manifest_of_program();
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
}

}  // namespace
