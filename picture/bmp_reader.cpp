#include "bmp_reader.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "picture_limits.h"

using enum PictureError;

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kPixelOffsetField = 10;
constexpr size_t kInfoHeaderStart = kFileHeaderSize;

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kInfoHeaderV2Size = 52;  // + RGB masks
constexpr uint32_t kInfoHeaderV3Size = 56;  // + alpha mask
constexpr uint32_t kInfoHeaderV4Size = 108;
constexpr uint32_t kInfoHeaderV5Size = 124;

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiJpeg = 4;
constexpr uint32_t kBiPng = 5;
constexpr uint32_t kBiAlphaBitfields = 6;

constexpr size_t kMaskBytes = 4;
constexpr uint8_t kOpaque = 255;
constexpr int kChannels = 3;  // red, green, blue; alpha only tells Picture::translucent
constexpr uint32_t kRgb555Masks[kChannels] = {0x7C00, 0x03E0, 0x001F};
constexpr uint32_t kRgb888Masks[kChannels] = {0xFF0000, 0x00FF00, 0x0000FF};

// The codes that follow a zero count in a run-length stream.
constexpr uint8_t kRleEndOfLine = 0;
constexpr uint8_t kRleEndOfBitmap = 1;
constexpr uint8_t kRleDelta = 2;

uint16_t u16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t u32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

int32_t i32(const uint8_t* p) {
    return static_cast<int32_t>(u32(p));
}

// One colour channel of a 16- or 32-bit pixel.
struct ChannelMask {
    uint32_t mask;
    int shift;
    int bits;
};

// Everything the headers say about the pixels, every offset checked against the file.
struct BmpLayout {
    int width;
    int height;
    bool top_down;
    int bits_per_pixel;
    ChannelMask channel[kChannels];  // 16 and 32 bits
    ChannelMask alpha;               // 16 and 32 bits with bit fields; mask 0 when none is given
    size_t palette_offset;           // 1, 4 and 8 bits
    int palette_entries;
    size_t palette_entry_size;
    size_t pixel_offset;
    size_t stride;
    uint32_t compression;
    size_t rle_bytes;  // RLE4 and RLE8: the length of the stream
};

bool is_supported_depth(int bits, bool core_header) {
    switch (bits) {
        case 1:
        case 4:
        case 8:
        case 24:
            return true;
        case 16:
        case 32:
            return !core_header;
        default:
            return false;
    }
}

bool is_known_header_size(uint32_t size) {
    return size == kCoreHeaderSize || size == kInfoHeaderSize || size == kInfoHeaderV2Size ||
           size == kInfoHeaderV3Size || size == kInfoHeaderV4Size || size == kInfoHeaderV5Size;
}

bool is_run_length(uint32_t compression) {
    return compression == kBiRle8 || compression == kBiRle4;
}

// The compressions each depth may carry.
bool depth_takes_compression(int bits, uint32_t compression) {
    switch (compression) {
        case kBiRgb:
            return true;
        case kBiRle8:
            return bits == 8;
        case kBiRle4:
            return bits == 4;
        case kBiBitfields:
        case kBiAlphaBitfields:
            return bits == 16 || bits == 32;
        default:
            return false;
    }
}

std::string compression_refusal(uint32_t compression, int bits) {
    switch (compression) {
        case kBiRle8:
        case kBiRle4:
            return "BMP run-length encoding " + std::to_string(compression) + " does not fit " +
                   std::to_string(bits) + " bits per pixel";
        case kBiBitfields:
        case kBiAlphaBitfields:
            return "BMP bit-field masks need 16 or 32 bits per pixel, not " + std::to_string(bits);
        case kBiJpeg:
            return "JPEG-compressed BMP files are not supported";
        case kBiPng:
            return "PNG-compressed BMP files are not supported";
        default:
            return "unknown BMP compression " + std::to_string(compression);
    }
}

// A usable mask is non-empty, one run of bits, and inside the pixel.
int make_channel_mask(uint32_t mask, int bits_per_pixel, ChannelMask* channel) {
    if (mask == 0) {
        return -1;
    }
    if (bits_per_pixel < 32 && (mask >> bits_per_pixel) != 0) {
        return -1;
    }
    const int shift = std::countr_zero(mask);
    const uint64_t run = uint64_t{mask} >> shift;
    if ((run & (run + 1)) != 0) {
        return -1;
    }
    *channel = ChannelMask{mask, shift, std::popcount(mask)};
    return 0;
}

// Repeats the value's bits from the top down to fill 8 bits (5 bits abcde give
// abcdeabc), or keeps the top 8 of a wider value.
uint8_t widen_to_8_bits(uint32_t value, int bits) {
    if (bits >= 8) {
        return static_cast<uint8_t>(value >> (bits - 8));
    }
    uint32_t widened = 0;
    int filled = 0;
    while (filled < 8) {
        widened = widened << bits | value;
        filled += bits;
    }
    return static_cast<uint8_t>(widened >> (filled - 8));
}

uint8_t channel_value(uint32_t pixel, const ChannelMask& channel) {
    return widen_to_8_bits((pixel & channel.mask) >> channel.shift, channel.bits);
}

// Reads the masks of a 16- or 32-bit file into layout->channel.
int read_channel_masks(const uint8_t* data, size_t size, uint32_t header_size, uint32_t compression,
                       BmpLayout* layout, size_t* headers_end, PictureRefusal* refusal) {
    uint32_t masks[kChannels];
    if (compression == kBiRgb) {
        const uint32_t* defaults = layout->bits_per_pixel == 16 ? kRgb555Masks : kRgb888Masks;
        std::copy(defaults, defaults + kChannels, masks);
    } else {
        // In the header from V2 on; right after a plain 40-byte header otherwise.
        const size_t mask_start = kInfoHeaderStart + kInfoHeaderSize;
        if (header_size == kInfoHeaderSize) {
            const size_t mask_count = compression == kBiAlphaBitfields ? 4 : 3;
            *headers_end = mask_start + mask_count * kMaskBytes;
            if (*headers_end > size) {
                return refuse(refusal, kTruncated,
                              "truncated BMP file: the bit-field masks are cut off");
            }
        }
        for (int c = 0; c < kChannels; ++c) {
            masks[c] = u32(data + mask_start + kMaskBytes * static_cast<size_t>(c));
        }
        // An alpha mask that is not one run of bits is ignored, as alpha was before.
        if (header_size >= kInfoHeaderV3Size || compression == kBiAlphaBitfields) {
            const uint32_t alpha = u32(data + mask_start + kMaskBytes * kChannels);
            if (make_channel_mask(alpha, layout->bits_per_pixel, &layout->alpha) != 0)
                layout->alpha = ChannelMask{};
        }
    }
    for (int c = 0; c < kChannels; ++c) {
        if (make_channel_mask(masks[c], layout->bits_per_pixel, &layout->channel[c]) != 0) {
            return refuse(refusal, kInvalid, "invalid BMP bit-field mask");
        }
    }
    return 0;
}

int read_palette_layout(size_t size, uint32_t colours_used, bool core_header, BmpLayout* layout,
                        size_t* headers_end, PictureRefusal* refusal) {
    const int64_t full_palette = int64_t{1} << layout->bits_per_pixel;
    if (colours_used > full_palette) {
        return refuse(refusal, kInvalid,
                      "BMP colour count " + std::to_string(colours_used) + " is more than " +
                          std::to_string(layout->bits_per_pixel) + " bits can index");
    }
    // A zero count means all.
    const int64_t entries = colours_used == 0 ? full_palette : colours_used;
    layout->palette_offset = *headers_end;
    layout->palette_entries = static_cast<int>(entries);
    layout->palette_entry_size = core_header ? 3 : 4;
    *headers_end += layout->palette_entry_size * static_cast<size_t>(entries);
    if (*headers_end > size) {
        return refuse(refusal, kTruncated, "truncated BMP file: the colour table is cut off");
    }
    return 0;
}

int read_layout(const uint8_t* data, size_t size, BmpLayout* layout, PictureRefusal* refusal) {
    if (size < kFileHeaderSize + 4) {
        return refuse(refusal, kTruncated, "truncated BMP file: the file header is cut off");
    }
    if (data[0] != 'B' || data[1] != 'M') {
        return refuse(refusal, kNotAPicture, "not a BMP file (no \"BM\" signature)");
    }
    const uint32_t header_size = u32(data + kInfoHeaderStart);
    if (!is_known_header_size(header_size)) {
        return refuse(refusal, kUnsupported,
                      "unsupported BMP header size " + std::to_string(header_size));
    }
    if (kInfoHeaderStart + header_size > size) {
        return refuse(refusal, kTruncated, "truncated BMP file: the info header is cut off");
    }
    const uint8_t* header = data + kInfoHeaderStart;
    const bool core_header = header_size == kCoreHeaderSize;
    int64_t width = 0;
    int64_t height = 0;
    int planes = 0;
    int bits = 0;
    uint32_t compression = kBiRgb;
    uint32_t image_bytes = 0;
    uint32_t colours_used = 0;
    if (core_header) {
        width = u16(header + 4);
        height = u16(header + 6);
        planes = u16(header + 8);
        bits = u16(header + 10);
    } else {
        width = i32(header + 4);
        height = i32(header + 8);
        planes = u16(header + 12);
        bits = u16(header + 14);
        compression = u32(header + 16);
        image_bytes = u32(header + 20);
        colours_used = u32(header + 32);
    }

    if (width <= 0) {
        return refuse(refusal, kInvalid, "invalid BMP width " + std::to_string(width));
    }
    if (height == 0) {
        return refuse(refusal, kInvalid, "invalid BMP height 0");
    }
    layout->top_down = height < 0;
    height = height < 0 ? -height : height;  // 64-bit: no overflow for INT32_MIN
    if (!picture_size_allowed(width, height)) {
        return refuse(
            refusal, size_refusal(width, height),
            "BMP picture too large: " + std::to_string(width) + " x " + std::to_string(height));
    }
    layout->width = static_cast<int>(width);
    layout->height = static_cast<int>(height);

    if (planes != 1) {
        return refuse(refusal, kInvalid, "invalid BMP plane count " + std::to_string(planes));
    }
    if (!is_supported_depth(bits, core_header)) {
        return refuse(refusal, kUnsupported, "unsupported BMP bit depth " + std::to_string(bits));
    }
    layout->bits_per_pixel = bits;
    if (!depth_takes_compression(bits, compression)) {
        return refuse(refusal, kUnsupported, compression_refusal(compression, bits));
    }
    layout->compression = compression;
    if (is_run_length(compression) && layout->top_down) {
        return refuse(refusal, kInvalid,
                      "invalid BMP file: run-length encoded rows cannot be stored top-down");
    }
    const bool masked_depth = bits == 16 || bits == 32;

    size_t headers_end = kInfoHeaderStart + header_size;
    if (masked_depth && read_channel_masks(data, size, header_size, compression, layout,
                                           &headers_end, refusal) != 0) {
        return -1;
    }
    if (bits <= 8 &&
        read_palette_layout(size, colours_used, core_header, layout, &headers_end, refusal) != 0) {
        return -1;
    }

    layout->pixel_offset = u32(data + kPixelOffsetField);
    if (layout->pixel_offset < headers_end) {
        return refuse(refusal, kInvalid, "invalid BMP pixel offset: it points into the headers");
    }
    if (layout->pixel_offset > size) {
        return refuse(refusal, kTruncated,
                      "truncated BMP file: the pixel data starts past the end of the file");
    }
    if (is_run_length(compression)) {
        if (image_bytes == 0) {
            return refuse(refusal, kDamaged, "damaged BMP file: the run-length stream is empty");
        }
        if (image_bytes > size - layout->pixel_offset) {
            return refuse(
                refusal, kTruncated,
                "truncated BMP file: the run-length stream runs past the end of the file");
        }
        layout->rle_bytes = image_bytes;
        return 0;
    }
    const uint64_t row_bits = static_cast<uint64_t>(width) * static_cast<uint64_t>(bits);
    layout->stride = static_cast<size_t>((row_bits + 31) / 32 * 4);
    // The padding of the last row may be missing.
    const uint64_t pixel_bytes =
        static_cast<uint64_t>(layout->stride) * static_cast<uint64_t>(height - 1) +
        (row_bits + 7) / 8;
    if (pixel_bytes > size - layout->pixel_offset) {
        return refuse(refusal, kTruncated,
                      "truncated BMP file: the pixel data runs past the end of the file");
    }
    return 0;
}

struct PaletteColour {
    uint8_t r;
    uint8_t g;
    uint8_t b;
};

void read_palette(const uint8_t* data, const BmpLayout& layout, PaletteColour* palette) {
    for (int e = 0; e < layout.palette_entries; ++e) {
        const uint8_t* bgr =
            data + layout.palette_offset + layout.palette_entry_size * static_cast<size_t>(e);
        palette[e] = PaletteColour{bgr[2], bgr[1], bgr[0]};
    }
}

// The palette index of pixel x in a row of 1, 4 or 8 bits per pixel, most
// significant bits first.
int palette_index(const uint8_t* row, int x, int bits) {
    const int bit_offset = x * bits;
    const int shift = 8 - bits - bit_offset % 8;
    return (row[bit_offset / 8] >> shift) & ((1 << bits) - 1);
}

// Sets *translucent when a pixel's alpha is below full.
int decode_row(const uint8_t* row, const BmpLayout& layout, const PaletteColour* palette,
               uint8_t* out, bool* translucent, PictureRefusal* refusal) {
    for (int x = 0; x < layout.width; ++x, out += 3) {
        switch (layout.bits_per_pixel) {
            case 24:
                out[0] = row[3 * x + 2];
                out[1] = row[3 * x + 1];
                out[2] = row[3 * x];
                break;
            case 16:
            case 32: {
                const uint32_t pixel =
                    layout.bits_per_pixel == 16 ? u16(row + 2 * x) : u32(row + 4 * x);
                for (int c = 0; c < kChannels; ++c) {
                    out[c] = channel_value(pixel, layout.channel[c]);
                }
                if (layout.alpha.mask != 0 && channel_value(pixel, layout.alpha) != kOpaque)
                    *translucent = true;
                break;
            }
            default: {
                const int index = palette_index(row, x, layout.bits_per_pixel);
                if (index >= layout.palette_entries) {
                    return refuse(refusal, kDamaged,
                                  "BMP pixel refers to colour " + std::to_string(index) +
                                      " beyond the colour table");
                }
                out[0] = palette[index].r;
                out[1] = palette[index].g;
                out[2] = palette[index].b;
                break;
            }
        }
    }
    return 0;
}

// Run-length decoding of RLE8 and RLE4 into the picture, whose pixels all
// start black. Stored row 0 is the bottom row of the picture.
class RunLengthDecoder {
  public:
    RunLengthDecoder(const BmpLayout& layout, const PaletteColour* palette, Picture* image)
        : layout_(layout), palette_(palette), image_(image) {}

    int decode(const uint8_t* stream, size_t size, PictureRefusal* refusal) {
        const bool four_bits = layout_.compression == kBiRle4;
        size_t at = 0;
        while (size - at >= 2) {
            const uint8_t count = stream[at];
            const uint8_t value = stream[at + 1];
            at += 2;
            if (count > 0) {  // an encoded run: one index, or two alternating nibbles
                for (int i = 0; i < count; ++i) {
                    const int index = four_bits ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value;
                    if (put(index, refusal) != 0) {
                        return -1;
                    }
                }
                continue;
            }
            if (value == kRleEndOfLine) {
                x_ = 0;
                ++row_;
            } else if (value == kRleEndOfBitmap) {
                if (pixels_set_ == 0) {
                    return refuse(refusal, kDamaged,
                                  "damaged BMP file: the run-length stream sets no pixel");
                }
                return 0;
            } else if (value == kRleDelta) {
                if (size - at < 2) {
                    break;
                }
                x_ += stream[at];
                row_ += stream[at + 1];
                at += 2;
            } else {  // an absolute run of `value` indices, padded to 16 bits
                const size_t bytes = four_bits ? (size_t{value} + 1) / 2 : value;
                const size_t padded = (bytes + 1) / 2 * 2;
                if (size - at < padded) {
                    break;
                }
                for (int i = 0; i < value; ++i) {
                    const uint8_t byte = stream[at + (four_bits ? static_cast<size_t>(i / 2)
                                                                : static_cast<size_t>(i))];
                    const int index = four_bits ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte;
                    if (put(index, refusal) != 0) {
                        return -1;
                    }
                }
                at += padded;
            }
        }
        return refuse(refusal, kDamaged,
                      "damaged BMP file: the run-length stream ends before its end code");
    }

  private:
    // Sets the next pixel of the current row; pixels beyond the picture are dropped.
    int put(int index, PictureRefusal* refusal) {
        if (index >= layout_.palette_entries) {
            return refuse(
                refusal, kDamaged,
                "BMP pixel refers to colour " + std::to_string(index) + " beyond the colour table");
        }
        if (x_ < layout_.width && row_ < layout_.height) {
            const int y = layout_.height - 1 - static_cast<int>(row_);
            uint8_t* out =
                image_->rgb.data() +
                size_t{3} * (static_cast<size_t>(y) * static_cast<size_t>(layout_.width) +
                             static_cast<size_t>(x_));
            out[0] = palette_[index].r;
            out[1] = palette_[index].g;
            out[2] = palette_[index].b;
            ++pixels_set_;
        }
        ++x_;
        return 0;
    }

    const BmpLayout& layout_;
    const PaletteColour* palette_;
    Picture* image_;
    // 64 bits: deltas and runs can push these far past the picture without wrapping.
    int64_t x_ = 0;
    int64_t row_ = 0;
    int64_t pixels_set_ = 0;
};

int decode_rows(const uint8_t* data, const BmpLayout& layout, const PaletteColour* palette,
                Picture* image, PictureRefusal* refusal) {
    const size_t out_row_bytes = size_t{3} * static_cast<size_t>(layout.width);
    for (int stored = 0; stored < layout.height; ++stored) {
        const int y = layout.top_down ? stored : layout.height - 1 - stored;
        const uint8_t* row =
            data + layout.pixel_offset + layout.stride * static_cast<size_t>(stored);
        if (decode_row(row, layout, palette,
                       image->rgb.data() + out_row_bytes * static_cast<size_t>(y),
                       &image->translucent, refusal) != 0) {
            return -1;
        }
    }
    return 0;
}

}  // namespace

int read_bmp(const uint8_t* data, size_t size, Picture* out, PictureRefusal* refusal) {
    *out = Picture{};
    BmpLayout layout{};
    if (read_layout(data, size, &layout, refusal) != 0) {
        return -1;
    }
    PaletteColour palette[256];
    if (layout.bits_per_pixel <= 8) {
        read_palette(data, layout, palette);
    }
    Picture image;
    image.width = layout.width;
    image.height = layout.height;
    image.rgb.assign(
        size_t{3} * static_cast<size_t>(layout.width) * static_cast<size_t>(layout.height), 0);
    const int status = is_run_length(layout.compression)
                           ? RunLengthDecoder(layout, palette, &image)
                                 .decode(data + layout.pixel_offset, layout.rle_bytes, refusal)
                           : decode_rows(data, layout, palette, &image, refusal);
    if (status != 0) {
        return -1;
    }
    *out = std::move(image);
    return 0;
}
