// Edits of a design record in place: a pixel's slot, a line of pixels, a fill, a
// slot's palette code and the two texts a person puts on a design. Each edit
// touches only the bytes it names and reports whether any byte changed, so that
// a history can leave out steps that change nothing. No heap.
#pragma once

#include <cstdint>
#include <string_view>

#include "design_record.h"

// The UTF-16 classes the texts are checked and shown by.
inline constexpr char32_t kHighSurrogateFirst = 0xD800;
inline constexpr char32_t kLowSurrogateFirst = 0xDC00;
inline constexpr char32_t kSurrogateEnd = 0xE000;
constexpr bool is_high_surrogate(char32_t u) {
    return u >= kHighSurrogateFirst && u < kLowSurrogateFirst;
}
constexpr bool is_low_surrogate(char32_t u) { return u >= kLowSurrogateFirst && u < kSurrogateEnd; }
// C0 and C1 controls and DEL: U+0000-U+001F and U+007F-U+009F.
constexpr bool is_control_character(char32_t u) { return u < 0x20 || (u >= 0x7F && u <= 0x9F); }

// A pixel's nibble; 15 names no slot.
inline constexpr int kNoSlot = 15;

// The texts a person may set, in UTF-16 units (a surrogate pair counts two). Each
// field keeps one zero unit after its text.
inline constexpr int kDesignNameMaxUnits = kDesignNameLength / 2 - 1;  // 20
inline constexpr int kAuthorNameMaxUnits = kAuthorNameLength / 2 - 1;  // 9

// The nibble of pixel (x, y), 0..15.
int record_pixel_slot(const RecordBytes& record, int x, int y);

// Sets pixel (x, y) to slot (0..14). Returns true when a byte changed.
bool set_record_pixel_slot(RecordBytes& record, int x, int y, int slot);

// Paints every pixel on the line from (x0, y0) to (x1, y1), ends included, with
// slot; points outside the design are skipped. Returns true when a byte changed.
bool paint_record_line(RecordBytes& record, int x0, int y0, int x1, int y1, int slot);

// Fills the 4-connected area of pixel (x, y)'s nibble with slot. Returns true when
// a byte changed.
bool fill_record_area(RecordBytes& record, int x, int y, int slot);

// The palette code of slot (0..14).
uint8_t record_slot_code(const RecordBytes& record, int slot);

// Gives slot (0..14) the palette code. Returns true when the byte changed.
bool set_record_slot_code(RecordBytes& record, int slot, uint8_t code);

// A text field of the record, by its offset and length in bytes.
struct RecordTextField {
    int offset;
    int length;
    int max_units;
};
inline constexpr RecordTextField kDesignNameField{kDesignNameOffset, kDesignNameLength,
                                                  kDesignNameMaxUnits};
inline constexpr RecordTextField kAuthorNameField{kAuthorNameOffset, kAuthorNameLength,
                                                  kAuthorNameMaxUnits};

// Whether text fits the field: at most max_units units and not ending in a lone
// high surrogate.
bool record_text_fits(RecordTextField field, std::u16string_view text);

// Writes text followed by zero bytes to the end of the field, unless the field
// already reads as exactly text (cut at its first zero unit), in which case it
// stays byte for byte. Returns true when a byte changed; false, touching nothing,
// also when the text does not fit.
bool set_record_text(RecordBytes& record, RecordTextField field, std::u16string_view text);

// The field's text for showing: UTF-16 units cut at the first zero unit, with
// control characters (U+0000-U+001F, U+007F-U+009F) and lone surrogates as U+FFFD.
// Writes at most capacity units to out and returns how many it wrote.
int decode_record_text(const RecordBytes& record, RecordTextField field, char16_t* out,
                       int capacity);

// The field's raw units cut at the first zero unit, as a person would edit them.
int record_text_units(const RecordBytes& record, RecordTextField field, char16_t* out,
                      int capacity);

// A design's number as its file name writes it: at least this many digits.
inline constexpr int kDesignNumberDigits = 3;

// The name with every "{n}" replaced by number (1 or more) written with at least
// kDesignNumberDigits digits, as "001". Writes at most capacity units to out and
// returns how many the whole expansion has, which may be more.
int expand_design_number(std::u16string_view name, int number, char16_t* out, int capacity);
