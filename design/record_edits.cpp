#include "record_edits.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool inside_design(int x, int y) {
    return x >= 0 && x < kTileSide && y >= 0 && y < kTileSide;
}

int pixel_byte_offset(int x, int y) {
    return kPixelDataOffset + y * kPixelRowBytes + x / 2;
}


char16_t text_unit(const RecordBytes& record, RecordTextField field, int k) {
    return static_cast<char16_t>(record[field.offset + 2 * k] |
                                 record[field.offset + 2 * k + 1] << 8);
}

}  // namespace

int record_pixel_slot(const RecordBytes& record, int x, int y) {
    const uint8_t byte = record[pixel_byte_offset(x, y)];
    return x % 2 == 0 ? byte & 0x0F : byte >> 4;
}

bool set_record_pixel_slot(RecordBytes& record, int x, int y, int slot) {
    uint8_t& byte = record[pixel_byte_offset(x, y)];
    const uint8_t before = byte;
    byte = x % 2 == 0 ? static_cast<uint8_t>((byte & 0xF0) | slot)
                      : static_cast<uint8_t>((byte & 0x0F) | slot << 4);
    return byte != before;
}

bool paint_record_line(RecordBytes& record, int x0, int y0, int x1, int y1, int slot) {
    // Bresenham's walk: every step moves to a pixel touching the one before, so a
    // fast stroke leaves no gaps.
    const int dx = x1 > x0 ? x1 - x0 : x0 - x1;
    const int dy = y1 > y0 ? y0 - y1 : y1 - y0;
    const int step_x = x0 < x1 ? 1 : -1;
    const int step_y = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    bool changed = false;
    for (;;) {
        if (inside_design(x0, y0))
            changed |= set_record_pixel_slot(record, x0, y0, slot);
        if (x0 == x1 && y0 == y1)
            return changed;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += step_x;
        }
        if (twice <= dx) {
            error += dx;
            y0 += step_y;
        }
    }
}

bool fill_record_area(RecordBytes& record, int x, int y, int slot) {
    if (!inside_design(x, y))
        return false;
    const int target = record_pixel_slot(record, x, y);
    if (target == slot)
        return false;
    // Each pixel is pushed once, when it is painted, so the stack never holds more
    // than the design's pixels.
    int stack[kTilePixels];
    int size = 0;
    set_record_pixel_slot(record, x, y, slot);
    stack[size++] = y * kTileSide + x;
    constexpr int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    while (size > 0) {
        const int at = stack[--size];
        for (const auto& step : kSteps) {
            const int nx = at % kTileSide + step[0];
            const int ny = at / kTileSide + step[1];
            if (inside_design(nx, ny) && record_pixel_slot(record, nx, ny) == target) {
                set_record_pixel_slot(record, nx, ny, slot);
                stack[size++] = ny * kTileSide + nx;
            }
        }
    }
    return true;
}

uint8_t record_slot_code(const RecordBytes& record, int slot) {
    return record[kPaletteCodesOffset + slot];
}

bool set_record_slot_code(RecordBytes& record, int slot, uint8_t code) {
    uint8_t& byte = record[kPaletteCodesOffset + slot];
    const bool changed = byte != code;
    byte = code;
    return changed;
}

bool record_text_fits(RecordTextField field, std::u16string_view text) {
    return static_cast<int>(text.size()) <= field.max_units &&
           (text.empty() || !is_high_surrogate(text.back()));
}

bool set_record_text(RecordBytes& record, RecordTextField field, std::u16string_view text) {
    if (!record_text_fits(field, text))
        return false;
    char16_t current[kDesignNameLength / 2];
    const int current_size = record_text_units(record, field, current, field.length / 2);
    if (std::u16string_view(current, current_size) == text)
        return false;
    bool changed = false;
    for (int k = 0; k < field.length / 2; ++k) {
        const char16_t unit = k < static_cast<int>(text.size()) ? text[k] : 0;
        const uint8_t low = static_cast<uint8_t>(unit & 0xFF);
        const uint8_t high = static_cast<uint8_t>(unit >> 8);
        changed |= record[field.offset + 2 * k] != low || record[field.offset + 2 * k + 1] != high;
        record[field.offset + 2 * k] = low;
        record[field.offset + 2 * k + 1] = high;
    }
    return changed;
}

int record_text_units(const RecordBytes& record, RecordTextField field, char16_t* out,
                      int capacity) {
    int written = 0;
    for (int k = 0; k < field.length / 2 && written < capacity; ++k) {
        const char16_t unit = text_unit(record, field, k);
        if (unit == 0)
            break;
        out[written++] = unit;
    }
    return written;
}

int decode_record_text(const RecordBytes& record, RecordTextField field, char16_t* out,
                       int capacity) {
    const int units = field.length / 2;
    int written = 0;
    for (int k = 0; k < units && written < capacity; ++k) {
        const char16_t unit = text_unit(record, field, k);
        if (unit == 0)
            break;
        const bool paired = is_high_surrogate(unit) && k + 1 < units &&
                            is_low_surrogate(text_unit(record, field, k + 1));
        if (paired) {
            if (written + 2 > capacity)
                break;
            out[written++] = unit;
            out[written++] = text_unit(record, field, ++k);
        } else if (is_high_surrogate(unit) || is_low_surrogate(unit) || is_control_character(unit)) {
            out[written++] = kReplacement;
        } else {
            out[written++] = unit;
        }
    }
    return written;
}

int expand_design_number(std::u16string_view name, int number, char16_t* out, int capacity) {
    constexpr std::u16string_view kPlaceholder = u"{n}";
    char16_t digits[16];
    int digit_count = 0;
    for (int rest = number; rest > 0 || digit_count < kDesignNumberDigits; rest /= 10)
        digits[digit_count++] = static_cast<char16_t>(u'0' + rest % 10);
    int size = 0;
    auto put = [&](char16_t unit) {
        if (size < capacity)
            out[size] = unit;
        ++size;
    };
    for (size_t k = 0; k < name.size(); ++k) {
        if (name.substr(k, kPlaceholder.size()) == kPlaceholder) {
            for (int d = digit_count - 1; d >= 0; --d)
                put(digits[d]);
            k += kPlaceholder.size() - 1;
        } else {
            put(name[k]);
        }
    }
    return size;
}
