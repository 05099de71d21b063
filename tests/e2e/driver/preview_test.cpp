// The preview beside the symbol: a converted design and a design file, the
// latter damaged as well, each read back from the screen against its record.
#include <gtest/gtest.h>

#include "design_record.h"
#include "e2e_environment.h"
#include "message_texts.h"
#include "palette.h"
#include "preview_check.h"
#include "resource_ids.h"
#include "scenario_support.h"

namespace {

TEST(Preview, ConvertedDesignsShowTheirRecordBesideTheSymbol) {
    const DibPicture picture = read_bmp24(data_file(L"picture_64x96.bmp"));
    ASSERT_EQ(picture.width, 64);
    RunningProgram program(scratch_folder(L"preview"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(program.choose_file_for_command(IDM_QR_FROM_IMAGE, kImageDialogTitle,
                                                data_file(L"picture_64x96.bmp")));
    ASSERT_TRUE(quiet(program));
    for (int design = 0; design < 2; ++design) {
        const Record record = record_of_design(picture, design, 0, ReductionKind::merge);
        const ClientPixels pixels = program.look();
        EXPECT_TRUE(shows_symbol_of(pixels, record, "preview_design_" + std::to_string(design)));
        EXPECT_TRUE(shows_preview_of(pixels, record)) << "design " << design;
        program.click(true);
    }
    EXPECT_EQ(program.close(), 0);
}

TEST(Preview, DesignFilesShowTheirBytesWithDamagedCodesAndNibblesMarked) {
    const std::wstring folder = scratch_folder(L"preview");
    // Random bytes: codes that are no palette colour and nibbles of 15 among valid ones.
    const Record damaged = random_record(200);
    int marked_codes = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        Rgb colour{};
        marked_codes += palette_colour(damaged[kPaletteCodesOffset + slot], &colour) != 0;
    }
    ASSERT_GT(marked_codes, 0);
    ASSERT_LT(marked_codes, kSlotCount);
    const std::wstring path = join_path(folder, L"damaged.dat");
    ASSERT_TRUE(write_bytes(path, std::vector<uint8_t>(damaged.begin(), damaged.end())));
    RunningProgram program(folder);
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(
        program.choose_file_for_command(IDM_OPEN_DESIGN_FILE, kDesignFileDialogTitle, path));
    ASSERT_TRUE(quiet(program));
    const ClientPixels pixels = program.look();
    EXPECT_TRUE(shows_texts(pixels, kDesignFileHeading, L""));
    EXPECT_TRUE(shows_symbol_of(pixels, damaged, "preview_damaged_file"));
    EXPECT_TRUE(shows_preview_of(pixels, damaged));
    EXPECT_EQ(program.close(), 0);
}

}  // namespace
