// The reduction menu (111 to 114) through stepping and commands 102 and 103:
// which quantiser converts the design on show.
#include <gtest/gtest.h>

#include "e2e_environment.h"
#include "message_texts.h"
#include "preview_check.h"
#include "resource_ids.h"
#include "scenario_support.h"

namespace {

constexpr int kColumns = 2;  // picture_64x96.bmp
constexpr int kDesigns = 6;

class ReductionMenu : public testing::Test {
  protected:
    void SetUp() override {
        picture_ = read_bmp24(data_file(L"picture_64x96.bmp"));
        ASSERT_EQ(picture_.width, 64);
        // The designs the scenario checks must tell the reductions apart.
        for (const ReductionKind other : {ReductionKind::quality, ReductionKind::dither}) {
            for (int number : {2, 3, 6}) {
                ASSERT_NE(record(number, other), record(number, ReductionKind::merge)) << number;
            }
        }
    }

    Record record(int number, ReductionKind quantizer) const {
        const int index = number - 1;
        return record_of_design(picture_, index % kColumns, index / kColumns, quantizer);
    }

    static void pick(RunningProgram& program, int item) {
        PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(item, 0), 0);
        program.settle();
    }

    static bool open_image(RunningProgram& program, int command) {
        return program.choose_file_for_command(command, kImageDialogTitle,
                                               data_file(L"picture_64x96.bmp"));
    }

    // The window shows design `number` converted with `quantizer`, symbol and preview.
    testing::AssertionResult shows(RunningProgram& program, int number, ReductionKind quantizer,
                                   const std::string& name) const {
        const Record expected = record(number, quantizer);
        const ClientPixels pixels = program.look();
        testing::AssertionResult texts =
            shows_texts(pixels, kImageHeading, counter_text(number, kDesigns));
        if (!texts) {
            return texts;
        }
        testing::AssertionResult symbol = shows_symbol_of(pixels, expected, name);
        if (!symbol) {
            return symbol;
        }
        return shows_preview_of(pixels, expected);
    }

    DibPicture picture_;
};

TEST_F(ReductionMenu,
       ChoiceHoldsThroughSteppingYieldsToTheMedianCutFlagAndResetsOnThePlainCommand) {
    RunningProgram program(scratch_folder(L"reduction"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(open_image(program, IDM_QR_FROM_IMAGE));
    ASSERT_TRUE(quiet(program));
    program.click(true);
    EXPECT_TRUE(shows(program, 2, ReductionKind::merge, "reduction_merge_2"));

    // Picking converts the design on show again, and stepping keeps the choice.
    pick(program, IDM_REDUCE_QUALITY);
    EXPECT_TRUE(shows(program, 2, ReductionKind::quality, "reduction_quality_2"));
    program.click(true);
    EXPECT_TRUE(shows(program, 3, ReductionKind::quality, "reduction_quality_3"));

    // Command 103 sets the flag: the median cut runs whatever the choice.
    ASSERT_TRUE(open_image(program, IDM_QR_FROM_IMAGE_MEDIAN_CUT));
    ASSERT_TRUE(quiet(program));
    EXPECT_TRUE(shows(program, 1, ReductionKind::median_cut, "reduction_flag_1"));
    program.click(false);
    EXPECT_TRUE(shows(program, 6, ReductionKind::median_cut, "reduction_flag_6"));

    // Picking clears the flag.
    pick(program, IDM_REDUCE_DITHER);
    EXPECT_TRUE(shows(program, 6, ReductionKind::dither, "reduction_dither_6"));
    pick(program, IDM_REDUCE_MEDIAN_CUT);
    EXPECT_TRUE(shows(program, 6, ReductionKind::median_cut, "reduction_median_6"));
    pick(program, IDM_REDUCE_DITHER);

    // Command 102 resets the choice to the merge quantiser.
    ASSERT_TRUE(open_image(program, IDM_QR_FROM_IMAGE));
    ASSERT_TRUE(quiet(program));
    EXPECT_TRUE(shows(program, 1, ReductionKind::merge, "reduction_reset_1"));
    program.click(true);
    EXPECT_TRUE(shows(program, 2, ReductionKind::merge, "reduction_reset_2"));
    EXPECT_EQ(program.close(), 0);
}

TEST_F(ReductionMenu, PickingWhileADesignFileIsShownConvertsNothing) {
    const std::wstring folder = scratch_folder(L"reduction");
    const Record record = random_record(300);
    const std::wstring path = join_path(folder, L"design.dat");
    ASSERT_TRUE(write_bytes(path, std::vector<uint8_t>(record.begin(), record.end())));
    RunningProgram program(folder);
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(open_image(program, IDM_QR_FROM_IMAGE));
    ASSERT_TRUE(quiet(program));
    ASSERT_TRUE(
        program.choose_file_for_command(IDM_OPEN_DESIGN_FILE, kDesignFileDialogTitle, path));
    ASSERT_TRUE(quiet(program));
    const ClientPixels before = program.look();
    pick(program, IDM_REDUCE_QUALITY);
    EXPECT_TRUE(quiet(program));
    EXPECT_TRUE(program.look() == before);
    EXPECT_TRUE(shows_symbol_of(before, record, "reduction_design_file"));
    EXPECT_EQ(program.close(), 0);
}

}  // namespace
