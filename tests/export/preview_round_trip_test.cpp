// The way through another pixel editor: a record drawn as its preview and put back
// into the record gives the record byte for byte (the CLI's test goes through files;
// the record edits' fuzz target proves it on arbitrary records, and damage refused).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "design_conversion.h"
#include "design_renderings.h"
#include "picture_reader.h"
#include "preview_pixels.h"
#include "record_edits.h"
#include "record_pixels.h"

namespace {

// The drawing's pixels put into a copy of record.
RecordBytes put_back(RecordBytes record, const Picture& drawn) {
    Rgb pixels[kTilePixels];
    int scale = 0;
    std::string why;
    EXPECT_TRUE(read_preview_pixels(drawn, pixels, &scale, &why)) << why;
    EXPECT_EQ(set_record_pixels(record, pixels).fault, PixelsFault::kNone);
    return record;
}

// Merge and median cut give slots of one code; scales 1 to 3 take turns.
TEST(PreviewRoundTrip, EveryDesignOfTheEndToEndPicturesUnderEveryReduction) {
    const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "round-trip";
    const std::string make = "bash " BREVANE_MAKE_FIXTURES " '" + folder.string() + "' >/dev/null";
    ASSERT_EQ(std::system(make.c_str()), 0);
    auto workspace = std::make_unique<ConversionWorkspace>();
    int designs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        Picture picture;
        if (entry.path().filename().string().rfind("picture_", 0) != 0 ||
            read_picture(bytes.data(), bytes.size(), &picture, nullptr) != 0)
            continue;
        const int columns = (picture.width + kTileSide - 1) / kTileSide;
        for (ReductionKind kind : {ReductionKind::merge, ReductionKind::median_cut,
                                   ReductionKind::quality, ReductionKind::dither}) {
            for (int i = 0; i < columns * ((picture.height + kTileSide - 1) / kTileSide); ++i) {
                Rgb tile[kTilePixels];
                RecordBytes record;
                read_picture_tile(picture, i % columns, i / columns, tile);
                convert_tile_to_record(tile, Reduction{kind}, workspace.get(), record.data());
                EXPECT_EQ(put_back(record, render_preview(record, 1 + designs++ % 3)), record)
                    << entry.path().filename() << " design " << i;
            }
        }
    }
    std::filesystem::remove_all(folder);
    EXPECT_GT(designs, 4 * 1000);
}

}  // namespace
