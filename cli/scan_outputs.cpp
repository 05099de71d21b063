#include "scan_outputs.h"

#include <cstdio>
#include <set>
#include <string_view>

#include "record_names.h"

namespace {

constexpr char kRefusedInNames[] = "\\/:*?\"<>|";
constexpr unsigned char kFirstPrintable = 0x20;
constexpr char kReplacement = '_';
constexpr int kFirstRepeat = 2;

std::string stem_of(const std::string& file_name) {
    const size_t dot = file_name.rfind('.');
    std::string stem = dot == std::string::npos || dot == 0 ? file_name : file_name.substr(0, dot);
    for (char& c : stem) {
        if (static_cast<unsigned char>(c) < kFirstPrintable ||
            std::string_view(kRefusedInNames).find(c) != std::string_view::npos)
            c = kReplacement;
    }
    if (!stem.empty() && (stem.back() == '.' || stem.back() == ' '))
        stem.back() = kReplacement;
    return stem;
}

std::string folded(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

std::vector<std::string> design_file_stems(const std::vector<std::string>& file_names) {
    std::vector<std::string> stems;
    std::set<std::string> taken;
    for (const std::string& name : file_names) {
        const std::string stem = stem_of(name);
        std::string chosen = stem;
        for (int repeat = kFirstRepeat; taken.count(folded(chosen)) != 0; ++repeat)
            chosen = stem + " (" + std::to_string(repeat) + ")";
        taken.insert(folded(chosen));
        stems.push_back(chosen);
    }
    return stems;
}

std::string design_file_name(const std::string& stem, int number) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "-%0*d.dat", kDesignNumberDigits, number);
    return stem + digits;
}

std::string found_design_lines(const ScanResult& result, const std::string& prefix) {
    std::string lines;
    for (size_t k = 0; k < result.designs.size(); ++k) {
        const ScannedDesign& design = result.designs[k];
        const PicturePoint centre = symbol_centre(design);
        char place[112];
        std::snprintf(place, sizeof place, "%03zu  centre %.1f,%.1f  module %.2f", k + 1, centre.x,
                      centre.y, design.module_size);
        lines += prefix + place + "  name \"" + design_name_utf8(design.record) + "\"  author \"" +
                 author_name_utf8(design.record) + "\"\n";
    }
    return lines;
}

std::string unread_symbols_line(const std::string& file, const ScanResult& result) {
    const int unread = result.unread_symbols;
    if (unread <= 0)
        return {};
    const std::string count = std::to_string(unread);
    return file + ": " +
           (unread == 1 ? "1 more design-sized QR code was"
                        : count + " more design-sized QR codes were") +
           " seen but could not be read\n";
}

std::string nothing_found_reason(const ScanResult& result) {
    if (result.unread_symbols <= 0)
        return "no design QR code found";
    return "no design QR code could be read (" + std::to_string(result.unread_symbols) +
           " seen but unreadable)";
}
