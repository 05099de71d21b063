// The layout of the 620-byte design record that one QR code carries. Numbers are
// little-endian; texts are UTF-16LE code units followed by zero bytes to the end
// of their field.
#pragma once

#include <array>
#include <cstdint>

#include "colour_slots.h"
#include "tile.h"

inline constexpr int kDesignRecordSize = 620;
using RecordBytes = std::array<uint8_t, kDesignRecordSize>;

inline constexpr int kDesignNameOffset = 0;
inline constexpr int kDesignNameLength = 42;
inline constexpr char16_t kDesignName[] = u"デザイン";

inline constexpr int kAuthorNumberOffset = 42;
inline constexpr uint16_t kAuthorNumber = 0xB704;

inline constexpr int kAuthorNameOffset = 44;
inline constexpr int kAuthorNameLength = 20;
inline constexpr char16_t kAuthorName[] = u"もぷ";

inline constexpr int kVillageNumberOffset = 64;
inline constexpr uint16_t kVillageNumber = 0x9680;

inline constexpr int kVillageNameOffset = 66;
inline constexpr int kVillageNameLength = 22;
inline constexpr char16_t kVillageName[] = u"ヌバロテ";

// Palette codes of colour slots 0 to 14; 0x00 for every slot at or above n.
inline constexpr int kPaletteCodesOffset = 88;
inline constexpr int kPaletteCodesLength = kSlotCount;

// Five bytes that every written record carries unchanged.
inline constexpr int kFixedBytesOffset = 103;
inline constexpr uint8_t kFixedBytes[] = {0x00, 0x0A, 0x09, 0x00, 0x00};
inline constexpr int kFixedBytesLength = sizeof kFixedBytes;

// 32 rows of 16 bytes, row 0 at the top of the design. Byte b of a row holds the
// slot of pixel x = 2b in its low nibble and of pixel x = 2b + 1 in its high nibble.
inline constexpr int kPixelDataOffset = 108;
inline constexpr int kPixelRowBytes = kTileSide / 2;
inline constexpr int kPixelDataLength = kTileSide * kPixelRowBytes;

static_assert(kDesignNameOffset + kDesignNameLength == kAuthorNumberOffset);
static_assert(kAuthorNumberOffset + 2 == kAuthorNameOffset);
static_assert(kAuthorNameOffset + kAuthorNameLength == kVillageNumberOffset);
static_assert(kVillageNumberOffset + 2 == kVillageNameOffset);
static_assert(kVillageNameOffset + kVillageNameLength == kPaletteCodesOffset);
static_assert(kPaletteCodesOffset + kPaletteCodesLength == kFixedBytesOffset);
static_assert(kFixedBytesOffset + kFixedBytesLength == kPixelDataOffset);
static_assert(kPixelDataOffset + kPixelDataLength == kDesignRecordSize);
