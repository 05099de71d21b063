#include "clipboard_picture.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "whole_files.h"

namespace {

constexpr size_t kFileHeaderBytes = sizeof(BITMAPFILEHEADER);
constexpr WORD kBmpSignature = 'B' | 'M' << 8;
constexpr DWORD kAlphaBitfields = 6;  // BI_ALPHABITFIELDS: four masks
constexpr size_t kColourMasks = 3;
constexpr size_t kColourAndAlphaMasks = 4;
constexpr WORD kMostBitsWithColourTable = 8;

size_t colour_table_entries(WORD bits_per_pixel, DWORD colours_used) {
    if (colours_used != 0) {
        return colours_used;
    }
    return bits_per_pixel <= kMostBitsWithColourTable ? size_t{1} << bits_per_pixel : 0;
}

// Where a packed DIB's pixels begin: after its header, the colour masks that
// follow a BITMAPINFOHEADER with bit fields, and the colour table. 0 when the
// header can't be read.
size_t pixel_offset(const uint8_t* dib, size_t size) {
    DWORD header_bytes = 0;
    if (size < sizeof header_bytes) {
        return 0;
    }
    std::memcpy(&header_bytes, dib, sizeof header_bytes);
    if (header_bytes == sizeof(BITMAPCOREHEADER) && size >= header_bytes) {
        BITMAPCOREHEADER core;
        std::memcpy(&core, dib, sizeof core);
        return header_bytes + colour_table_entries(core.bcBitCount, 0) * sizeof(RGBTRIPLE);
    }
    if (header_bytes < sizeof(BITMAPINFOHEADER) || size < sizeof(BITMAPINFOHEADER)) {
        return 0;
    }
    BITMAPINFOHEADER info;
    std::memcpy(&info, dib, sizeof info);
    size_t masks = 0;
    if (header_bytes == sizeof(BITMAPINFOHEADER) && info.biCompression == BI_BITFIELDS) {
        masks = kColourMasks;
    } else if (header_bytes == sizeof(BITMAPINFOHEADER) && info.biCompression == kAlphaBitfields) {
        masks = kColourAndAlphaMasks;
    }
    return header_bytes + masks * sizeof(DWORD) +
           colour_table_entries(info.biBitCount, info.biClrUsed) * sizeof(RGBQUAD);
}

// The packed DIB read as the BMP file it would be, with a file header in front.
PictureLoad read_packed_dib(const uint8_t* dib, size_t size, Picture* picture) {
    const size_t offset = pixel_offset(dib, size);
    if (offset == 0 || offset > size || size > MAXDWORD - kFileHeaderBytes) {
        return PictureLoad::unreadable;
    }
    BITMAPFILEHEADER header{};
    header.bfType = kBmpSignature;
    header.bfSize = static_cast<DWORD>(kFileHeaderBytes + size);
    header.bfOffBits = static_cast<DWORD>(kFileHeaderBytes + offset);
    std::vector<uint8_t> file(kFileHeaderBytes + size);
    std::memcpy(file.data(), &header, kFileHeaderBytes);
    std::memcpy(file.data() + kFileHeaderBytes, dib, size);
    return picture_from_bytes(file, picture);
}

}  // namespace

PictureLoad read_clipboard_picture(HWND owner, Picture* picture) {
    if (!OpenClipboard(owner)) {
        return PictureLoad::unreadable;
    }
    PictureLoad load = PictureLoad::unreadable;
    for (const UINT format : {CF_DIBV5, CF_DIB}) {
        HANDLE data = IsClipboardFormatAvailable(format) ? GetClipboardData(format) : nullptr;
        const auto* dib = data != nullptr ? static_cast<const uint8_t*>(GlobalLock(data)) : nullptr;
        if (dib == nullptr) {
            continue;
        }
        try {
            load = read_packed_dib(dib, GlobalSize(data), picture);
        } catch (const std::bad_alloc&) {
            load = PictureLoad::too_large;
        }
        GlobalUnlock(data);
        if (load != PictureLoad::unreadable) {
            break;
        }
    }
    CloseClipboard();
    return load;
}
