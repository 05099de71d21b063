// Command 104: the design-count dialog, the overlay's crosshair and band, and
// the designs taken from a region of the screen, driven with the real pointer
// over a picture that the driver shows itself.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "capture_support.h"
#include "design_renderings.h"
#include "e2e_environment.h"
#include "message_texts.h"
#include "palette.h"
#include "resource_ids.h"
#include "scenario_support.h"
#include "screen_picture.h"

namespace {

// The driver's picture: 256 x 128 pixels of uniform 8 x 8 blocks in 12 colours
// of the fixed palette, so that every design of it keeps its colours exactly.
// It lies well away from the main window, which opens at the top left.
constexpr int kBlock = 8;
constexpr int kPictureWidth = 256;
constexpr int kPictureHeight = 128;
constexpr int kPictureX = 640;
constexpr int kPictureY = 512;
constexpr uint32_t kBlockColours[] = {0xFF0000, 0x0000FF, 0x00FF00, 0xFFFF00, 0xCE00FF, 0x00CFFF,
                                      0xFF6500, 0x008A31, 0x6300FF, 0x8C2021, 0x313031, 0xFFCF63};
constexpr uint32_t kBlockSeed = 104;
constexpr uint32_t kInvert = 0xFFFFFF;
// Where the pointer waits while the overlay comes up: a crosshair there
// crosses nothing of the picture.
constexpr int kParkX = 4;
constexpr int kParkY = 760;
constexpr int kScreenTimeoutMs = 5000;
constexpr int kMaxDesigns = 40;

struct ScreenPoint {
    int x;
    int y;
};

// A horizontal or vertical line from (x0, y0) towards (x1, y1), without its end point.
struct Segment {
    int x0;
    int y0;
    int x1;
    int y1;
};

int sign(int value) {
    return (value > 0) - (value < 0);
}

DibPicture block_picture() {
    std::mt19937 random(kBlockSeed);
    std::uniform_int_distribution<int> pick(0, std::size(kBlockColours) - 1);
    DibPicture picture = uniform_picture(kPictureWidth, kPictureHeight, 0);
    for (int by = 0; by < kPictureHeight / kBlock; ++by) {
        for (int bx = 0; bx < kPictureWidth / kBlock; ++bx) {
            const DibPicture block = uniform_picture(kBlock, kBlock, kBlockColours[pick(random)]);
            for (int y = 0; y < kBlock; ++y) {
                for (int x = 0; x < kBlock; ++x) {
                    const int stored_row = kPictureHeight - 1 - (by * kBlock + y);
                    uint8_t* pixel =
                        &picture.rows[static_cast<size_t>(picture.stride()) * stored_row +
                                      3 * static_cast<size_t>(bx * kBlock + x)];
                    const uint8_t* colour = &block.rows[3 * static_cast<size_t>(x)];
                    std::copy_n(colour, 3, pixel);
                }
            }
        }
    }
    return picture;
}

// The picture with every pixel under an odd number of segments inverted, as
// XOR strokes leave it; `left`, `top` is the picture's place on the screen.
ClientPixels with_segments_inverted(ClientPixels pixels, int left, int top,
                                    const std::vector<Segment>& segments) {
    std::vector<int> hits(pixels.rgb.size(), 0);
    for (const Segment& s : segments) {
        const int steps = std::max(std::abs(s.x1 - s.x0), std::abs(s.y1 - s.y0));
        for (int i = 0; i < steps; ++i) {
            const int x = s.x0 + sign(s.x1 - s.x0) * i - left;
            const int y = s.y0 + sign(s.y1 - s.y0) * i - top;
            if (x >= 0 && x < pixels.width && y >= 0 && y < pixels.height) {
                ++hits[static_cast<size_t>(y) * pixels.width + x];
            }
        }
    }
    for (size_t i = 0; i < hits.size(); ++i) {
        if (hits[i] % 2 != 0) {
            pixels.rgb[i] ^= kInvert;
        }
    }
    return pixels;
}

std::vector<Segment> crosshair_at(ScreenPoint p) {
    return {{p.x, 0, p.x, GetSystemMetrics(SM_CYSCREEN)},
            {0, p.y, GetSystemMetrics(SM_CXSCREEN), p.y}};
}

// The band from a to b: its edges and the borders between its designs, for a
// band that the grid splits into whole pixels.
std::vector<Segment> band_from(ScreenPoint a, ScreenPoint b, int columns, int rows) {
    EXPECT_EQ((b.x - a.x) % columns, 0);
    EXPECT_EQ((b.y - a.y) % rows, 0);
    std::vector<Segment> lines;
    for (int i = 0; i <= columns; ++i) {
        const int x = a.x + (b.x - a.x) / columns * i;
        lines.push_back({x, a.y, x, b.y});
    }
    for (int j = 0; j <= rows; ++j) {
        const int y = a.y + (b.y - a.y) / rows * j;
        lines.push_back({a.x, y, b.x, y});
    }
    return lines;
}

// The record of a design that is `colour` all over.
Record uniform_record(uint32_t colour) {
    return record_of_design(uniform_picture(kTileSide, kTileSide, colour), 0, 0, ReductionKind::merge);
}

uint8_t code_of(uint32_t colour) {
    return nearest_palette_code(Rgb{static_cast<uint8_t>(colour >> 16),
                                    static_cast<uint8_t>(colour >> 8),
                                    static_cast<uint8_t>(colour)});
}

class ScreenCapture : public testing::Test {
  protected:
    void TearDown() override { release_button_and_shift(); }

    void show_picture(const DibPicture& picture) {
        picture_ = picture;
        shown_ = std::make_unique<ScreenPicture>(picture_, kPictureX, kPictureY);
        ASSERT_TRUE(shown_->shown()) << "the driver's picture is not on the screen";
        ASSERT_TRUE(move_pointer(kParkX, kParkY));
    }

    // Both designs of a 2 x 1 capture of `region`, stepping from the first to
    // the second with a left click, converted with the merge quantiser.
    static void expect_two_designs_of(RunningProgram& program, const DibPicture& region,
                                      const std::string& name) {
        EXPECT_TRUE(shows_design(program, 1, 2, record_of_design(region, 0, 0, ReductionKind::merge),
                                 name + "_design_1"));
        program.click(true);
        EXPECT_TRUE(shows_design(program, 2, 2, record_of_design(region, 1, 0, ReductionKind::merge),
                                 name + "_design_2"));
    }

    static ScreenPoint on_picture(int x, int y) {
        return ScreenPoint{kPictureX + x, kPictureY + y};
    }

    // Command 104 with the grid chosen and OK pressed: the overlay once it has
    // painted the frozen screen, or nullptr.
    static HWND start_capture(RunningProgram& program, int columns, int rows) {
        HWND dialog = open_design_count_dialog(program);
        if (dialog == nullptr) {
            return nullptr;
        }
        choose_grid(dialog, columns, rows);
        click_dialog_button(dialog, IDOK);
        if (!dialog_closed(dialog)) {
            return nullptr;
        }
        return wait_for_overlay(program);
    }

    // A whole capture: the grid, then a drag from `from` to `to` with the real pointer.
    static testing::AssertionResult capture_by_drag(RunningProgram& program, int columns, int rows,
                                                    ScreenPoint from, ScreenPoint to) {
        HWND overlay = start_capture(program, columns, rows);
        if (overlay == nullptr) {
            return testing::AssertionFailure() << "the overlay did not come up";
        }
        if (!move_pointer(from.x, from.y) || !press_left_button() ||
            !move_pointer((from.x + to.x) / 2, (from.y + to.y) / 2) || !move_pointer(to.x, to.y) ||
            !release_left_button()) {
            return testing::AssertionFailure() << "the pointer did not do as it was told";
        }
        if (!main_window_back(program, overlay)) {
            return testing::AssertionFailure() << "the main window did not come back";
        }
        return testing::AssertionSuccess();
    }

    // Waits until the screen over the picture shows it marked with the
    // segments. A named screen is also kept as a BMP file in the scratch folder.
    testing::AssertionResult picture_marked(const std::vector<Segment>& segments,
                                            const std::string& name) const {
        const ClientPixels wanted =
            with_segments_inverted(pixels_of(picture_), kPictureX, kPictureY, segments);
        ClientPixels seen;
        const bool matched = wait_until(
            [&] {
                seen = read_screen(kPictureX, kPictureY, picture_.width, picture_.height);
                return seen == wanted;
            },
            kScreenTimeoutMs);
        if (!name.empty() || !matched) {
            const std::string file =
                (name.empty() ? "overlay" : name) + (matched ? "" : "_mismatch");
            const ClientPixels screen =
                read_screen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
            write_bmp24(join_path(e2e_environment().scratch,
                                  std::wstring(file.begin(), file.end()) + L".bmp"),
                        picture_of(screen), false);
        }
        if (matched) {
            return testing::AssertionSuccess();
        }
        int differing = 0;
        int first = -1;
        for (size_t i = 0; i < wanted.rgb.size(); ++i) {
            if (seen.rgb[i] != wanted.rgb[i]) {
                first = first < 0 ? static_cast<int>(i) : first;
                ++differing;
            }
        }
        return testing::AssertionFailure()
               << differing << " pixels of the picture differ from the marks expected, first at ("
               << first % picture_.width << ", " << first / picture_.width
               << "): " << hex_colour(seen.rgb[first]) << " instead of "
               << hex_colour(wanted.rgb[first]);
    }

    // The window shows design `number` of `count` with the symbol of `expected`.
    static testing::AssertionResult shows_design(RunningProgram& program, int number, int count,
                                                 const Record& expected, const std::string& name) {
        const ClientPixels pixels = program.look();
        testing::AssertionResult texts =
            shows_texts(pixels, kImageHeading, count > 1 ? counter_text(number, count) : L"");
        if (!texts) {
            return texts;
        }
        return shows_symbol_of(pixels, expected, name);
    }

    DibPicture picture_;
    std::unique_ptr<ScreenPicture> shown_;
};

TEST_F(ScreenCapture, OneToOneDragShowsCrosshairBandAndBothDesignsOfTheRegion) {
    show_picture(block_picture());
    RunningProgram program(scratch_folder(L"capture"));
    ASSERT_TRUE(program.started());
    HWND overlay = start_capture(program, 2, 1);
    ASSERT_NE(overlay, nullptr);
    EXPECT_FALSE(IsWindowVisible(program.main_window()));
    RECT area{};
    GetWindowRect(overlay, &area);
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, 0);
    EXPECT_EQ(area.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(area.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(picture_marked({}, "")) << "the overlay shows the frozen screen unmarked";

    const ScreenPoint anchor = on_picture(64, 32);
    const ScreenPoint corner = on_picture(128, 64);  // 64 x 32: one pixel a design pixel
    ASSERT_TRUE(move_pointer(anchor.x, anchor.y));
    EXPECT_TRUE(picture_marked(crosshair_at(anchor), "overlay_crosshair"));
    ASSERT_TRUE(press_left_button());
    ASSERT_TRUE(move_pointer(anchor.x + 20, anchor.y + 10));
    ASSERT_TRUE(move_pointer(corner.x, corner.y));
    // The crosshair is gone; the band has its edges and the border between the designs.
    EXPECT_TRUE(picture_marked(band_from(anchor, corner, 2, 1), "overlay_band"));
    ASSERT_TRUE(release_left_button());
    ASSERT_TRUE(main_window_back(program, overlay));

    const DibPicture region = part_of(picture_, 64, 32, 64, 32);
    expect_two_designs_of(program, region, "capture_2x1");
    EXPECT_EQ(program.close(), 0);
}

TEST_F(ScreenCapture, DragFromBottomRightToTopLeftMirrorsTheRegionBothWays) {
    show_picture(block_picture());
    const DibPicture region = part_of(picture_, 64, 32, 64, 32);
    const int columns = region.width / kBlock;
    const int rows = region.height / kBlock;
    int asymmetric = 0;
    for (int by = 0; by < rows; ++by) {
        for (int bx = 0; bx < columns; ++bx) {
            asymmetric += colour_at(region, bx * kBlock, by * kBlock) !=
                          colour_at(region, (columns - 1 - bx) * kBlock, (rows - 1 - by) * kBlock);
        }
    }
    ASSERT_GT(asymmetric, columns * rows / 2) << "the region must tell a mirrored copy apart";

    RunningProgram program(scratch_folder(L"capture"));
    ASSERT_TRUE(program.started());
    HWND overlay = start_capture(program, 2, 1);
    ASSERT_NE(overlay, nullptr);
    const ScreenPoint anchor = on_picture(128, 64);
    const ScreenPoint corner = on_picture(64, 32);
    ASSERT_TRUE(move_pointer(anchor.x, anchor.y));
    ASSERT_TRUE(press_left_button());
    ASSERT_TRUE(move_pointer(anchor.x - 30, anchor.y - 20));
    ASSERT_TRUE(move_pointer(corner.x, corner.y));
    EXPECT_TRUE(picture_marked(band_from(anchor, corner, 2, 1), "overlay_band_up_left"));
    ASSERT_TRUE(release_left_button());
    ASSERT_TRUE(main_window_back(program, overlay));

    // Where the copy starts on a mirrored axis may differ by a pixel between
    // platforms; the inside of every block may not. Target block (tx, ty) of
    // the 64 x 32 copy shows region block (7 - tx, 3 - ty).
    constexpr int kInsideFrom = 1;
    constexpr int kInsideTo = kBlock - 1;
    const int blocks_per_design = kTileSide / kBlock;
    for (int design = 0; design < 2; ++design) {
        Record record{};
        ASSERT_TRUE(shown_record(program.look(), &record)) << "design " << design + 1;
        const DesignCodes codes = codes_of(record);
        int wrong_blocks = 0;
        for (int by = 0; by < blocks_per_design; ++by) {
            for (int bx = 0; bx < blocks_per_design; ++bx) {
                const int tx = design * blocks_per_design + bx;
                const uint8_t wanted = code_of(
                    colour_at(region, (columns - 1 - tx) * kBlock, (rows - 1 - by) * kBlock));
                bool right = true;
                for (int y = kInsideFrom; y < kInsideTo; ++y) {
                    for (int x = kInsideFrom; x < kInsideTo; ++x) {
                        right = right &&
                                codes[(by * kBlock + y) * kTileSide + bx * kBlock + x] == wanted;
                    }
                }
                wrong_blocks += !right;
            }
        }
        EXPECT_EQ(wrong_blocks, 0) << "design " << design + 1 << " is not the mirrored region";
        program.click(true);
    }
    EXPECT_EQ(program.close(), 0);
}

TEST_F(ScreenCapture, ShiftKeepsTheBandAtTheGridsRatioWhileTheRegionRunsToTheRelease) {
    show_picture(block_picture());
    RunningProgram program(scratch_folder(L"capture"));
    ASSERT_TRUE(program.started());
    HWND overlay = start_capture(program, 2, 1);
    ASSERT_NE(overlay, nullptr);
    const ScreenPoint anchor = on_picture(32, 32);
    const ScreenPoint release = on_picture(160, 64);  // 128 x 32 from the anchor
    const ScreenPoint locked = on_picture(96, 64);    // 2:1 at the pointer's height
    ASSERT_TRUE(move_pointer(anchor.x, anchor.y));
    ASSERT_TRUE(press_left_button());
    {
        ShiftHeld shift;
        ASSERT_TRUE(move_pointer(anchor.x + 60, anchor.y + 16));
        ASSERT_TRUE(move_pointer(release.x, release.y));
        EXPECT_TRUE(picture_marked(band_from(anchor, locked, 2, 1), "overlay_band_shift"));
        ASSERT_TRUE(release_left_button());
        ASSERT_TRUE(main_window_back(program, overlay));
    }

    // 128 x 32 pixels squeezed into 64 x 32: each design pixel takes one of two
    // neighbouring pixels, which always lie in the same 8 x 8 block.
    const DibPicture region = part_of(picture_, 32, 32, 128, 32);
    DibPicture squeezed = uniform_picture(2 * kTileSide, kTileSide, 0);
    for (int y = 0; y < squeezed.height; ++y) {
        for (int x = 0; x < squeezed.width; ++x) {
            const DibPicture pixel = part_of(region, 2 * x, y, 1, 1);
            std::copy_n(
                pixel.rows.data(), 3,
                &squeezed.rows[static_cast<size_t>(squeezed.stride()) * (squeezed.height - 1 - y) +
                               3 * static_cast<size_t>(x)]);
        }
    }
    ASSERT_NE(record_of_design(squeezed, 0, 0, ReductionKind::merge),
              record_of_design(part_of(picture_, 32, 32, 64, 32), 0, 0, ReductionKind::merge))
        << "the locked and the released region must give different designs";
    expect_two_designs_of(program, squeezed, "capture_shift");
    EXPECT_EQ(program.close(), 0);
}

TEST_F(ScreenCapture, DialogRefusesMoreThanFortyDesignsAndStaysOpenThenTakesFiveByEight) {
    show_picture(block_picture());
    RunningProgram program(scratch_folder(L"capture"));
    ASSERT_TRUE(program.started());
    HWND dialog = open_design_count_dialog(program);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), program.main_window());
    EXPECT_TRUE(text_of(GetDlgItem(dialog, IDC_COLUMNS_LABEL)) == L"横");
    EXPECT_TRUE(text_of(GetDlgItem(dialog, IDC_ROWS_LABEL)) == L"縦");
    EXPECT_TRUE(text_of(GetDlgItem(dialog, IDOK)) == L"OK");
    EXPECT_TRUE(text_of(GetDlgItem(dialog, IDCANCEL)) == L"キャンセル");
    for (const int box_id : {IDC_COLUMNS_BOX, IDC_ROWS_BOX}) {
        HWND box = GetDlgItem(dialog, box_id);
        DWORD_PTR count = 0;
        SendMessageTimeoutW(box, CB_GETCOUNT, 0, 0, SMTO_NORMAL, 5000, &count);
        EXPECT_EQ(count, static_cast<DWORD_PTR>(kMaxDesigns)) << "box " << box_id;
        for (int item = 0; item < static_cast<int>(count); ++item) {
            wchar_t text[8] = {};
            DWORD_PTR length = 0;
            SendMessageTimeoutW(box, CB_GETLBTEXT, static_cast<WPARAM>(item),
                                reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &length);
            EXPECT_TRUE(std::wstring(text) == std::to_wstring(item + 1))
                << "box " << box_id << " item " << item;
        }
        EXPECT_EQ(selected_side(dialog, box_id), 1) << "box " << box_id;
    }
    // "横" [columns]  "縦" [rows] on one line, OK and cancel below.
    RECT place[4] = {};
    const int ids[4] = {IDC_COLUMNS_LABEL, IDC_COLUMNS_BOX, IDC_ROWS_LABEL, IDC_ROWS_BOX};
    for (int i = 0; i < 4; ++i) {
        GetWindowRect(GetDlgItem(dialog, ids[i]), &place[i]);
        EXPECT_EQ(place[i].top, place[0].top) << "control " << ids[i];
        EXPECT_TRUE(i == 0 || place[i].left >= place[i - 1].right) << "control " << ids[i];
    }
    RECT ok{};
    RECT cancel{};
    GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
    GetWindowRect(GetDlgItem(dialog, IDCANCEL), &cancel);
    EXPECT_GT(ok.top, place[0].top);
    EXPECT_EQ(ok.top, cancel.top);
    EXPECT_GT(cancel.left, ok.right);

    const int refused[][2] = {{7, 6}, {2, 21}};
    for (const auto& grid : refused) {
        choose_grid(dialog, grid[0], grid[1]);
        click_dialog_button(dialog, IDOK);
        const MessageBoxView box = program.message_box();
        ASSERT_NE(box.window, nullptr) << grid[0] << " x " << grid[1] << " was not refused";
        EXPECT_TRUE(box.text == kTooManyDesignsMessage);
        EXPECT_TRUE(box.caption == kPlainErrorCaption);
        EXPECT_EQ(box.owner, dialog);
        EXPECT_EQ(box.visible_buttons, 1);
        EXPECT_TRUE(box.ok_button);
        EXPECT_FALSE(box.icon);
        ASSERT_TRUE(dismiss_message_box(box));
        EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog)) << "the dialog closed";
        EXPECT_EQ(selected_side(dialog, IDC_COLUMNS_BOX), grid[0]);
        EXPECT_EQ(selected_side(dialog, IDC_ROWS_BOX), grid[1]);
    }

    // 40 designs are allowed. A click without a drag takes one pixel for them all.
    choose_grid(dialog, 5, 8);
    click_dialog_button(dialog, IDOK);
    ASSERT_TRUE(dialog_closed(dialog));
    HWND overlay = wait_for_overlay(program);
    ASSERT_NE(overlay, nullptr);
    const ScreenPoint spot = on_picture(100, 20);
    ASSERT_TRUE(move_pointer(spot.x, spot.y));
    ASSERT_TRUE(press_left_button());
    ASSERT_TRUE(release_left_button());
    ASSERT_TRUE(main_window_back(program, overlay));
    const Record one_colour = uniform_record(colour_at(picture_, 100, 20));
    EXPECT_TRUE(shows_design(program, 1, kMaxDesigns, one_colour, "capture_5x8_click_design_1"));
    program.click(true);
    EXPECT_TRUE(shows_design(program, 2, kMaxDesigns, one_colour, "capture_5x8_click_design_2"));
    EXPECT_EQ(program.close(), 0);
}

TEST_F(ScreenCapture, ReleaseWithoutDragKeepsTheWholeScreenAndReadsWhitePastItsEdge) {
    // A corner of known colour under the main window, uncovered once it hides.
    constexpr uint32_t kCornerColour = 0x00CFFF;
    const ScreenPicture corner(uniform_picture(kTileSide, kTileSide, kCornerColour), 0, 0);
    RunningProgram program(scratch_folder(L"capture"));
    ASSERT_TRUE(program.started());
    // 40 x 1 designs of 32 pixels reach past the screen's 1024 pixels.
    ASSERT_GT(kMaxDesigns * kTileSide, GetSystemMetrics(SM_CXSCREEN));
    HWND overlay = start_capture(program, 40, 1);
    ASSERT_NE(overlay, nullptr);
    // A release with no press before it: no region is taken.
    PostMessageW(overlay, WM_LBUTTONUP, 0, MAKELPARAM(500, 300));
    ASSERT_TRUE(main_window_back(program, overlay));
    EXPECT_TRUE(shows_design(program, 1, kMaxDesigns, uniform_record(kCornerColour),
                             "capture_unscaled_design_1"));
    program.click(false);
    EXPECT_TRUE(shows_design(program, kMaxDesigns, kMaxDesigns, uniform_record(kWhite),
                             "capture_unscaled_design_40"));
    EXPECT_EQ(program.close(), 0);
}

TEST_F(ScreenCapture, CancelledDialogLeavesTheGridAndTheShownDesign) {
    show_picture(block_picture());
    RunningProgram program(scratch_folder(L"capture"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(capture_by_drag(program, 2, 1, on_picture(0, 0), on_picture(64, 32)));
    program.click(true);
    const DibPicture region = part_of(picture_, 0, 0, 64, 32);
    ASSERT_TRUE(shows_design(program, 2, 2, record_of_design(region, 1, 0, ReductionKind::merge),
                             "capture_before_cancel"));
    const ClientPixels before = program.look();

    HWND dialog = open_design_count_dialog(program);
    ASSERT_NE(dialog, nullptr);
    // It opens at 1 x 1 whatever the grid.
    EXPECT_EQ(selected_side(dialog, IDC_COLUMNS_BOX), 1);
    EXPECT_EQ(selected_side(dialog, IDC_ROWS_BOX), 1);
    choose_grid(dialog, 3, 3);
    click_dialog_button(dialog, IDCANCEL);
    ASSERT_TRUE(dialog_closed(dialog));
    EXPECT_TRUE(quiet(program));
    EXPECT_TRUE(IsWindowVisible(program.main_window()));
    for (HWND overlay : top_level_windows(program.process_id(), kCaptureOverlayClassName)) {
        EXPECT_FALSE(IsWindowVisible(overlay));
    }
    EXPECT_TRUE(program.look() == before);
    program.click(true);
    EXPECT_TRUE(shows_design(program, 1, 2, record_of_design(region, 0, 0, ReductionKind::merge),
                             "capture_after_cancel"));
    EXPECT_EQ(program.close(), 0);
}

TEST_F(ScreenCapture, CaptureAfterTheMedianCutCommandReadsTheCaptureWithTheMergeQuantiser) {
    const DibPicture file = read_bmp24(data_file(L"picture_64x96.bmp"));
    ASSERT_EQ(file.width, 64);
    show_picture(file);
    // The second row of the file's designs, on the screen: its own designs,
    // which the two quantisers tell apart.
    const DibPicture region = part_of(file, 0, 32, 64, 32);
    ASSERT_NE(record_of_design(region, 0, 0, ReductionKind::median_cut),
              record_of_design(region, 0, 0, ReductionKind::merge));

    RunningProgram program(scratch_folder(L"capture"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(program.choose_file_for_command(IDM_QR_FROM_IMAGE_MEDIAN_CUT, kImageDialogTitle,
                                                data_file(L"picture_64x96.bmp")));
    ASSERT_TRUE(quiet(program));
    ASSERT_TRUE(shows_design(program, 1, 6, record_of_design(file, 0, 0, ReductionKind::median_cut),
                             "median_cut_before_capture"));

    ASSERT_TRUE(capture_by_drag(program, 2, 1, on_picture(0, 32), on_picture(64, 64)));
    expect_two_designs_of(program, region, "capture_after_median_cut");
    EXPECT_EQ(program.close(), 0);
}

TEST_F(ScreenCapture, ScreenScanReadsTheCodeInAPlainBandOrOnTheWholeScreenAndEscapeCancelsIt) {
    const Record record =
        record_of_design(read_bmp24(data_file(L"picture_64x96.bmp")), 1, 1, ReductionKind::merge);
    // 2 pixels a module inside 4 white modules: the symbol spans 8..194 of the picture.
    show_picture(picture_of_image(render_qr(record, 2, 4)));
    RunningProgram program(scratch_folder(L"screen_scan"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(capture_by_drag(program, 1, 1, on_picture(0, 0), on_picture(32, 32)));
    const ClientPixels before = program.look();

    // Escape puts the frozen screen away and changes nothing.
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_SCAN_SCREEN, 0), 0);
    HWND overlay = wait_for_overlay(program);
    ASSERT_NE(overlay, nullptr);
    EXPECT_FALSE(IsWindowVisible(program.main_window()));
    ASSERT_TRUE(input_keys(L"key Escape", VK_ESCAPE, false));
    ASSERT_TRUE(main_window_back(program, overlay));
    EXPECT_TRUE(quiet(program));
    EXPECT_TRUE(program.look() == before);

    // A drag from the bottom right to the top left marks a plain rectangle.
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_SCAN_SCREEN, 0), 0);
    overlay = wait_for_overlay(program);
    ASSERT_NE(overlay, nullptr);
    const ScreenPoint anchor = on_picture(199, 198);
    const ScreenPoint corner = on_picture(3, 4);
    ASSERT_TRUE(move_pointer(anchor.x, anchor.y));
    ASSERT_TRUE(press_left_button());
    ASSERT_TRUE(move_pointer(anchor.x - 60, anchor.y - 30));
    ASSERT_TRUE(move_pointer(corner.x, corner.y));
    EXPECT_TRUE(picture_marked(band_from(anchor, corner, 1, 1), "overlay_scan_band"));
    ASSERT_TRUE(release_left_button());
    ASSERT_TRUE(main_window_back(program, overlay));
    ASSERT_TRUE(quiet(program));
    ClientPixels pixels = program.look();
    EXPECT_TRUE(shows_texts(pixels, kFoundDesignHeading, L""));
    EXPECT_TRUE(shows_symbol_of(pixels, record, "screen_scan_band"));

    // A release where the button went down reads the whole screen.
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_SCAN_SCREEN, 0), 0);
    overlay = wait_for_overlay(program);
    ASSERT_NE(overlay, nullptr);
    ASSERT_TRUE(move_pointer(kParkX + 1, kParkY - 1));
    ASSERT_TRUE(press_left_button());
    ASSERT_TRUE(move_pointer(kParkX + 2, kParkY + 1));
    ASSERT_TRUE(release_left_button());
    ASSERT_TRUE(main_window_back(program, overlay));
    ASSERT_TRUE(quiet(program));
    pixels = program.look();
    EXPECT_TRUE(shows_texts(pixels, kFoundDesignHeading, L""));
    EXPECT_TRUE(shows_symbol_of(pixels, record, "screen_scan_whole"));

    // The capture stayed under the scans: once the median-cut command has shown a
    // file's design, picking マージ converts the capture again.
    ASSERT_TRUE(program.choose_file_for_command(IDM_QR_FROM_IMAGE_MEDIAN_CUT, kImageDialogTitle,
                                                data_file(L"picture_64x96.bmp")));
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_REDUCE_MERGE, 0), 0);
    ASSERT_TRUE(quiet(program));
    EXPECT_TRUE(shows_design(program, 1, 6,
                             record_of_design(part_of(picture_, 0, 0, kTileSide, kTileSide), 0, 0,
                                              ReductionKind::merge),
                             "screen_scan_capture_kept"));
    EXPECT_EQ(program.close(), 0);
}

}  // namespace
