// Fitting a picture to a grid: the offered grid, the centred crop, and the
// places where the resampling must be exact.
#include "picture_fit.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Every grey level, then random colours, in a picture of the grid's size.
Picture grid_sized_picture(DesignGrid grid) {
    Picture picture;
    picture.width = grid.columns * 32;
    picture.height = grid.rows * 32;
    picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
    std::mt19937 random(12);
    for (size_t pixel = 0; pixel < picture.rgb.size() / 3; ++pixel) {
        for (int channel = 0; channel < 3; ++channel) {
            picture.rgb[3 * pixel + channel] =
                pixel < 256 ? static_cast<uint8_t>(pixel) : static_cast<uint8_t>(random());
        }
    }
    return picture;
}

// Each pixel becomes `factor` x `factor` pixels of its colour.
Picture enlarged(const Picture& picture, int factor) {
    Picture big;
    big.width = picture.width * factor;
    big.height = picture.height * factor;
    big.rgb.resize(static_cast<size_t>(big.width) * big.height * 3);
    for (int y = 0; y < big.height; ++y) {
        for (int x = 0; x < big.width; ++x) {
            for (int channel = 0; channel < 3; ++channel) {
                big.rgb[(static_cast<size_t>(y) * big.width + x) * 3 + channel] =
                    picture.rgb[(static_cast<size_t>(y / factor) * picture.width + x / factor) * 3 +
                                channel];
            }
        }
    }
    return big;
}

Picture part_of(const Picture& picture, PictureRect rect) {
    Picture part;
    part.width = rect.width;
    part.height = rect.height;
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        const auto row =
            picture.rgb.begin() + (static_cast<ptrdiff_t>(y) * picture.width + rect.x) * 3;
        part.rgb.insert(part.rgb.end(), row, row + rect.width * 3);
    }
    return part;
}

Picture fitted(const Picture& picture, DesignGrid grid) {
    Picture result;
    std::string error;
    EXPECT_EQ(fit_picture(picture, grid, &result, &error), 0) << error;
    return result;
}

TEST(PictureFit, OfferedGridHasTheNearestRatioAndOnTiesTheMostDesigns) {
    struct Case {
        int width, height, columns, rows;
    };
    const Case cases[] = {
        {500, 500, 6, 6},    // 1:1, of 1 x 1 to 6 x 6
        {64, 96, 4, 6},      // 2:3
        {100, 64, 8, 5},     // 1.5625: 8:5 is nearer than 3:2
        {4000, 3000, 4, 3},  // 4:3 and no larger multiple within 40
        {1000, 10, 40, 1},  {10, 1000, 1, 40}, {1, 1, 6, 6},
    };
    for (const Case& c : cases) {
        const DesignGrid grid = offered_fit_grid(c.width, c.height);
        EXPECT_EQ(grid.columns, c.columns) << c.width << " x " << c.height;
        EXPECT_EQ(grid.rows, c.rows) << c.width << " x " << c.height;
    }
}

TEST(PictureFit, CropIsCentredRoundedDownAndNeverEmpty) {
    struct Case {
        int width, height, columns, rows;
        PictureRect crop;
    };
    const Case cases[] = {
        {101, 64, 3, 2, {2, 0, 96, 64}},     // margin 5: the extra pixel on the right
        {96, 71, 3, 2, {0, 3, 96, 64}},      // margin 7: the extra pixel at the bottom
        {100, 64, 3, 2, {2, 0, 96, 64}},     // margin 4
        {100, 100, 3, 2, {0, 17, 100, 66}},  // 66.67 rounded down, margin 34
        {4000, 3000, 4, 3, {0, 0, 4000, 3000}},
        {1000, 1, 1, 40, {499, 0, 1, 1}},  // 1/40 of a pixel wide: one pixel
    };
    for (const Case& c : cases) {
        const PictureRect crop = centred_crop(c.width, c.height, DesignGrid{c.columns, c.rows});
        EXPECT_EQ(crop.x, c.crop.x) << c.width << " x " << c.height;
        EXPECT_EQ(crop.y, c.crop.y) << c.width << " x " << c.height;
        EXPECT_EQ(crop.width, c.crop.width) << c.width << " x " << c.height;
        EXPECT_EQ(crop.height, c.crop.height) << c.width << " x " << c.height;
    }
}

TEST(PictureFit, ExactTwofoldEnlargementFitsBackToTheOriginalOnEveryLevel) {
    const DesignGrid grid{3, 2};
    const Picture original = grid_sized_picture(grid);
    const Picture result = fitted(enlarged(original, 2), grid);
    ASSERT_EQ(result.width, 96);
    ASSERT_EQ(result.height, 64);
    EXPECT_TRUE(result.rgb == original.rgb);
}

TEST(PictureFit, WithoutScalingTheFitIsTheCentredCrop) {
    const DesignGrid grid{3, 2};
    std::mt19937 random(5);
    for (const PictureRect frame : {PictureRect{0, 0, 101, 64}, PictureRect{0, 0, 96, 71}}) {
        Picture picture;
        picture.width = frame.width;
        picture.height = frame.height;
        picture.rgb.resize(static_cast<size_t>(frame.width) * frame.height * 3);
        for (uint8_t& byte : picture.rgb) {
            byte = static_cast<uint8_t>(random());
        }
        const Picture crop = part_of(picture, centred_crop(frame.width, frame.height, grid));
        EXPECT_TRUE(fitted(picture, grid).rgb == crop.rgb) << frame.width << " x " << frame.height;
    }
}

TEST(PictureFit, GridsOutsideTheRuleAndEmptyPicturesAreRefused) {
    const Picture picture = grid_sized_picture(DesignGrid{1, 1});
    Picture untouched;
    untouched.width = 7;
    std::string error;
    for (const DesignGrid grid : {DesignGrid{0, 1}, DesignGrid{41, 1}, DesignGrid{7, 6}}) {
        EXPECT_EQ(fit_picture(picture, grid, &untouched, &error), -1);
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(fit_picture(Picture{}, DesignGrid{1, 1}, &untouched, &error), -1);
    EXPECT_EQ(untouched.width, 7);
}

}  // namespace
