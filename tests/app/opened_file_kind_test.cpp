// Which dropped or command-line files open as design files, which as pictures.
#include "opened_file_kind.h"

#include <gtest/gtest.h>

namespace {

OpenedFileKind kind(const wchar_t* path, const char* head, size_t count) {
    return kind_of_opened_file(path, reinterpret_cast<const uint8_t*>(head), count);
}

TEST(OpenedFileKind, DesignFilesByTheLastComponentsExtensionInAnyCase) {
    EXPECT_EQ(kind(L"C:\\a\\design.dat", "", 0), OpenedFileKind::design_file);
    EXPECT_EQ(kind(L"Z:\\tmp\\DESIGN.DaT", "BM", 2), OpenedFileKind::design_file);
    EXPECT_EQ(kind(L"design.dat", "", 0), OpenedFileKind::design_file);
    EXPECT_EQ(kind(L"C:\\x.dat\\picture", "BM", 2), OpenedFileKind::picture);
    EXPECT_EQ(kind(L"C:\\a\\design.dat.txt", "", 0), OpenedFileKind::unknown);
    EXPECT_EQ(kind(L"C:\\a\\dat", "", 0), OpenedFileKind::unknown);
}

TEST(OpenedFileKind, PicturesByTheirFirstBytesWhateverTheirName) {
    const char png[] = "\x89PNG\r\n\x1a\n";
    EXPECT_EQ(kind(L"a.txt", png, 8), OpenedFileKind::picture);
    EXPECT_EQ(kind(L"a", "\xFF\xD8\xFF\xE0", 4), OpenedFileKind::picture);
    EXPECT_EQ(kind(L"a.png", "BM", 2), OpenedFileKind::picture);
    // Cut signatures and near misses are not pictures.
    EXPECT_EQ(kind(L"a.png", png, 7), OpenedFileKind::unknown);
    EXPECT_EQ(kind(L"a.jpg", "\xFF\xD8", 2), OpenedFileKind::unknown);
    EXPECT_EQ(kind(L"a.bmp", "B", 1), OpenedFileKind::unknown);
    EXPECT_EQ(kind(L"a.bmp", "bm", 2), OpenedFileKind::unknown);
    EXPECT_EQ(kind(L"a.bmp", "", 0), OpenedFileKind::unknown);
}

}  // namespace
