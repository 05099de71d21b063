// The catalogue of bad inputs (tests/data/bad) in the window: every picture is
// ignored quietly, or said to be too large when that is why it is refused, and every screenshot of
// the wrong size gets its message, with the state unchanged; a design file of the wrong size shows
// its first bytes (at most 620) over the previous record; the program answers throughout.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "cli_program.h"
#include "e2e_environment.h"
#include "message_texts.h"
#include "picture_reader.h"
#include "resource_ids.h"
#include "scenario_support.h"

namespace {

// Whether the one reader refuses the file for the size its header states.
bool refused_for_size(const std::wstring& path) {
    const std::vector<uint8_t> bytes = read_bytes(path);
    Picture image;
    PictureRefusal refusal;
    return read_picture(bytes.data(), bytes.size(), &image, &refusal) != 0 &&
           refusal.error == PictureError::kTooLarge;
}

bool starts_with(const std::wstring& text, const std::wstring& prefix) {
    return text.rfind(prefix, 0) == 0;
}

TEST(BadInputs, WindowRefusesEveryCataloguedFileAndKeepsItsState) {
    const std::wstring catalogue = path_from_environment(L"BREVANE_BAD_INPUTS");
    ASSERT_FALSE(catalogue.empty()) << "BREVANE_BAD_INPUTS is not set";
    const std::vector<std::wstring> files = files_in_folder(catalogue);
    ASSERT_FALSE(files.empty());
    const DibPicture picture = read_bmp24(data_file(L"picture_64x96.bmp"));
    const Record second = record_of_design(picture, 1, 0, ReductionKind::merge);

    RunningProgram program(scratch_folder(L"bad_inputs"));
    ASSERT_TRUE(shows_second_design_of_picture_64x96(program));
    const ClientPixels before = program.look();
    ASSERT_TRUE(shows_symbol_of(before, second, "bad_inputs_before"));

    int pictures = 0;
    for (const std::wstring& name : files) {
        const std::wstring path = join_path(catalogue, name);
        const std::string label(name.begin(), name.end());
        if (starts_with(name, L"picture_")) {
            ++pictures;
            ASSERT_TRUE(program.choose_file_for_command(IDM_QR_FROM_IMAGE, kImageDialogTitle, path))
                << label;
            // A picture refused for its size alone is said to be too large; the rest end quietly.
            if (refused_for_size(path)) {
                EXPECT_TRUE(answered_message(program, kPictureTooLargeMessage, kErrorCaption))
                    << label;
            }
            EXPECT_TRUE(quiet(program)) << label;
        } else if (starts_with(name, L"shot_")) {
            ASSERT_TRUE(program.choose_file_for_command(IDM_DECODE_SCREENSHOT,
                                                        kScreenshotDialogTitle, path))
                << label;
            EXPECT_TRUE(answered_message(program, kScreenshotSizeMessage, kErrorCaption)) << label;
            EXPECT_TRUE(quiet(program)) << label;
        } else {
            continue;  // the design files come last, below
        }
        EXPECT_TRUE(program.look() == before) << label << " changed what the window shows";
    }
    EXPECT_GT(pictures, 0);
    EXPECT_FALSE(file_exists(join_path(catalogue, L"output.dat")));
    // The grid and the indices stayed: the next click shows design 3.
    program.click(true);
    EXPECT_TRUE(shows_symbol_of(program.look(), record_of_design(picture, 0, 1, ReductionKind::merge),
                                "bad_inputs_design_3_after"));

    // Each design file overwrites the start of the record, up to 620 bytes.
    Record expected = record_of_design(picture, 0, 1, ReductionKind::merge);
    for (const std::wstring& name : files) {
        if (!starts_with(name, L"design_")) {
            continue;
        }
        const std::wstring path = join_path(catalogue, name);
        const std::string label(name.begin(), name.end());
        const std::vector<uint8_t> bytes = read_bytes(path);
        std::copy_n(bytes.begin(), std::min(bytes.size(), expected.size()), expected.begin());
        ASSERT_TRUE(
            program.choose_file_for_command(IDM_OPEN_DESIGN_FILE, kDesignFileDialogTitle, path))
            << label;
        EXPECT_TRUE(quiet(program)) << label;
        const ClientPixels pixels = program.look();
        EXPECT_TRUE(shows_texts(pixels, kDesignFileHeading, L"")) << label;
        EXPECT_TRUE(shows_symbol_of(pixels, expected, "bad_inputs_" + label)) << label;
    }
    EXPECT_TRUE(quiet(program));
    EXPECT_EQ(program.close(), 0);
}

}  // namespace
