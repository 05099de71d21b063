// Several pictures read and scanned at once, one on each core, as far as the
// memory allows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "design_scanner.h"

struct PictureToScan {
    std::string path;     // UTF-8, as given: an operand, or a folder operand and a file's name
    std::string refusal;  // set when it was refused before it was read
};

struct PictureScan {
    std::string refusal;  // why the picture was not read; empty when it was
    ScanResult result;
};

// A picture of this many pixels held while it is scanned: its RGB, the
// scanner's planes of it, and its file's bytes while it is decoded.
inline constexpr uint64_t kScanBytesPerPixel = 8;

// Reads and scans every picture, up to `threads` at once (the scanner itself on
// one thread each), holding at once only pictures whose pixels need at most
// `memory_bytes` between them (one picture is always let through). Hands each
// to `take` on the calling thread, in the order given, once it and every one
// before it are done. Should `take` throw, the pictures still running are
// cancelled and waited for first.
void scan_pictures(const std::vector<PictureToScan>& pictures, int threads, uint64_t memory_bytes,
                   const std::function<void(size_t, const PictureScan&)>& take);
