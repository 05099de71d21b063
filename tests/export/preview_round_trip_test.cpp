// The way through another pixel editor: a record drawn as its preview, written as
// PNG, read back and put into the record again gives the record byte for byte.
// Proven on every design of the end-to-end pictures under each reduction.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "design_conversion.h"
#include "design_renderings.h"
#include "palette.h"
#include "picture_reader.h"
#include "png_writer.h"
#include "preview_pixels.h"
#include "record_edits.h"
#include "record_pixels.h"

namespace fs = std::filesystem;

namespace {

// The picture's pixels put back into a copy of record; the refusal in *fault.
RecordBytes through_png(const RecordBytes& record, const Picture& drawn, PixelsFault* fault) {
    const std::vector<uint8_t> png = encode_png(drawn);
    Picture picture;
    EXPECT_EQ(read_picture(png.data(), png.size(), &picture, nullptr), 0);
    Rgb pixels[kTilePixels];
    int scale = 0;
    std::string why;
    EXPECT_TRUE(read_preview_pixels(picture, pixels, &scale, &why)) << why;
    EXPECT_EQ(scale, drawn.width / kTileSide);
    RecordBytes edited = record;
    *fault = set_record_pixels(edited, pixels).fault;
    return edited;
}

void expect_round_trip(const RecordBytes& record, int scale) {
    PixelsFault fault{};
    EXPECT_EQ(through_png(record, render_preview(record, scale), &fault), record);
    EXPECT_EQ(fault, PixelsFault::kNone);
}

#ifdef BREVANE_MAKE_FIXTURES  // the pictures are made with ImageMagick, natively
bool shares_a_code(const RecordBytes& record) {
    for (int s = 1; s < kSlotCount; ++s)
        for (int t = 0; t < s; ++t)
            if (record_slot_code(record, s) == record_slot_code(record, t) &&
                record_slot_code(record, s) != 0)
                return true;
    return false;
}

TEST(PreviewRoundTrip, EveryDesignOfTheEndToEndPicturesUnderEveryReduction) {
    const fs::path pictures = fs::path(testing::TempDir()) / "round-trip-pictures";
    const std::string make =
        "bash '" BREVANE_MAKE_FIXTURES "' '" + pictures.string() + "' >/dev/null";
    ASSERT_EQ(std::system(make.c_str()), 0);
    auto workspace = std::make_unique<ConversionWorkspace>();
    int designs = 0;
    int sharing = 0;
    for (const auto& entry : fs::directory_iterator(pictures)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        Picture picture;
        if (entry.path().filename().string().rfind("picture_", 0) != 0 ||
            read_picture(bytes.data(), bytes.size(), &picture, nullptr) != 0)
            continue;
        for (ReductionKind kind : {ReductionKind::merge, ReductionKind::median_cut,
                                   ReductionKind::quality, ReductionKind::dither}) {
            for (int row = 0; row * kTileSide < picture.height; ++row) {
                for (int column = 0; column * kTileSide < picture.width; ++column) {
                    Rgb tile[kTilePixels];
                    read_picture_tile(picture, column, row, tile);
                    RecordBytes record;
                    convert_tile_to_record(tile, Reduction{kind}, workspace.get(), record.data());
                    sharing += shares_a_code(record);
                    SCOPED_TRACE(entry.path().filename().string() + " design " +
                                 std::to_string(column) + "," + std::to_string(row));
                    expect_round_trip(record, 1 + designs++ % 3);
                }
            }
        }
    }
    fs::remove_all(pictures);
    EXPECT_GT(designs, 4 * 1000);
    EXPECT_GT(sharing, 0);  // merge and median cut give duplicate codes
}
#endif

TEST(PreviewRoundTrip, UnusedSlotsNamingNoColourAndTextsStayAsTheyAre) {
    RecordBytes record{};
    for (int y = 0; y < kTileSide; ++y)
        for (int x = 0; x < kTileSide; ++x)
            set_record_pixel_slot(record, x, y, (x / 4 + y) % 3 == 0 ? 4 : 2);
    set_record_slot_code(record, 2, 0x24);
    set_record_slot_code(record, 4, 0x24);  // a duplicate code
    for (int s : {0, 1, 3, 5, 14})
        set_record_slot_code(record, s, static_cast<uint8_t>(0xFF - s));  // names no colour
    ASSERT_TRUE(set_record_text(record, kDesignNameField, u"01234567890123456789"));
    record[kFixedBytesOffset + 2] = 0x77;
    expect_round_trip(record, 1);
    expect_round_trip(record, 5);
}

TEST(PreviewRoundTrip, ARecordWithoutAColourForEveryPixelIsRefusedUntouched) {
    RecordBytes record{};
    set_record_pixel_slot(record, 3, 2, kNoSlot);
    Picture drawn = render_preview(RecordBytes{}, 1);
    PixelsFault fault{};
    EXPECT_EQ(through_png(record, drawn, &fault), record);
    EXPECT_EQ(fault, PixelsFault::kRecordNoSlot);
    record = RecordBytes{};
    set_record_pixel_slot(record, 3, 2, 6);
    set_record_slot_code(record, 6, 0xFF);
    EXPECT_EQ(through_png(record, drawn, &fault), record);
    EXPECT_EQ(fault, PixelsFault::kRecordNoColour);
}

// The four slot rules on a record whose 15 slots are all used, slots 0 and 1 of
// one colour: a pixel of that colour in slot 2 goes to slot 0; a new colour joins
// slot 1 into slot 0 and takes it; a sixteenth colour is refused.
TEST(PreviewRoundTrip, NewColoursTakeFreeSlotsThenJoinedOnesThenAreRefused) {
    RecordBytes record{};
    const uint8_t codes[kSlotCount] = {0x00, 0x00, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60,
                                       0x70, 0x80, 0x90, 0xA0, 0xB0, 0xC0, 0xD0};
    for (int s = 0; s < kSlotCount; ++s) {
        set_record_slot_code(record, s, codes[s]);
        set_record_pixel_slot(record, s, 0, s);
    }
    set_record_pixel_slot(record, 2, 1, 2);
    Picture drawn = render_preview(record, 1);
    const auto paint = [&drawn](int x, uint8_t code) {
        Rgb colour{};
        palette_colour(code, &colour);
        std::copy_n(&colour.r, 3, drawn.rgb.begin() + 3 * x);
    };
    paint(2, 0x00);   // rule 2: the lowest slot of the colour
    paint(20, 0x0F);  // rule 4, then 3: white takes slot 1, joined into slot 0
    PixelsFault fault{};
    const RecordBytes edited = through_png(record, drawn, &fault);
    EXPECT_EQ(fault, PixelsFault::kNone);
    EXPECT_EQ(record_pixel_slot(edited, 2, 0), 0);
    EXPECT_EQ(record_pixel_slot(edited, 1, 0), 0);
    EXPECT_EQ(record_pixel_slot(edited, 20, 0), 1);
    EXPECT_EQ(record_slot_code(edited, 1), 0x0F);
    EXPECT_EQ(record_pixel_slot(edited, 2, 1), 2);
    EXPECT_EQ(record_slot_code(edited, 2), 0x10);
    paint(21, 0x1F);
    EXPECT_EQ(through_png(record, drawn, &fault), record);
    EXPECT_EQ(fault, PixelsFault::kTooManyColours);
}

}  // namespace
