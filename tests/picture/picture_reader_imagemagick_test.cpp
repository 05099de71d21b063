// The picture reader against files written by ImageMagick: BMP of every supported
// depth, PNG and JPEG; and the inputs that once broke stb's decoders. Native only:
// the files are made at test time with `convert`.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bmp_reader.h"
#include "picture_limits.h"
#include "picture_reader.h"

namespace {

namespace fs = std::filesystem;

// A scratch directory of its own, removed afterwards.
class ImageMagickFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() /
            ("brevane_bmp_im_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Writes the picture as a binary PPM, converts it with `convert`, the given
    // options and output format prefix ("BMP3:", ...), and returns the BMP file's bytes.
    std::vector<uint8_t> convert(const Picture& picture, const std::string& options,
                                 const std::string& format = "") {
        const fs::path ppm = dir_ / "in.ppm";
        {
            std::ofstream out(ppm, std::ios::binary);
            out << "P6\n" << picture.width << ' ' << picture.height << "\n255\n";
            out.write(reinterpret_cast<const char*>(picture.rgb.data()),
                      static_cast<std::streamsize>(picture.rgb.size()));
        }
        const fs::path bmp = dir_ / "out.bmp";
        const std::string command =
            "convert '" + ppm.string() + "' " + options + " '" + format + bmp.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        std::ifstream in(bmp, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }

    fs::path dir_;
};

int field16(const std::vector<uint8_t>& file, size_t offset) {
    return file.size() > offset + 1 ? file[offset] | file[offset + 1] << 8 : -1;
}

// Bits per pixel and header size as ImageMagick wrote them.
int depth_of(const std::vector<uint8_t>& file) {
    return field16(file, 14) == 12 ? field16(file, 24) : field16(file, 28);
}

void expect_reads_as(const std::vector<uint8_t>& file, const Picture& picture) {
    Picture image;
    PictureRefusal refusal;
    ASSERT_EQ(read_bmp(file.data(), file.size(), &image, &refusal), 0) << refusal.fault;
    EXPECT_EQ(image.width, picture.width);
    EXPECT_EQ(image.height, picture.height);
    EXPECT_EQ(image.rgb, picture.rgb);
}

// Pixels taken in turn from `colours`, in a pattern that is not row-symmetric.
Picture picture_of(int width, int height, const std::vector<uint32_t>& colours) {
    Picture picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colours[static_cast<size_t>(x * 7 + y * 3 + x * y) % colours.size()];
            picture.rgb.insert(picture.rgb.end(),
                               {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                                static_cast<uint8_t>(c)});
        }
    }
    return picture;
}

std::vector<uint32_t> spread_colours(int count, uint32_t step) {
    std::vector<uint32_t> colours;
    for (int c = 0; c < count; ++c) {
        colours.push_back((static_cast<uint32_t>(c) * step) & 0xFFFFFF);
    }
    return colours;
}

// Channel values that survive the trip through a 5- or 6-bit field: the value v
// written back by repeating its bits must scale back to v whether the writer
// rounds or truncates, that is, x * (2^bits - 1) / 255 must lie in [v, v + 1/2).
std::vector<uint8_t> representable_values(int bits) {
    std::vector<uint8_t> values;
    const int top = (1 << bits) - 1;
    for (int v = 0; v <= top; ++v) {
        const int x = ((v << (8 - bits)) | (v >> (2 * bits - 8))) & 0xFF;
        if (x * top >= v * 255 && 2 * x * top < (2 * v + 1) * 255) {
            values.push_back(static_cast<uint8_t>(x));
        }
    }
    return values;
}

std::vector<uint32_t> sixteen_bit_colours(int green_bits) {
    const std::vector<uint8_t> five = representable_values(5);
    const std::vector<uint8_t> green = representable_values(green_bits);
    std::vector<uint32_t> colours;
    for (size_t c = 0; c < 37; ++c) {
        colours.push_back(uint32_t{five[(c * 7) % five.size()]} << 16 |
                          uint32_t{green[(c * 11) % green.size()]} << 8 |
                          five[(c * 13 + 5) % five.size()]);
    }
    return colours;
}

TEST_F(ImageMagickFiles, TwentyFourBitsWithEachHeader) {
    const Picture picture = picture_of(35, 17, spread_colours(600, 0x0107F3));
    for (const char* format : {"", "BMP3:", "BMP2:"}) {
        const std::vector<uint8_t> file = convert(picture, "-compress none", format);
        ASSERT_EQ(depth_of(file), 24) << format;
        expect_reads_as(file, picture);
    }
}

// ImageMagick's run-length encoder (RLE8): runs, absolute runs and end codes.
TEST_F(ImageMagickFiles, RunLengthEncodedPalette) {
    const Picture smooth = picture_of(45, 23, spread_colours(3, 0x404040));
    const Picture busy = picture_of(45, 23, spread_colours(200, 0x050B13));
    for (const Picture* picture : {&smooth, &busy}) {
        const std::vector<uint8_t> file = convert(*picture, "-compress RLE -type Palette", "BMP3:");
        ASSERT_EQ(field16(file, 30), 1);
        expect_reads_as(file, *picture);
    }
}

TEST_F(ImageMagickFiles, EightBitPalette) {
    const Picture picture = picture_of(33, 21, spread_colours(200, 0x050B13));
    for (const char* format : {"", "BMP3:"}) {
        const std::vector<uint8_t> file = convert(picture, "-compress none -type Palette", format);
        ASSERT_EQ(depth_of(file), 8) << format;
        expect_reads_as(file, picture);
    }
}

TEST_F(ImageMagickFiles, FourBitPaletteAlsoWithACoreHeader) {
    const Picture picture = picture_of(13, 9, spread_colours(11, 0x1F3D5B));
    for (const char* format : {"", "BMP2:"}) {
        const std::vector<uint8_t> file = convert(picture, "-compress none -type Palette", format);
        ASSERT_EQ(depth_of(file), 4) << format;
        expect_reads_as(file, picture);
    }
}

TEST_F(ImageMagickFiles, OneBitPalette) {
    const Picture picture = picture_of(37, 5, {0xC03020, 0x1080F0});
    const std::vector<uint8_t> file = convert(picture, "-compress none -type Palette");
    ASSERT_EQ(depth_of(file), 1);
    expect_reads_as(file, picture);
}

TEST_F(ImageMagickFiles, SixteenBitBitfields) {
    const Picture rgb565 = picture_of(31, 7, sixteen_bit_colours(6));
    std::vector<uint8_t> file = convert(rgb565, "-compress none -define bmp:subtype=RGB565");
    ASSERT_EQ(depth_of(file), 16);
    expect_reads_as(file, rgb565);

    const Picture rgb555 = picture_of(31, 7, sixteen_bit_colours(5));
    file = convert(rgb555, "-compress none -define bmp:subtype=RGB555");
    ASSERT_EQ(depth_of(file), 16);
    expect_reads_as(file, rgb555);
}

TEST_F(ImageMagickFiles, ThirtyTwoBitBitfieldsWithAlpha) {
    const Picture picture = picture_of(19, 11, spread_colours(500, 0x0305C7));
    const std::vector<uint8_t> file = convert(picture, "-compress none -alpha on");
    ASSERT_EQ(depth_of(file), 32);
    expect_reads_as(file, picture);
}

void expect_picture_reads_as(const std::vector<uint8_t>& file, const Picture& picture,
                             int tolerance) {
    Picture image;
    PictureRefusal refusal;
    ASSERT_EQ(read_picture(file.data(), file.size(), &image, &refusal), 0) << refusal.fault;
    ASSERT_EQ(image.width, picture.width);
    ASSERT_EQ(image.height, picture.height);
    int64_t header_width = 0;
    int64_t header_height = 0;
    EXPECT_TRUE(picture_header_sides(file.data(), file.size(), &header_width, &header_height));
    EXPECT_EQ(header_width, picture.width);
    EXPECT_EQ(header_height, picture.height);
    int worst = 0;
    for (size_t i = 0; i < image.rgb.size(); ++i) {
        worst = std::max(worst, std::abs(image.rgb[i] - picture.rgb[i]));
    }
    EXPECT_LE(worst, tolerance);
}

TEST_F(ImageMagickFiles, PngOfEachKindReadsExactly) {
    const Picture picture = picture_of(37, 19, spread_colours(200, 0x050B13));
    const Picture black_white = picture_of(37, 19, {0x000000, 0xFFFFFF});
    for (const char* interlace : {"", "-interlace PNG "}) {
        for (const char* format : {"PNG8:", "PNG24:", "PNG32:", "PNG48:", "PNG64:"}) {
            expect_picture_reads_as(convert(picture, interlace, format), picture, 0);
        }
        for (const char* grey : {"-define png:bit-depth=1 -define png:color-type=0",
                                 "-define png:bit-depth=2 -define png:color-type=0",
                                 "-define png:bit-depth=4 -define png:color-type=3",
                                 "-define png:bit-depth=16 -define png:color-type=4"}) {
            expect_picture_reads_as(convert(black_white, std::string(interlace) + grey, "PNG:"),
                                    black_white, 0);
        }
    }
}

TEST_F(ImageMagickFiles, BaselineAndProgressiveJpegReadCloseToThePicture) {
    Picture smooth{48, 40, {}};
    for (int y = 0; y < smooth.height; ++y) {
        for (int x = 0; x < smooth.width; ++x) {
            smooth.rgb.insert(smooth.rgb.end(),
                              {static_cast<uint8_t>(4 * x), static_cast<uint8_t>(5 * y),
                               static_cast<uint8_t>(128 + x - y)});
        }
    }
    for (const char* options : {"-quality 100 -sampling-factor 1x1",
                                "-quality 100 -sampling-factor 1x1 -interlace JPEG"}) {
        expect_picture_reads_as(convert(smooth, options, "JPEG:"), smooth, 8);
    }
}

// The standard CRC-32 of PNG chunks, bit by bit.
uint32_t png_crc(const uint8_t* data, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void put_big_endian(uint8_t* at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        at[i] = static_cast<uint8_t>(value >> (8 * (bytes - 1 - i)));
    }
}

// The file with the width its header states set to `width` (ImageMagick will
// not write pictures wider than its own limit): the BMP info header's field,
// PNG's IHDR with its CRC made good again, JPEG's first start-of-frame.
std::vector<uint8_t> with_stated_width(std::vector<uint8_t> file, uint32_t width) {
    if (file[0] == 'B') {
        for (int i = 0; i < 4; ++i) {
            file[18 + i] = static_cast<uint8_t>(width >> (8 * i));
        }
    } else if (file[1] == 'P') {
        constexpr size_t kIhdrType = 12;
        put_big_endian(&file[kIhdrType + 4], width, 4);
        put_big_endian(&file[kIhdrType + 4 + 13], png_crc(&file[kIhdrType], 4 + 13), 4);
    } else {
        for (size_t at = 2; at + 9 < file.size(); ++at) {
            if (file[at] == 0xFF && (file[at + 1] == 0xC0 || file[at + 1] == 0xC2)) {
                put_big_endian(&file[at + 7], width, 2);
                break;
            }
        }
    }
    return file;
}

// A picture refused for its size alone is told apart, in each format, from one
// refused for damage (here: a file cut short within its pixels).
TEST_F(ImageMagickFiles, OverTheSizeBoundIsToldApartFromDamage) {
    const Picture small = picture_of(40, 24, spread_colours(50, 0x0A1B2C));
    for (const char* format : {"BMP3:", "PNG24:", "JPEG:"}) {
        Picture image;
        PictureRefusal refusal;
        const std::vector<uint8_t> file = convert(small, "", format);
        const std::vector<uint8_t> over = with_stated_width(file, kMaxPictureSide + 1);
        EXPECT_EQ(read_picture(over.data(), over.size(), &image, &refusal), -1);
        EXPECT_EQ(refusal.error, PictureError::kTooLarge) << format << ": " << refusal.fault;
        std::vector<uint8_t> cut = file;
        cut.resize(cut.size() * 2 / 3);
        EXPECT_EQ(read_picture(cut.data(), cut.size(), &image, &refusal), -1);
        EXPECT_EQ(refusal.error, PictureError::kTruncated) << format << ": " << refusal.fault;
    }
    // A PNG stated wider than its image data holds rows for is damaged; one whose
    // rows need more bytes than the decoder's int holds (16384² at 16-bit RGBA) is too large.
    Picture image;
    PictureRefusal refusal;
    const std::vector<uint8_t> wider = with_stated_width(convert(small, "", "PNG64:"), 80);
    EXPECT_EQ(read_picture(wider.data(), wider.size(), &image, &refusal), -1);
    EXPECT_EQ(refusal.error, PictureError::kDamaged) << refusal.fault;
    std::ifstream in(fs::path(BREVANE_PICTURE_CORPUS) / "crash_png_16bit_rgba_past_int.png",
                     std::ios::binary);
    const std::vector<uint8_t> huge(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(read_picture(huge.data(), huge.size(), &image, &refusal), -1);
    EXPECT_EQ(refusal.error, PictureError::kTooLarge) << refusal.fault;
}

// Seeds of the picture reader's fuzzer named crash_*: each is refused with a
// reason or read whole; under the sanitizers, without a fault.
TEST(PictureReader, InputsThatOnceBrokeStbAreHandled) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(BREVANE_PICTURE_CORPUS)) {
        if (entry.path().filename().string().rfind("crash_", 0) != 0) {
            continue;
        }
        ++files;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
        Picture image;
        PictureRefusal refusal;
        if (read_picture(bytes.data(), bytes.size(), &image, &refusal) == 0) {
            EXPECT_EQ(image.rgb.size(), size_t{3} * image.width * image.height) << entry.path();
        } else {
            EXPECT_FALSE(refusal.fault.empty()) << entry.path();
        }
    }
    EXPECT_GE(files, 2);
}

}  // namespace
