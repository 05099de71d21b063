#include "record_names.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kHighSurrogateFirst = 0xD800;
constexpr char32_t kLowSurrogateFirst = 0xDC00;
constexpr char32_t kSurrogateEnd = 0xE000;
constexpr char32_t kFirstPrintable = 0x20;
constexpr char32_t kDelete = 0x7F;
constexpr char32_t kLastC1Control = 0x9F;

bool is_control(char32_t c) {
    return c < kFirstPrintable || (c >= kDelete && c <= kLastC1Control);
}

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

}  // namespace

std::string record_text_utf8(const RecordBytes& record, int offset, int length) {
    const int units = length / 2;
    auto unit = [&](int k) -> char32_t {
        return record[offset + 2 * k] | static_cast<char32_t>(record[offset + 2 * k + 1]) << 8;
    };
    std::string out;
    for (int k = 0; k < units; ++k) {
        const char32_t u = unit(k);
        if (u == 0)
            break;
        const bool high = u >= kHighSurrogateFirst && u < kLowSurrogateFirst;
        const bool low = u >= kLowSurrogateFirst && u < kSurrogateEnd;
        if (high && k + 1 < units && unit(k + 1) >= kLowSurrogateFirst &&
            unit(k + 1) < kSurrogateEnd) {
            append_utf8(out, 0x10000 + ((u - kHighSurrogateFirst) << 10) +
                                 (unit(k + 1) - kLowSurrogateFirst));
            ++k;
        } else if (high || low || is_control(u)) {
            append_utf8(out, kReplacement);
        } else {
            append_utf8(out, u);
        }
    }
    return out;
}
