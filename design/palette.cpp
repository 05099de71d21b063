#include "palette.h"

#include <array>

namespace {

// Row: hue group (high digit of the code); column: shade (low digit); 0xRRGGBB.
constexpr uint32_t kColouredRgb[kHueGroupCount][kShadeCount] = {
    {0xFFEFFF, 0xFF9AAD, 0xEF559C, 0xE165AD, 0xFF0063, 0xBD4573, 0xCE0052, 0x9C0031, 0x522031},
    {0xFFBACE, 0xFF7573, 0xDE3010, 0xFF5542, 0xFF0000, 0xCE6563, 0xBD4542, 0xBD0000, 0x8C2021},
    {0xDECFBD, 0xFFCF63, 0xDE6521, 0xFFAA21, 0xFF6500, 0xBD8A52, 0xDE4500, 0xBD4500, 0x633010},
    {0xFFEFDE, 0xFFDFCE, 0xFFCFAD, 0xFFBA8C, 0xFFAA8C, 0xDE8A63, 0xBD6542, 0x9C5531, 0x8C4521},
    {0xFFD1FF, 0xEF8AFF, 0xCE65DE, 0xBD8ACE, 0xCE00FF, 0x9C659C, 0x6800AD, 0x520073, 0x310042},
    {0xFFBAFF, 0xFF9AFF, 0xDE20BD, 0xFF55EF, 0xFF00CE, 0x8C5573, 0xBD009C, 0x8C0063, 0x520042},
    {0xDEBA9C, 0xCEAA73, 0x734531, 0xAD7542, 0x9C3000, 0x733021, 0x522000, 0x311000, 0x211000},
    {0xFFFFCE, 0xFFFF73, 0xDEDF21, 0xFFFF00, 0xFFDF00, 0xCEAA00, 0x9C9A00, 0x8C7500, 0x525500},
    {0xDEBAFF, 0xBD9AEF, 0x6330CE, 0x9C55FF, 0x6300FF, 0x52458C, 0x42009C, 0x210063, 0x211031},
    {0xBDBAFF, 0x8C9AFF, 0x3130AD, 0x3155EF, 0x0000FF, 0x31308C, 0x0000AD, 0x101063, 0x000021},
    {0x9CEFBD, 0x63CF73, 0x216510, 0x42AA31, 0x008A31, 0x527552, 0x215500, 0x103021, 0x002010},
    {0xDEFFBD, 0xCEFF8C, 0x8CAA52, 0xADDF8C, 0x8CFF00, 0xADBA9C, 0x63BA00, 0x529A00, 0x316500},
    {0xBDDFFF, 0x73CFFF, 0x31559C, 0x639AFF, 0x1075FF, 0x4275AD, 0x214573, 0x002073, 0x001042},
    {0xADFFFF, 0x52FFFF, 0x008ABD, 0x52BACE, 0x00CFFF, 0x429AAD, 0x00658C, 0x004552, 0x002031},
    {0xCEFFEF, 0xADEFDE, 0x31CFAD, 0x52EFBD, 0x00FFCE, 0x73AAAD, 0x00AA9C, 0x008A73, 0x004531},
    {0xADFFAD, 0x73FF73, 0x63DF42, 0x00FF00, 0x21DF21, 0x52BA52, 0x00BA00, 0x008A00, 0x214521},
};

// Codes 0x0F, 0x1F, ..., 0xEF: white to black.
constexpr uint32_t kGreyRgb[kGreyCount] = {
    0xFFFFFF, 0xEFEFEF, 0xDEDFDE, 0xCECFCE, 0xBDBABD, 0xADAAAD, 0x9C9A9C, 0x8C8A8C,
    0x737573, 0x636563, 0x525552, 0x424542, 0x313031, 0x212021, 0x000000,
};

constexpr uint8_t kGreyShadeDigit = 0xF;

// Larger than any distance between two colours (3 * 255 * 255 = 195075).
constexpr int kBeyondAnyDistance = 0x30000;

constexpr Rgb rgb_from_hex(uint32_t hex) {
    return Rgb{static_cast<uint8_t>(hex >> 16), static_cast<uint8_t>(hex >> 8),
               static_cast<uint8_t>(hex)};
}

constexpr std::array<PaletteEntry, kPaletteSize> build_palette() {
    std::array<PaletteEntry, kPaletteSize> palette{};
    int index = 0;
    for (int group = 0; group < kHueGroupCount; ++group) {
        for (int shade = 0; shade < kShadeCount; ++shade) {
            palette[index++] = {static_cast<uint8_t>(group << 4 | shade),
                                rgb_from_hex(kColouredRgb[group][shade])};
        }
    }
    for (int grey = 0; grey < kGreyCount; ++grey) {
        palette[index++] = {static_cast<uint8_t>(grey << 4 | kGreyShadeDigit),
                            rgb_from_hex(kGreyRgb[grey])};
    }
    return palette;
}

}  // namespace

// Constant-initialised at compile time from the tables above.
constinit const std::array<PaletteEntry, kPaletteSize> kFixedPalette = build_palette();

uint8_t nearest_palette_code(Rgb colour) {
    int best_distance = kBeyondAnyDistance;
    uint8_t best_code = 0;
    for (const PaletteEntry& entry : kFixedPalette) {
        const int distance = colour_distance(colour, entry.colour);
        if (distance < best_distance) {
            best_distance = distance;
            best_code = entry.code;
        }
    }
    return best_code;
}

int palette_colour(uint8_t code, Rgb* colour) {
    for (const PaletteEntry& entry : kFixedPalette) {
        if (entry.code == code) {
            *colour = entry.colour;
            return 0;
        }
    }
    return -1;
}

int palette_index(uint8_t code) {
    const int high = code >> 4;
    const int low = code & 0xF;
    if (low == kGreyShadeDigit) {
        return high < kGreyCount ? kHueGroupCount * kShadeCount + high : -1;
    }
    return low < kShadeCount ? high * kShadeCount + low : -1;
}
