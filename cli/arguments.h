// The command line of brevane-cli: a sub-command, its operands and its options.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct Arguments {
    std::string command;                // "record", "export", ... or "--help", "--version"
    std::vector<std::string> operands;  // in order, options removed
    std::filesystem::path output;       // -o
    bool has_output = false;
    bool median = false;  // --median
    std::string reduce;   // --reduce: merge, median, quality or dither; empty when absent
    int strength = -1;    // --strength (dither only), -1 when absent
    bool across_designs = false;  // --across-designs (dither only): one dither over the whole grid
    int scale = -1;       // --scale, -1 when absent
    int border = -1;      // --border, -1 when absent
    // --fit CxR: the picture is fitted to a grid of C x R designs first.
    bool has_fit = false;
    int fit_columns = 0;
    int fit_rows = 0;
    // --name and --author (record, export, edit): the texts to put on the designs,
    // checked as UTF-8 without control characters; "{n}" in the name is the
    // design's number, expanded later (record and export only).
    bool has_name = false;
    std::u16string name;
    bool has_author = false;
    std::u16string author;
    // --pixels (edit): the picture whose pixels the record takes.
    bool has_pixels = false;
    std::filesystem::path pixels;
};

// Parses argv[1..]. Options may come anywhere after the sub-command. Checks that
// the sub-command knows every option given and has the operands it needs; throws
// CliError with kExitUsage otherwise.
Arguments parse_arguments(const std::vector<std::string>& args);

// The short usage text printed with usage errors and --help.
const char* usage_text();
