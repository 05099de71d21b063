// Module matrices for test pictures: design codes from our encoder and from
// libqrencode (its own mask choice), ordinary QR codes, and the symbols that
// must never give a record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "design_record.h"

struct SymbolModules {
    int side = 0;
    std::vector<uint8_t> dark;  // side * side, row-major, 1 dark
    bool at(int row, int col) const { return dark[row * side + col] != 0; }
};

// The record's design code as our encoder writes it (mask 3).
SymbolModules our_design_symbol(const RecordBytes& record);
// The same payload as libqrencode writes it: version 19, level M, its own mask.
SymbolModules other_design_symbol(const RecordBytes& record);
// An ordinary QR code of a text (a link, say) at level M.
SymbolModules text_symbol(const std::string& text);

enum class NotADesign {
    version_20,  // 620 bytes, version 20 level M
    level_l,     // 620 bytes at level L
    level_q,     // 620 bytes at level Q (a larger version)
    bytes_600,   // 600 bytes, version 19 level M
    bytes_619,
    bytes_621,
    two_segments,   // 310 + 310 bytes
    eci_header,     // an ECI designator, then 620 bytes
    alphanumeric,   // level M in alphanumeric mode, a text too long for version 19
    numeric,        // level M in numeric mode, likewise
    random_data,    // our function patterns and format, random data modules
    beyond_repair,  // a design code with a third of its data modules flipped
};
inline constexpr int kNotADesignKinds = 12;

SymbolModules not_a_design_symbol(NotADesign kind, uint32_t seed);
