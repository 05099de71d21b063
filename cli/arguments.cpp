#include "arguments.h"

#include <cctype>
#include <charconv>

#include "cli_error.h"
#include "design_count.h"
#include "record_names.h"
#include "utf8_path.h"

namespace {

// A command's operand count, or this for one or more.
constexpr int kOneOrMore = -1;

struct CommandRule {
    const char* name;
    int operand_count;
    bool needs_output;
    bool takes_median;
    bool takes_scale;
    bool takes_border;
    bool takes_names;
    bool takes_pixels;
};

constexpr CommandRule kCommands[] = {
    {"record", 3, true, true, false, false, true, false},
    {"export", 1, true, true, false, false, true, false},
    {"qr", 1, true, false, true, true, false, false},
    {"matrix", 1, false, false, false, false, false, false},
    {"shot", 1, true, false, false, false, false, false},
    {"decode", 1, true, false, false, false, false, false},
    {"preview", 1, true, false, true, false, false, false},
    {"scan", kOneOrMore, true, false, false, false, false, false},
    {"edit", 1, true, false, false, false, true, true},
};

constexpr const char* kReductions[] = {"merge", "median", "quality", "dither"};
constexpr int kMaxStrength = 100;

constexpr int kMaxScale = 64;
constexpr int kMaxBorder = 64;

const CommandRule* find_command(const std::string& name) {
    for (const CommandRule& rule : kCommands) {
        if (name == rule.name)
            return &rule;
    }
    return nullptr;
}

int parse_whole_number(const std::string& option, const std::string& text, int low, int high) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < low || value > high) {
        fail_usage(option + " takes a whole number from " + std::to_string(low) + " to " +
                   std::to_string(high) + ", not '" + text + "'");
    }
    return value;
}

// "CxR": two whole numbers joined by an 'x', a grid that design_count_allowed accepts.
void parse_fit_grid(const std::string& text, Arguments* a) {
    const size_t x = text.find('x');
    int columns = 0;
    int rows = 0;
    bool parsed = x != std::string::npos && x > 0 && x + 1 < text.size();
    if (parsed) {
        const char* end = text.data() + text.size();
        const auto [column_stop, column_error] =
            std::from_chars(text.data(), text.data() + x, columns);
        const auto [row_stop, row_error] = std::from_chars(text.data() + x + 1, end, rows);
        parsed = column_error == std::errc() && column_stop == text.data() + x &&
                 row_error == std::errc() && row_stop == end;
    }
    if (!parsed || !design_count_allowed(columns, rows)) {
        fail_usage("--fit takes COLUMNSxROWS, each from 1 to 40 with at most 40 designs, not '" +
                   text + "'");
    }
    a->has_fit = true;
    a->fit_columns = columns;
    a->fit_rows = rows;
}

const std::string& option_value(const std::vector<std::string>& args, size_t& i) {
    if (i + 1 >= args.size())
        fail_usage(args[i] + " needs a value");
    return args[++i];
}

const std::string& reduction_name(const std::string& text) {
    for (const char* name : kReductions) {
        if (text == name)
            return text;
    }
    fail_usage("--reduce takes merge, median, quality or dither, not '" + text + "'");
}

void check_against_rule(const Arguments& a, const CommandRule& rule) {
    const std::string name = rule.name;
    if (a.median && !rule.takes_median)
        fail_usage(name + " takes no --median");
    // --fit goes with the commands that convert a picture, as --median does.
    if (a.has_fit && !rule.takes_median)
        fail_usage(name + " takes no --fit");
    if (!a.reduce.empty() && !rule.takes_median)
        fail_usage(name + " takes no --reduce");
    if (a.median && !a.reduce.empty())
        fail_usage("--median is short for --reduce median: give one of them");
    if (a.strength >= 0 && a.reduce != "dither")
        fail_usage("--strength goes with --reduce dither only");
    if (a.across_designs && a.reduce != "dither")
        fail_usage("--across-designs goes with --reduce dither only");
    if (a.scale >= 0 && !rule.takes_scale)
        fail_usage(name + " takes no --scale");
    if (a.border >= 0 && !rule.takes_border)
        fail_usage(name + " takes no --border");
    if ((a.has_name || a.has_author) && !rule.takes_names)
        fail_usage(name + " takes no --name or --author");
    if (a.has_pixels && !rule.takes_pixels)
        fail_usage(name + " takes no --pixels");
    if (rule.takes_pixels && !a.has_name && !a.has_author && !a.has_pixels)
        fail_usage(name + " needs --name, --author or --pixels");
    if (a.has_output && !rule.needs_output)
        fail_usage(name + " takes no -o");
    if (!a.has_output && rule.needs_output)
        fail_usage(name + " needs -o");
    if (rule.operand_count == kOneOrMore) {
        if (a.operands.empty())
            fail_usage(name + " takes one or more operands");
    } else if (static_cast<int>(a.operands.size()) != rule.operand_count) {
        fail_usage(name + " takes " + std::to_string(rule.operand_count) +
                   (rule.operand_count == 1 ? " operand" : " operands"));
    }
}

}  // namespace

Arguments parse_arguments(const std::vector<std::string>& args) {
    if (args.empty())
        fail_usage("no sub-command given");
    Arguments a;
    a.command = args[0];
    if (a.command == "--help" || a.command == "-h" || a.command == "--version") {
        if (args.size() > 1)
            fail_usage(a.command + " takes nothing else");
        return a;
    }
    const CommandRule* rule = find_command(a.command);
    if (rule == nullptr)
        fail_usage("unknown sub-command '" + a.command + "'");

    bool options_ended = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool negative_number =
            arg.size() >= 2 && arg[0] == '-' && std::isdigit(static_cast<unsigned char>(arg[1]));
        if (options_ended || arg.size() < 2 || arg[0] != '-' || negative_number) {
            a.operands.push_back(arg);
        } else if (arg == "--") {
            options_ended = true;
        } else if (arg == "-o" || arg == "--pixels") {
            const bool output = arg == "-o";
            bool& given = output ? a.has_output : a.has_pixels;
            if (given)
                fail_usage(arg + " given twice");
            (output ? a.output : a.pixels) = path_from_utf8(option_value(args, i));
            given = true;
        } else if (arg == "--median") {
            a.median = true;
        } else if (arg == "--fit") {
            if (a.has_fit)
                fail_usage("--fit given twice");
            parse_fit_grid(option_value(args, i), &a);
        } else if (arg == "--reduce") {
            if (!a.reduce.empty())
                fail_usage("--reduce given twice");
            a.reduce = reduction_name(option_value(args, i));
        } else if (arg == "--strength") {
            if (a.strength >= 0)
                fail_usage("--strength given twice");
            a.strength = parse_whole_number(arg, option_value(args, i), 0, kMaxStrength);
        } else if (arg == "--across-designs") {
            a.across_designs = true;
        } else if (arg == "--name" || arg == "--author") {
            const bool is_name = arg == "--name";
            bool& given = is_name ? a.has_name : a.has_author;
            if (given)
                fail_usage(arg + " given twice");
            (is_name ? a.name : a.author) = text_from_argument(arg, option_value(args, i));
            given = true;
        } else if (arg == "--scale") {
            a.scale = parse_whole_number(arg, option_value(args, i), 1, kMaxScale);
        } else if (arg == "--border") {
            a.border = parse_whole_number(arg, option_value(args, i), 0, kMaxBorder);
        } else {
            fail_usage("unknown option '" + arg + "'");
        }
    }
    check_against_rule(a, *rule);
    return a;
}

const char* usage_text() {
    return "usage: brevane-cli record IMAGE COLUMN ROW [REDUCTION] [--fit CxR] [NAMES] -o OUT.dat\n"
           "       brevane-cli export IMAGE [REDUCTION] [--fit CxR] [NAMES] -o DIR\n"
           "       brevane-cli edit RECORD.dat [NAMES] [--pixels PICTURE] -o OUT.dat\n"
           "       brevane-cli qr RECORD.dat -o OUT.png|OUT.bmp [--scale N] [--border N]\n"
           "       brevane-cli matrix RECORD.dat\n"
           "       brevane-cli shot RECORD.dat -o SHOT.bmp\n"
           "       brevane-cli decode SHOT.bmp -o OUT.dat\n"
           "       brevane-cli preview RECORD.dat -o OUT.png|OUT.bmp [--scale N]\n"
           "       brevane-cli scan PICTURE... -o DIR   (a folder: its BMP, PNG and JPEG files)\n"
           "       brevane-cli --help | --version\n"
           "REDUCTION: --reduce merge|median|quality|dither [--strength 0-100] (dither only,\n"
           "           default 100), or --median for --reduce median; merge when absent;\n"
           "           --reduce dither --across-designs: one dither over the whole grid\n"
           "NAMES: [--name TEXT] [--author TEXT], at most 20 and 9 UTF-16 units; {n} in\n"
           "       the name is the design's number, 001, 002, ...\n";
}
