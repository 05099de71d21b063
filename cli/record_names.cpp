#include "record_names.h"

#include "cli_error.h"

namespace {

constexpr char32_t kFirstPlaneBeyond = 0x10000;
constexpr char32_t kLastCodePoint = 0x10FFFF;

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The code point of the UTF-8 sequence at text[*at] in *code_point, moving *at past
// it; false for a sequence that is not valid UTF-8 (overlong, a surrogate, beyond
// U+10FFFF, cut short).
bool next_code_point(const std::string& text, size_t* at, char32_t* code_point) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(*at);
    int extra = 0;
    char32_t c = 0;
    char32_t lowest = 0;
    if (lead < 0x80) {
        ++*at;
        *code_point = lead;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, c = lead & 0x1F, lowest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, c = lead & 0x0F, lowest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, c = lead & 0x07, lowest = kFirstPlaneBeyond;
    } else {
        return false;
    }
    if (text.size() - *at <= static_cast<size_t>(extra))
        return false;
    for (int k = 1; k <= extra; ++k) {
        if ((byte(*at + k) & 0xC0) != 0x80)
            return false;
        c = c << 6 | (byte(*at + k) & 0x3F);
    }
    if (c < lowest || c > kLastCodePoint || is_high_surrogate(c) || is_low_surrogate(c))
        return false;
    *at += 1 + extra;
    *code_point = c;
    return true;
}

}  // namespace

std::string record_text_utf8(const RecordBytes& record, RecordTextField field) {
    char16_t units[kDesignNameLength / 2];
    const int count = decode_record_text(record, field, units, field.length / 2);
    std::string out;
    for (int k = 0; k < count; ++k) {
        const char32_t u = units[k];
        // The decoding pairs every surrogate it lets through.
        if (is_high_surrogate(u)) {
            append_utf8(out, kFirstPlaneBeyond + ((u - kHighSurrogateFirst) << 10) +
                                 (units[++k] - kLowSurrogateFirst));
        } else {
            append_utf8(out, u);
        }
    }
    return out;
}

std::u16string text_from_argument(const std::string& option, const std::string& utf8) {
    std::u16string units;
    for (size_t at = 0; at < utf8.size();) {
        char32_t c = 0;
        if (!next_code_point(utf8, &at, &c))
            fail_usage(option + " takes text in valid UTF-8");
        if (is_control_character(c))
            fail_usage(option + " takes no control characters");
        if (c < kFirstPlaneBeyond) {
            units += static_cast<char16_t>(c);
        } else {
            const char32_t above = c - kFirstPlaneBeyond;
            units += static_cast<char16_t>(kHighSurrogateFirst + (above >> 10));
            units += static_cast<char16_t>(kLowSurrogateFirst + (above & 0x3FF));
        }
    }
    return units;
}
