#include "picture_reader.h"

#include <stb_image.h>
#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <span>
#include <utility>

#include "bmp_reader.h"
#include "picture_limits.h"

using enum PictureError;

namespace {

constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr uint8_t kJpegSignature[] = {0xFF, 0xD8, 0xFF};
constexpr uint8_t kBmpSignature[] = {'B', 'M'};
static_assert(sizeof kPngSignature <= kPictureSignatureBytes);

// A PNG chunk: 4 bytes of length, 4 of type, the data, 4 of CRC over type and data.
constexpr size_t kPngChunkFrame = 12;
constexpr uint32_t kPngMaxChunkLength = 0x7FFFFFFF;
constexpr uint32_t kPngHeaderLength = 13;
constexpr size_t kPngColourTypeAt = 9;  // in the IHDR data
constexpr size_t kPngDepthAt = 8;
constexpr size_t kPngInterlaceAt = 12;
constexpr uint8_t kPngGreyAlpha = 4;
constexpr uint8_t kPngRgbAlpha = 6;
// stb inflates into a buffer sized by an int.
constexpr uint64_t kPngMaxFilteredBytes = INT_MAX;

// JPEG markers.
constexpr uint8_t kJpegMarkerPrefix = 0xFF;
constexpr uint8_t kJpegStuffedZero = 0x00;
constexpr uint8_t kJpegTem = 0x01;
constexpr uint8_t kJpegRestartFirst = 0xD0;
constexpr uint8_t kJpegRestartLast = 0xD7;
constexpr uint8_t kJpegEndOfImage = 0xD9;
constexpr uint8_t kJpegStartOfScan = 0xDA;
constexpr uint8_t kJpegHuffmanTables = 0xC4;
constexpr uint8_t kJpegBaselineFrame = 0xC0;
constexpr uint8_t kJpegProgressiveFrame = 0xC2;
// Every SOF marker from C0 to CF states the sides, apart from these three.
constexpr uint8_t kJpegLastFrame = 0xCF;
constexpr uint8_t kJpegExtensionsReserved = 0xC8;
constexpr uint8_t kJpegArithmeticConditioning = 0xCC;
constexpr int kJpegBlockSide = 8;
constexpr int kBitsPerByte = 8;
constexpr size_t kJpegHuffmanCodeLengths = 16;
constexpr size_t kJpegMaxHuffmanCodes = 256;

constexpr int kRgbChannels = 3;
constexpr int kRgbaChannels = 4;
constexpr uint8_t kOpaqueAlpha = 255;

template <size_t N>
bool starts_with(const uint8_t* data, size_t size, const uint8_t (&magic)[N]) {
    return size >= N && std::equal(magic, magic + N, data);
}

uint32_t big_endian_u32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | static_cast<uint32_t>(p[3]);
}

// Inflates the concatenated IDAT data without keeping it, only to prove the zlib
// stream whole: stb neither checks the Adler-32 nor minds a stream cut short.
class ZlibStreamCheck {
  public:
    ZlibStreamCheck() { ready_ = inflateInit(&stream_) == Z_OK; }
    ~ZlibStreamCheck() {
        if (ready_) {
            inflateEnd(&stream_);
        }
    }
    ZlibStreamCheck(const ZlibStreamCheck&) = delete;
    ZlibStreamCheck& operator=(const ZlibStreamCheck&) = delete;

    // False once the stream is found damaged.
    bool feed(const uint8_t* data, uint32_t length) {
        if (!ready_) {
            return false;
        }
        if (finished_) {
            return true;  // stb ignores data after the end of the stream
        }
        stream_.next_in = const_cast<Bytef*>(data);
        stream_.avail_in = length;
        while (true) {
            stream_.next_out = scratch_;
            stream_.avail_out = sizeof scratch_;
            const int status = inflate(&stream_, Z_NO_FLUSH);
            if (status == Z_STREAM_END) {
                finished_ = true;
                return true;
            }
            if (status != Z_OK && status != Z_BUF_ERROR) {
                return false;
            }
            if (stream_.avail_in == 0 && stream_.avail_out != 0) {
                return true;
            }
        }
    }

    bool finished() const { return finished_; }
    uint64_t inflated_bytes() const { return stream_.total_out; }

  private:
    z_stream stream_{};
    bool ready_ = false;
    bool finished_ = false;
    Bytef scratch_[16384];
};

// The inflated bytes the IHDR promises: each row of each pass (seven when
// interlaced) is a filter byte and its packed samples. 0 for a depth and colour
// type that PNG does not pair, which stb refuses on its own.
uint64_t png_filtered_bytes(const uint8_t* ihdr) {
    const uint64_t width = big_endian_u32(ihdr);
    const uint64_t height = big_endian_u32(ihdr + 4);
    const uint8_t depth = ihdr[kPngDepthAt];
    uint64_t channels = 0;
    switch (ihdr[kPngColourTypeAt]) {
        case 0:
            channels = 1;
            break;  // grey
        case 2:
            channels = 3;
            break;  // RGB
        case 3:
            channels = depth <= 8 ? 1 : 0;
            break;  // palette
        case kPngGreyAlpha:
            channels = 2;
            break;
        case kPngRgbAlpha:
            channels = 4;
            break;
        default:
            break;
    }
    if (depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16) {
        channels = 0;
    }
    struct Pass {
        uint64_t x0, dx, y0, dy;
    };
    constexpr Pass kWhole[] = {{0, 1, 0, 1}};
    constexpr Pass kAdam7[] = {{0, 8, 0, 8}, {4, 8, 0, 8}, {0, 4, 4, 8}, {2, 4, 0, 4},
                               {0, 2, 2, 4}, {1, 2, 0, 2}, {0, 1, 1, 2}};
    const bool interlaced = ihdr[kPngInterlaceAt] != 0;
    uint64_t bytes = 0;
    for (const Pass& pass :
         interlaced ? std::span<const Pass>(kAdam7) : std::span<const Pass>(kWhole)) {
        const uint64_t columns = width > pass.x0 ? (width - pass.x0 + pass.dx - 1) / pass.dx : 0;
        const uint64_t rows = height > pass.y0 ? (height - pass.y0 + pass.dy - 1) / pass.dy : 0;
        if (columns != 0) {
            bytes += rows * (1 + (columns * channels * depth + kBitsPerByte - 1) / kBitsPerByte);
        }
    }
    return channels == 0 ? 0 : bytes;
}

// *has_alpha tells whether the file may hold a pixel that is not fully opaque: its
// colour type carries alpha, or it has a tRNS chunk.
int check_png(const uint8_t* data, size_t size, bool* has_alpha, PictureRefusal* refusal) {
    size_t at = sizeof kPngSignature;
    *has_alpha = false;
    bool first = true;
    bool saw_data = false;
    uint64_t filtered_bytes = 0;
    ZlibStreamCheck zlib_stream;
    while (true) {
        if (size - at < kPngChunkFrame) {
            return refuse(refusal, kTruncated, "truncated PNG file: it ends before its IEND chunk");
        }
        const uint32_t length = big_endian_u32(data + at);
        const uint8_t* type = data + at + 4;
        // A chunk type is four ASCII letters; anything else shows as '?', so a
        // damaged file cannot put control characters into the message.
        std::string type_name(4, '?');
        for (int i = 0; i < 4; ++i) {
            if ((type[i] >= 'A' && type[i] <= 'Z') || (type[i] >= 'a' && type[i] <= 'z'))
                type_name[i] = static_cast<char>(type[i]);
        }
        if (length > kPngMaxChunkLength || length > size - at - kPngChunkFrame) {
            return refuse(
                refusal, kTruncated,
                "truncated PNG file: chunk " + type_name + " runs past the end of the file");
        }
        const uint8_t* chunk_data = type + 4;
        const uLong crc = crc32(crc32(0L, Z_NULL, 0), type, 4 + length);
        if (crc != big_endian_u32(chunk_data + length)) {
            return refuse(refusal, kDamaged,
                          "damaged PNG file: chunk " + type_name + " fails its CRC check");
        }
        if (first) {
            if (type_name != "IHDR" || length != kPngHeaderLength) {
                return refuse(refusal, kDamaged,
                              "damaged PNG file: it does not begin with its IHDR chunk");
            }
            const uint32_t width = big_endian_u32(chunk_data);
            const uint32_t height = big_endian_u32(chunk_data + 4);
            if (!picture_size_allowed(width, height)) {
                return refuse(refusal, size_refusal(width, height),
                              "PNG picture too large or empty: " + std::to_string(width) + " x " +
                                  std::to_string(height));
            }
            const uint8_t colour_type = chunk_data[kPngColourTypeAt];
            *has_alpha = colour_type == kPngGreyAlpha || colour_type == kPngRgbAlpha;
            filtered_bytes = png_filtered_bytes(chunk_data);
            if (filtered_bytes > kPngMaxFilteredBytes) {
                return refuse(refusal, kTooLarge,
                              "PNG picture too large to decode: " + std::to_string(width) + " x " +
                                  std::to_string(height) + " at " +
                                  std::to_string(chunk_data[kPngDepthAt]) + " bits a sample");
            }
            first = false;
        } else if (type_name == "tRNS") {
            *has_alpha = true;
        } else if (type_name == "IDAT") {
            saw_data = true;
            if (!zlib_stream.feed(chunk_data, length)) {
                return refuse(refusal, kDamaged,
                              "damaged PNG file: its image data does not inflate");
            }
        } else if (type_name == "IEND") {
            break;
        }
        at += kPngChunkFrame + length;
    }
    if (!saw_data || !zlib_stream.finished()) {
        return refuse(refusal, kDamaged, "damaged PNG file: its image data is missing or cut off");
    }
    // Checked before stb sets aside the whole picture's memory for it.
    if (zlib_stream.inflated_bytes() < filtered_bytes) {
        return refuse(refusal, kDamaged,
                      "damaged PNG file: its image data holds fewer rows than its sides need");
    }
    return 0;
}

// The Huffman tables a JPEG file has defined so far, one bit per class (DC, AC)
// and id (0 to 3). stb reads an undefined table's uninitialised memory.
class HuffmanTablesDefined {
  public:
    // Records a DHT segment's tables, each a class-and-id byte, 16 counts of codes
    // by length and the symbols. False when one does not fit the segment or has
    // more than 256 codes (stb writes a larger count past the end of its tables).
    bool record(const uint8_t* segment, size_t length) {
        size_t at = 0;
        while (at < length) {
            if (length - at < 1 + kJpegHuffmanCodeLengths) {
                return false;
            }
            const int table_class = segment[at] >> 4;
            const int id = segment[at] & 0x0F;
            if (table_class > kAc || id >= kIds) {
                return false;
            }
            size_t codes = 0;
            for (size_t i = 0; i < kJpegHuffmanCodeLengths; ++i) {
                codes += segment[at + 1 + i];
            }
            at += 1 + kJpegHuffmanCodeLengths;
            if (codes > kJpegMaxHuffmanCodes || codes > length - at) {
                return false;
            }
            at += codes;
            defined_ |= 1u << (table_class * kIds + id);
        }
        return true;
    }

    // Whether every table the SOS segment's scan decodes with is defined. In a
    // progressive frame a DC scan uses only DC tables, and none when it refines;
    // an AC scan uses only AC tables.
    bool cover_scan(const uint8_t* segment, size_t length, bool progressive) const {
        if (length < 1) {
            return false;
        }
        const size_t components = segment[0];
        if (length < 1 + 2 * components + 3) {
            return false;
        }
        const uint8_t spectral_start = segment[1 + 2 * components];
        const uint8_t approximation_high = segment[3 + 2 * components] >> 4;
        const bool uses_dc = !progressive || (spectral_start == 0 && approximation_high == 0);
        const bool uses_ac = !progressive || spectral_start != 0;
        for (size_t c = 0; c < components; ++c) {
            const uint8_t selectors = segment[2 + 2 * c];
            if ((uses_dc && !has(kDc, selectors >> 4)) ||
                (uses_ac && !has(kAc, selectors & 0x0F))) {
                return false;
            }
        }
        return true;
    }

  private:
    static constexpr int kDc = 0;
    static constexpr int kAc = 1;
    static constexpr int kIds = 4;

    bool has(int table_class, int id) const {
        return id < kIds && (defined_ >> (table_class * kIds + id) & 1u) != 0;
    }

    unsigned defined_ = 0;
};

bool is_standalone_jpeg_marker(uint8_t marker) {
    return marker == kJpegTem || (marker >= kJpegRestartFirst && marker <= kJpegRestartLast);
}

// The number of MCUs of the frame whose SOF segment this is (baseline,
// extended or progressive), or 0 when the segment is malformed. Every MCU takes
// at least one bit of scan data (a DC code for each of its blocks).
int64_t jpeg_mcu_count(const uint8_t* segment, size_t length) {
    constexpr size_t kFrameFields = 6;  // precision, height, width, component count
    constexpr size_t kComponentFields = 3;
    if (length < kFrameFields) {
        return 0;
    }
    const int64_t height = segment[1] << 8 | segment[2];
    const int64_t width = segment[3] << 8 | segment[4];
    const size_t components = segment[5];
    if (length < kFrameFields + kComponentFields * components) {
        return 0;
    }
    int64_t max_horizontal = 1;
    int64_t max_vertical = 1;
    for (size_t c = 0; c < components; ++c) {
        const uint8_t sampling = segment[kFrameFields + kComponentFields * c + 1];
        max_horizontal = std::max<int64_t>(max_horizontal, sampling >> 4);
        max_vertical = std::max<int64_t>(max_vertical, sampling & 0x0F);
    }
    const int64_t mcu_width = kJpegBlockSide * max_horizontal;
    const int64_t mcu_height = kJpegBlockSide * max_vertical;
    return ((width + mcu_width - 1) / mcu_width) * ((height + mcu_height - 1) / mcu_height);
}

// Walks the marker segments from SOI to EOI, stepping over each scan's
// entropy-coded data (where 0xFF is followed by a stuffed zero or a restart
// marker).
int check_jpeg(const uint8_t* data, size_t size, PictureRefusal* refusal) {
    const std::string truncated = "truncated JPEG file: it ends before its EOI marker";
    size_t at = 2;  // after SOI
    HuffmanTablesDefined tables;
    bool progressive = false;
    int64_t mcus = 0;
    uint64_t scan_bytes = 0;
    while (true) {
        if (at >= size) {
            return refuse(refusal, kTruncated, truncated);
        }
        if (data[at] != kJpegMarkerPrefix) {
            return refuse(refusal, kDamaged,
                          "damaged JPEG file: no marker at byte " + std::to_string(at));
        }
        while (at < size && data[at] == kJpegMarkerPrefix) {
            ++at;  // a marker may be preceded by fill bytes
        }
        if (at >= size) {
            return refuse(refusal, kTruncated, truncated);
        }
        const uint8_t marker = data[at++];
        if (marker == kJpegEndOfImage) {
            // stb would pad scans that are too short with zeros.
            if (static_cast<int64_t>(scan_bytes * kBitsPerByte) < mcus) {
                return refuse(refusal, kTruncated,
                              "truncated JPEG file: its scan data is too short for its size");
            }
            return 0;
        }
        if (is_standalone_jpeg_marker(marker)) {
            continue;
        }
        if (marker == kJpegStuffedZero) {
            return refuse(refusal, kDamaged,
                          "damaged JPEG file: no marker at byte " + std::to_string(at - 2));
        }
        if (size - at < 2) {
            return refuse(refusal, kTruncated, truncated);
        }
        const size_t length = size_t{data[at]} << 8 | data[at + 1];
        if (length < 2) {
            return refuse(refusal, kDamaged, "damaged JPEG file: a segment length below 2");
        }
        if (length > size - at) {
            return refuse(refusal, kTruncated,
                          "truncated JPEG file: a marker segment runs past the end");
        }
        const uint8_t* segment = data + at + 2;
        if (marker == kJpegHuffmanTables && !tables.record(segment, length - 2)) {
            return refuse(refusal, kDamaged,
                          "damaged JPEG file: a Huffman table that does not fit");
        }
        if (marker >= kJpegBaselineFrame && marker <= kJpegProgressiveFrame) {
            progressive = marker == kJpegProgressiveFrame;
            mcus = jpeg_mcu_count(segment, length - 2);
        }
        if (marker == kJpegStartOfScan && !tables.cover_scan(segment, length - 2, progressive)) {
            return refuse(refusal, kDamaged,
                          "damaged JPEG file: a scan uses a Huffman table never defined");
        }
        at += length;
        if (marker != kJpegStartOfScan) {
            continue;
        }
        const size_t scan_start = at;
        while (true) {
            if (size - at < 2) {
                return refuse(refusal, kTruncated, truncated);
            }
            if (data[at] != kJpegMarkerPrefix) {
                ++at;
                continue;
            }
            const uint8_t next = data[at + 1];
            if (next == kJpegStuffedZero ||
                (next >= kJpegRestartFirst && next <= kJpegRestartLast)) {
                at += 2;
            } else if (next == kJpegMarkerPrefix) {
                ++at;
            } else {
                break;  // the marker after the scan
            }
        }
        scan_bytes += at - scan_start;
    }
}

// With has_alpha, the pixels are decoded with their alpha, which only sets
// Picture::translucent.
int decode_with_stb(const uint8_t* data, size_t size, const char* format, bool has_alpha,
                    Picture* out, PictureRefusal* refusal) {
    if (size > static_cast<size_t>(INT_MAX)) {
        return refuse(refusal, kTooLarge, std::string(format) + " file too large");
    }
    const int length = static_cast<int>(size);
    int width = 0;
    int height = 0;
    int channels = 0;
    if (stbi_info_from_memory(data, length, &width, &height, &channels) == 0) {
        return refuse(refusal, kUndecodable,
                      std::string("cannot decode ") + format + ": " + stbi_failure_reason());
    }
    if (!picture_size_allowed(width, height)) {
        return refuse(refusal, size_refusal(width, height),
                      std::string(format) + " picture too large or empty: " +
                          std::to_string(width) + " x " + std::to_string(height));
    }
    const int decoded_channels = has_alpha ? kRgbaChannels : kRgbChannels;
    stbi_uc* pixels =
        stbi_load_from_memory(data, length, &width, &height, &channels, decoded_channels);
    if (pixels == nullptr) {
        return refuse(refusal, kUndecodable,
                      std::string("cannot decode ") + format + ": " + stbi_failure_reason());
    }
    Picture image;
    image.width = width;
    image.height = height;
    const size_t pixel_count = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (has_alpha) {
        image.rgb.resize(size_t{kRgbChannels} * pixel_count);
        for (size_t i = 0; i < pixel_count; ++i) {
            const stbi_uc* pixel = pixels + size_t{kRgbaChannels} * i;
            std::copy(pixel, pixel + kRgbChannels, image.rgb.begin() + kRgbChannels * i);
            image.translucent |= pixel[kRgbChannels] != kOpaqueAlpha;
        }
    } else {
        image.rgb.assign(pixels, pixels + size_t{kRgbChannels} * pixel_count);
    }
    stbi_image_free(pixels);
    *out = std::move(image);
    return 0;
}

uint32_t little_endian_u32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// BMP: the core header's 16-bit sides, or the later headers' 32-bit ones (a
// negative height for rows stored top-down).
bool bmp_header_sides(const uint8_t* data, size_t size, int64_t* width, int64_t* height) {
    constexpr size_t kInfoHeaderAt = 14;
    constexpr uint32_t kCoreHeaderBytes = 12;
    if (size < kInfoHeaderAt + 12) {
        return false;
    }
    const uint8_t* header = data + kInfoHeaderAt;
    if (little_endian_u32(header) == kCoreHeaderBytes) {
        *width = header[4] | header[5] << 8;
        *height = header[6] | header[7] << 8;
    } else {
        *width = static_cast<int32_t>(little_endian_u32(header + 4));
        *height =
            std::abs(static_cast<int64_t>(static_cast<int32_t>(little_endian_u32(header + 8))));
    }
    return true;
}

// JPEG: the first frame header, found by stepping over the marker segments before it.
bool jpeg_header_sides(const uint8_t* data, size_t size, int64_t* width, int64_t* height) {
    size_t at = 2;  // after SOI
    while (at + 4 <= size && data[at] == kJpegMarkerPrefix) {
        while (at + 4 <= size && data[at] == kJpegMarkerPrefix) {
            ++at;
        }
        const uint8_t marker = data[at++];
        if (is_standalone_jpeg_marker(marker)) {
            continue;
        }
        const size_t length = size_t{data[at]} << 8 | data[at + 1];
        const bool frame = marker >= kJpegBaselineFrame && marker <= kJpegLastFrame &&
                           marker != kJpegHuffmanTables && marker != kJpegExtensionsReserved &&
                           marker != kJpegArithmeticConditioning;
        if (frame && length >= 7 && at + 7 <= size) {
            *height = data[at + 3] << 8 | data[at + 4];
            *width = data[at + 5] << 8 | data[at + 6];
            return true;
        }
        if (marker == kJpegStartOfScan || length < 2) {
            return false;
        }
        at += length;
    }
    return false;
}

}  // namespace

bool picture_header_sides(const uint8_t* data, size_t size, int64_t* width, int64_t* height) {
    constexpr size_t kPngSidesAt = sizeof kPngSignature + 8;  // after IHDR's length and type
    if (starts_with(data, size, kBmpSignature)) {
        return bmp_header_sides(data, size, width, height);
    }
    if (starts_with(data, size, kPngSignature) && size >= kPngSidesAt + 8) {
        *width = big_endian_u32(data + kPngSidesAt);
        *height = big_endian_u32(data + kPngSidesAt + 4);
        return true;
    }
    if (starts_with(data, size, kJpegSignature)) {
        return jpeg_header_sides(data, size, width, height);
    }
    return false;
}

bool has_picture_signature(const uint8_t* head, size_t count) {
    return starts_with(head, count, kBmpSignature) || starts_with(head, count, kPngSignature) ||
           starts_with(head, count, kJpegSignature);
}

bool has_jpeg_signature(const uint8_t* head, size_t count) {
    return starts_with(head, count, kJpegSignature);
}

int read_picture(const uint8_t* data, size_t size, Picture* out, PictureRefusal* refusal) {
    *out = Picture{};
    if (starts_with(data, size, kBmpSignature)) {
        return read_bmp(data, size, out, refusal);
    }
    if (starts_with(data, size, kPngSignature)) {
        bool has_alpha = false;
        if (check_png(data, size, &has_alpha, refusal) != 0) {
            return -1;
        }
        return decode_with_stb(data, size, "PNG", has_alpha, out, refusal);
    }
    if (starts_with(data, size, kJpegSignature)) {
        if (check_jpeg(data, size, refusal) != 0) {
            return -1;
        }
        return decode_with_stb(data, size, "JPEG", false, out, refusal);
    }
    return refuse(refusal, kNotAPicture, "not a BMP, PNG or JPEG file");
}
