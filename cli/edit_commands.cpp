#include "edit_commands.h"

#include <cstdio>
#include <string>
#include <vector>

#include "cli_error.h"
#include "file_io.h"
#include "palette.h"
#include "picture_files.h"
#include "preview_pixels.h"
#include "record_edits.h"
#include "record_pixels.h"
#include "utf8_path.h"

namespace fs = std::filesystem;

namespace {

std::u16string design_name(const Arguments& a, int number) {
    if (number == kNoDesignNumber)
        return a.name;
    std::u16string name(expand_design_number(a.name, number, nullptr, 0), u'\0');
    expand_design_number(a.name, number, name.data(), static_cast<int>(name.size()));
    return name;
}

std::string position(int x, int y) {
    char text[32];
    std::snprintf(text, sizeof text, "(%d, %d)", x, y);
    return text;
}

std::string hex_colour(Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.r, colour.g, colour.b);
    return text;
}

std::string hex_code(uint8_t code) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", code);
    return text;
}

// The record takes the pixels of the picture, or the fault is named with the
// file it lies in.
void put_pixels(const fs::path& picture_path, const std::string& record_name, RecordBytes& record) {
    const std::string name = path_to_utf8(picture_path);
    const Picture picture = load_lossless_picture(picture_path);
    Rgb pixels[kTilePixels];
    int scale = 1;
    std::string fault;
    if (!read_preview_pixels(picture, pixels, &scale, &fault))
        fail_with_file(name, fault);
    const PixelsRefusal refusal = set_record_pixels(record, pixels);
    const std::string at = position(refusal.x * scale, refusal.y * scale);
    switch (refusal.fault) {
        case PixelsFault::kNone:
            return;
        case PixelsFault::kRecordNoSlot:
            fail_with_file(record_name, "damaged design: pixel " + position(refusal.x, refusal.y) +
                                            " has nibble 15, which names no colour slot");
        case PixelsFault::kRecordNoColour:
            fail_with_file(record_name, "damaged design: pixel " + position(refusal.x, refusal.y) +
                                            " is in slot " + std::to_string(refusal.slot) +
                                            ", whose code " + hex_code(refusal.code) +
                                            " names no palette colour");
        case PixelsFault::kNotPaletteColour: {
            Rgb nearest{};
            palette_colour(refusal.code, &nearest);
            fail_with_file(name, "pixel " + at + " is " + hex_colour(refusal.colour) +
                                     ", not a palette colour; the nearest is " +
                                     hex_colour(nearest) + " (code " + hex_code(refusal.code) +
                                     ")");
        }
        case PixelsFault::kTooManyColours:
            fail_with_file(name, "needs more than 15 colour slots: no slot is left for pixel " +
                                     at + "'s colour");
    }
}

}  // namespace

void check_texts_fit(const Arguments& a, int number) {
    if (a.has_name) {
        const std::u16string name = design_name(a, number);
        if (!record_text_fits(kDesignNameField, name)) {
            fail_usage(
                "--name takes at most " + std::to_string(kDesignNameMaxUnits) +
                " UTF-16 units, and " +
                (number == kNoDesignNumber ? "it" : "design " + std::to_string(number) + "'s") +
                " has " + std::to_string(name.size()));
        }
    }
    if (a.has_author && !record_text_fits(kAuthorNameField, a.author)) {
        fail_usage("--author takes at most " + std::to_string(kAuthorNameMaxUnits) +
                   " UTF-16 units, and it has " + std::to_string(a.author.size()));
    }
}

void put_texts(const Arguments& a, int number, RecordBytes& record) {
    if (a.has_name)
        set_record_text(record, kDesignNameField, design_name(a, number));
    if (a.has_author)
        set_record_text(record, kAuthorNameField, a.author);
}

int run_edit(const Arguments& a) {
    check_texts_fit(a, kNoDesignNumber);
    const fs::path source = path_from_utf8(a.operands[0]);
    RecordBytes record = read_record_file(source);
    if (a.has_pixels)
        put_pixels(a.pixels, path_to_utf8(source), record);
    put_texts(a, kNoDesignNumber, record);
    write_file_atomically(a.output, std::vector<uint8_t>(record.begin(), record.end()));
    return kExitSuccess;
}
