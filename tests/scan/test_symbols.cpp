#include "test_symbols.h"

#include <qrencode.h>

#include <random>
#include <stdexcept>

#include "encoder.h"
#include "matrix_layout.h"
#include "qr_profile.h"
#include "symbol_buffers.h"

namespace {

SymbolModules from_qrcode(QRcode* code) {
    if (code == nullptr)
        throw std::runtime_error("libqrencode could not encode a test symbol");
    SymbolModules s;
    s.side = code->width;
    s.dark.resize(static_cast<size_t>(s.side) * s.side);
    for (size_t k = 0; k < s.dark.size(); ++k)
        s.dark[k] = code->data[k] & 1;
    QRcode_free(code);
    return s;
}

// A QR code from segments appended one by one, at least `version`.
struct Segment {
    QRencodeMode mode;
    std::vector<uint8_t> data;
};

SymbolModules from_segments(int version, QRecLevel level, const std::vector<Segment>& segments,
                            int eci = -1) {
    QRinput* input = QRinput_new2(version, level);
    if (eci >= 0)
        QRinput_appendECIheader(input, static_cast<unsigned>(eci));
    for (const Segment& s : segments)
        QRinput_append(input, s.mode, static_cast<int>(s.data.size()), s.data.data());
    QRcode* code = QRcode_encodeInput(input);
    QRinput_free(input);
    return from_qrcode(code);
}

std::vector<uint8_t> random_bytes(size_t n, std::mt19937& rng) {
    std::vector<uint8_t> bytes(n);
    for (auto& b : bytes)
        b = static_cast<uint8_t>(rng() >> 24);
    return bytes;
}

std::vector<uint8_t> random_characters(size_t n, const std::string& alphabet, std::mt19937& rng) {
    std::vector<uint8_t> text(n);
    for (auto& c : text)
        c = static_cast<uint8_t>(alphabet[rng() % alphabet.size()]);
    return text;
}

// Version 19 level-M capacities in characters.
constexpr size_t kAlphanumericCapacity = 1000;
constexpr size_t kNumericCapacity = 1600;

}  // namespace

SymbolModules our_design_symbol(const RecordBytes& record) {
    encode_qr(record.data());
    SymbolModules s;
    s.side = kQrSide;
    s.dark.assign(module_matrix, module_matrix + kQrCells);
    return s;
}

SymbolModules other_design_symbol(const RecordBytes& record) {
    return from_segments(kQrVersion, QR_ECLEVEL_M,
                         {{QR_MODE_8, std::vector<uint8_t>(record.begin(), record.end())}});
}

SymbolModules text_symbol(const std::string& text) {
    return from_qrcode(QRcode_encodeString8bit(text.c_str(), 0, QR_ECLEVEL_M));
}

SymbolModules not_a_design_symbol(NotADesign kind, uint32_t seed) {
    std::mt19937 rng(seed);
    auto bytes = [&](size_t n) { return Segment{QR_MODE_8, random_bytes(n, rng)}; };
    switch (kind) {
        case NotADesign::version_20:
            return from_segments(20, QR_ECLEVEL_M, {bytes(620)});
        case NotADesign::level_l:
            return from_segments(kQrVersion, QR_ECLEVEL_L, {bytes(620)});
        case NotADesign::level_q:
            return from_segments(kQrVersion, QR_ECLEVEL_Q, {bytes(620)});
        case NotADesign::bytes_600:
            return from_segments(kQrVersion, QR_ECLEVEL_M, {bytes(600)});
        case NotADesign::bytes_619:
            return from_segments(kQrVersion, QR_ECLEVEL_M, {bytes(619)});
        case NotADesign::bytes_621:
            return from_segments(kQrVersion, QR_ECLEVEL_M, {bytes(621)});
        case NotADesign::two_segments:
            return from_segments(kQrVersion, QR_ECLEVEL_M, {bytes(310), bytes(310)});
        case NotADesign::eci_header:
            return from_segments(kQrVersion, QR_ECLEVEL_M, {bytes(620)}, 26);
        case NotADesign::alphanumeric:
            return from_segments(
                kQrVersion, QR_ECLEVEL_M,
                {{QR_MODE_AN,
                  random_characters(kAlphanumericCapacity,
                                    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:", rng)}});
        case NotADesign::numeric:
            return from_segments(
                kQrVersion, QR_ECLEVEL_M,
                {{QR_MODE_NUM, random_characters(kNumericCapacity, "0123456789", rng)}});
        case NotADesign::random_data: {
            RecordBytes record;
            for (auto& b : record)
                b = static_cast<uint8_t>(rng() >> 24);
            SymbolModules s = our_design_symbol(record);
            uint8_t marks[kQrCells] = {};
            mark_function_patterns_into(marks);
            for (int k = 0; k < kQrCells; ++k)
                if ((marks[k] & kCellFunctionBits) == 0)
                    s.dark[k] = static_cast<uint8_t>(rng() & 1);
            return s;
        }
        case NotADesign::beyond_repair: {
            RecordBytes record;
            for (auto& b : record)
                b = static_cast<uint8_t>(rng() >> 24);
            SymbolModules s = our_design_symbol(record);
            uint8_t marks[kQrCells] = {};
            mark_function_patterns_into(marks);
            for (int k = 0; k < kQrCells; ++k)
                if ((marks[k] & kCellFunctionBits) == 0 && rng() % 3 == 0)
                    s.dark[k] ^= 1;
            return s;
        }
    }
    throw std::logic_error("unknown kind of symbol");
}
