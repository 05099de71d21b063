// The one QR profile this program writes and reads: model 2, version 19,
// level M, one byte-mode segment of 620 bytes, data mask 3.
#pragma once

#include <cstdint>

inline constexpr int kQrVersion = 19;
inline constexpr int kQrSide = 4 * kQrVersion + 17;  // 93 modules
inline constexpr int kQrCells = kQrSide * kQrSide;   // 8649
inline constexpr int kQrPayloadLength = 620;         // one design record

inline constexpr int kQrDataCodewords = 627;
inline constexpr int kQrEcCodewordsPerBlock = 26;
inline constexpr int kQrBlockCount = 14;
inline constexpr int kQrEcCodewords = kQrEcCodewordsPerBlock * kQrBlockCount;                // 364
inline constexpr int kQrTotalCodewords = kQrDataCodewords + kQrEcCodewords;                  // 991
inline constexpr int kQrShortBlockLength = kQrDataCodewords / kQrBlockCount;                 // 44
inline constexpr int kQrShortBlockCount = kQrBlockCount - kQrDataCodewords % kQrBlockCount;  // 3
inline constexpr int kQrLongBlockLength = kQrShortBlockLength + 1;                           // 45
inline constexpr int kQrDataModules = kQrTotalCodewords * 8 + 3;  // 7931, 3 remainder bits

inline constexpr int kQrMaskPattern = 3;
inline constexpr uint8_t kQrModeByte = 0x4;

// Working-matrix cell values. Bit 0 is the module's colour (1 = dark);
// a cell is a function or reserved cell exactly when value & kCellFunctionBits != 0.
inline constexpr uint8_t kCellLight = 0x00;
inline constexpr uint8_t kCellDark = 0x01;
inline constexpr uint8_t kCellReserved = 0x40;
inline constexpr uint8_t kCellFunctionLight = 0x80;
inline constexpr uint8_t kCellFunctionDark = 0x81;
inline constexpr uint8_t kCellFunctionBits = 0xC0;

// Data length and start of block b within the codeword buffer's data part.
constexpr int block_data_length(int block) {
    return block < kQrShortBlockCount ? kQrShortBlockLength : kQrLongBlockLength;
}
constexpr int block_data_start(int block) {
    return kQrShortBlockLength * block +
           (block > kQrShortBlockCount ? block - kQrShortBlockCount : 0);
}
constexpr int block_ec_start(int block) {
    return kQrDataCodewords + kQrEcCodewordsPerBlock * block;
}
