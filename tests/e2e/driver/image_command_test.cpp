// Commands 102 and 103 and the stepping clicks.
#include <gtest/gtest.h>

#include "e2e_environment.h"
#include "message_texts.h"
#include "resource_ids.h"
#include "scenario_support.h"

namespace {

constexpr int kColumns = 2;  // picture_64x96.bmp
constexpr int kRows = 3;
constexpr int kDesigns = kColumns * kRows;

class ImageCommand : public testing::Test {
  protected:
    void SetUp() override {
        picture_ = read_bmp24(data_file(L"picture_64x96.bmp"));
        ASSERT_EQ(picture_.width, 64);
        ASSERT_EQ(picture_.height, 96);
    }

    // Record of design `number` (1-based, row-major) of the 64 x 96 picture.
    Record design(int number, ReductionKind quantizer = ReductionKind::merge) const {
        const int index = number - 1;
        return record_of_design(picture_, index % kColumns, index / kColumns, quantizer);
    }

    static bool open_image(RunningProgram& program, const std::wstring& path,
                           int command = IDM_QR_FROM_IMAGE) {
        return program.choose_file_for_command(command, kImageDialogTitle, path);
    }

    // The window shows design `number` of the 64 x 96 grid with its counter.
    testing::AssertionResult shows_design(RunningProgram& program, int number,
                                          const std::string& name,
                                          ReductionKind quantizer = ReductionKind::merge) const {
        const ClientPixels pixels = program.look();
        testing::AssertionResult texts =
            shows_texts(pixels, kImageHeading, counter_text(number, kDesigns));
        if (!texts) {
            return texts;
        }
        return shows_symbol_of(pixels, design(number, quantizer), name);
    }

    DibPicture picture_;
};

TEST_F(ImageCommand, LeftClicksStepThroughAllDesignsAndWrapRightClickGoesBack) {
    RunningProgram program(scratch_folder(L"images"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(open_image(program, data_file(L"picture_64x96.bmp")));
    ASSERT_TRUE(quiet(program));
    EXPECT_TRUE(shows_design(program, 1, "image_design_1"));
    for (int number = 2; number <= kDesigns; ++number) {
        program.click(true);
        EXPECT_TRUE(shows_design(program, number, "image_design_" + std::to_string(number)))
            << "design " << number;
    }
    program.click(true);
    EXPECT_TRUE(shows_design(program, 1, "image_design_1_again"));
    program.click(false);
    EXPECT_TRUE(shows_design(program, kDesigns, "image_design_6_backward"));
    program.click(false);
    EXPECT_TRUE(shows_design(program, kDesigns - 1, "image_design_5_backward"));
    EXPECT_EQ(program.close(), 0);
}

TEST_F(ImageCommand, RealMouseClickOnTheWindowSteps) {
    RunningProgram program(scratch_folder(L"images"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(open_image(program, data_file(L"picture_64x96.bmp")));
    ASSERT_TRUE(quiet(program));
    POINT point{300, 300};
    ClientToScreen(program.main_window(), &point);
    SetCursorPos(point.x, point.y);
    INPUT clicks[2] = {};
    clicks[0].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].type = INPUT_MOUSE;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(2, clicks, sizeof(INPUT)), 2u);
    const std::wstring second = counter_text(2, kDesigns);
    EXPECT_TRUE(wait_until(
        [&] {
            program.settle();
            return shows_texts(program.look(), kImageHeading, second);
        },
        10000));
    EXPECT_TRUE(shows_design(program, 2, "image_design_2_by_mouse"));
    EXPECT_EQ(program.close(), 0);
}

TEST_F(ImageCommand, SingleDesignHasNoCounterAndIgnoresClicks) {
    const DibPicture small = read_bmp24(data_file(L"picture_32x32.bmp"));
    ASSERT_EQ(small.width, 32);
    RunningProgram program(scratch_folder(L"images"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(open_image(program, data_file(L"picture_32x32.bmp")));
    ASSERT_TRUE(quiet(program));
    const ClientPixels before = program.look();
    EXPECT_TRUE(shows_texts(before, kImageHeading, L""));
    EXPECT_TRUE(
        shows_symbol_of(before, record_of_design(small, 0, 0, ReductionKind::merge), "image_32x32"));
    program.click(true);
    program.click(false);
    EXPECT_TRUE(program.look() == before);
    EXPECT_EQ(program.close(), 0);
}

TEST_F(ImageCommand, WrongSizeIsRefusedAndKeepsThePreviousImageAndGrid) {
    RunningProgram program(scratch_folder(L"images"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(open_image(program, data_file(L"picture_64x96.bmp")));
    ASSERT_TRUE(quiet(program));
    program.click(true);
    program.click(true);
    const ClientPixels before = program.look();
    ASSERT_TRUE(shows_design(program, 3, "image_design_3_before_refusal"));

    ASSERT_TRUE(open_image(program, data_file(L"picture_100x64.bmp")));
    EXPECT_TRUE(answered_message(program, kImageSizeMessage, kErrorCaption));
    EXPECT_TRUE(quiet(program));
    EXPECT_TRUE(program.look() == before);
    program.click(true);
    EXPECT_TRUE(shows_design(program, 4, "image_design_4_after_refusal"));
    EXPECT_EQ(program.close(), 0);
}

TEST_F(ImageCommand, DamagedFileIsIgnoredQuietly) {
    RunningProgram program(scratch_folder(L"images"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(open_image(program, data_file(L"picture_64x96.bmp")));
    ASSERT_TRUE(quiet(program));
    program.click(true);
    const ClientPixels before = program.look();
    ASSERT_TRUE(open_image(program, data_file(L"picture_truncated.bmp")));
    EXPECT_TRUE(quiet(program));
    EXPECT_TRUE(program.look() == before);
    program.click(true);
    EXPECT_TRUE(shows_design(program, 3, "image_design_3_after_damaged_file"));
    EXPECT_EQ(program.close(), 0);
}

TEST_F(ImageCommand, OtherDepthsAndTopDownRowsConvertLikeTheirTwentyFourBitTwin) {
    const std::wstring folder = scratch_folder(L"images");
    const std::wstring top_down = join_path(folder, L"picture_64x96_top_down.bmp");
    ASSERT_TRUE(write_bmp24(top_down, picture_, true));
    const std::wstring twins[] = {data_file(L"picture_64x96_8bit.bmp"),
                                  data_file(L"picture_64x96_rle8.bmp"),
                                  data_file(L"picture_64x96_32bit.bmp"), top_down};
    int twin_number = 0;
    for (const std::wstring& twin : twins) {
        ++twin_number;
        RunningProgram program(folder);
        ASSERT_TRUE(program.started());
        ASSERT_TRUE(open_image(program, twin));
        ASSERT_TRUE(quiet(program));
        const std::string name = "image_twin_" + std::to_string(twin_number);
        EXPECT_TRUE(shows_design(program, 1, name + "_design_1")) << "twin " << twin_number;
        program.click(false);
        EXPECT_TRUE(shows_design(program, kDesigns, name + "_design_6")) << "twin " << twin_number;
        EXPECT_EQ(program.close(), 0);
    }
}

TEST_F(ImageCommand, MedianCutCommandUsesTheMedianCutUntilThePlainCommand) {
    ASSERT_NE(design(1, ReductionKind::median_cut), design(1, ReductionKind::merge))
        << "the picture must tell the quantisers apart";
    RunningProgram program(scratch_folder(L"images"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(open_image(program, data_file(L"picture_64x96.bmp"), IDM_QR_FROM_IMAGE_MEDIAN_CUT));
    ASSERT_TRUE(quiet(program));
    EXPECT_TRUE(shows_design(program, 1, "median_cut_design_1", ReductionKind::median_cut));
    program.click(true);
    EXPECT_TRUE(shows_design(program, 2, "median_cut_design_2", ReductionKind::median_cut));

    ASSERT_TRUE(open_image(program, data_file(L"picture_64x96.bmp")));
    ASSERT_TRUE(quiet(program));
    EXPECT_TRUE(shows_design(program, 1, "merge_after_median_cut"));
    EXPECT_EQ(program.close(), 0);
}

}  // namespace
