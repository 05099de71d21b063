#include "bmp_file_builder.h"

#include <algorithm>

namespace {

void put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int b = 0; b < bytes; ++b) {
        out.push_back(static_cast<uint8_t>(value >> (8 * b)));
    }
}

void put_at(std::vector<uint8_t>& out, size_t offset, uint32_t value, int bytes) {
    for (int b = 0; b < bytes; ++b) {
        out[offset + static_cast<size_t>(b)] = static_cast<uint8_t>(value >> (8 * b));
    }
}

std::vector<uint8_t> pack_row(const std::vector<uint32_t>& row, int bits) {
    std::vector<uint8_t> out;
    if (bits >= 8) {
        for (uint32_t value : row) {
            put(out, value, bits / 8);  // 24 bits: 0xRRGGBB stored as B, G, R
        }
    } else {
        int used = 0;
        for (uint32_t value : row) {
            if (used % 8 == 0) {
                out.push_back(0);
            }
            out.back() |= static_cast<uint8_t>(value << (8 - bits - used % 8));
            used += bits;
        }
    }
    while (out.size() % 4 != 0) {
        out.push_back(0);
    }
    return out;
}

}  // namespace

std::vector<uint8_t> build_bmp_file(const BmpFileFields& fields) {
    std::vector<uint8_t> out = {'B', 'M'};
    put(out, 0, 4);  // file size, filled in below
    put(out, 0, 4);
    put(out, 0, 4);  // pixel offset, filled in below
    const size_t header_start = out.size();
    put(out, fields.header_size, 4);
    if (fields.header_size == 12) {
        put(out, static_cast<uint32_t>(fields.width), 2);
        put(out, static_cast<uint32_t>(fields.height), 2);
        put(out, 1, 2);
        put(out, fields.bits, 2);
    } else {
        put(out, static_cast<uint32_t>(fields.width), 4);
        put(out, static_cast<uint32_t>(fields.height), 4);
        put(out, 1, 2);
        put(out, fields.bits, 2);
        put(out, fields.compression, 4);
        put(out, static_cast<uint32_t>(fields.pixels.size()), 4);
        put(out, 0, 4);
        put(out, 0, 4);
        put(out, fields.colours_used, 4);
        put(out, 0, 4);
        if (fields.header_size == 40) {
            for (uint32_t mask : fields.masks) {
                put(out, mask, 4);
            }
        }
        out.resize(header_start + fields.header_size +
                       (fields.header_size == 40 ? 4 * fields.masks.size() : 0),
                   0);
        if (fields.header_size > 40) {
            for (size_t m = 0; m < fields.masks.size(); ++m) {
                put_at(out, header_start + 40 + 4 * m, fields.masks[m], 4);
            }
        }
    }
    for (uint32_t colour : fields.palette) {
        put(out, colour, fields.header_size == 12 ? 3 : 4);
    }
    const uint32_t pixel_offset = fields.pixel_offset.value_or(static_cast<uint32_t>(out.size()));
    out.resize(std::max<size_t>(out.size(), pixel_offset), 0);
    out.insert(out.end(), fields.pixels.begin(), fields.pixels.end());
    put_at(out, 2, static_cast<uint32_t>(out.size()), 4);
    put_at(out, 10, pixel_offset, 4);
    return out;
}

std::vector<uint8_t> pack_rows(const std::vector<std::vector<uint32_t>>& rows_top_first, int bits,
                               bool top_down) {
    std::vector<uint8_t> out;
    const size_t count = rows_top_first.size();
    for (size_t stored = 0; stored < count; ++stored) {
        const size_t y = top_down ? stored : count - 1 - stored;
        const std::vector<uint8_t> row = pack_row(rows_top_first[y], bits);
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

BmpFileFields fields_for(const std::vector<std::vector<uint32_t>>& rows_top_first, int bits,
                         bool top_down) {
    BmpFileFields fields;
    fields.width = static_cast<int32_t>(rows_top_first[0].size());
    fields.height = static_cast<int32_t>(rows_top_first.size()) * (top_down ? -1 : 1);
    fields.bits = static_cast<uint16_t>(bits);
    fields.pixels = pack_rows(rows_top_first, bits, top_down);
    return fields;
}
