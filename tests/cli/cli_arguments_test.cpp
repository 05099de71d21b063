// The command line: options anywhere after the sub-command, every misuse an exit code 2.
#include <gtest/gtest.h>

#include "arguments.h"
#include "cli_error.h"

namespace {

int usage_error_of(const std::vector<std::string>& args) {
    try {
        parse_arguments(args);
    } catch (const CliError& e) {
        return e.exit_code;
    }
    return kExitSuccess;
}

}  // namespace

TEST(Arguments, OptionsMayComeAnywhereAfterTheSubCommand) {
    const Arguments a =
        parse_arguments({"record", "-o", "out.dat", "pic.bmp", "--median", "1", "2"});
    EXPECT_EQ(a.command, "record");
    EXPECT_EQ(a.operands, (std::vector<std::string>{"pic.bmp", "1", "2"}));
    EXPECT_EQ(a.output, "out.dat");
    EXPECT_TRUE(a.median);

    const Arguments q =
        parse_arguments({"qr", "--scale", "1", "r.dat", "--border", "0", "-o", "q.png"});
    EXPECT_EQ(q.scale, 1);
    EXPECT_EQ(q.border, 0);
    EXPECT_EQ(
        parse_arguments({"qr", "r.dat", "-o", "q.png", "--scale", "64", "--border", "64"}).scale,
        64);
}

TEST(Arguments, MisuseIsAUsageError) {
    const std::vector<std::vector<std::string>> misuses = {
        {},
        {"frobnicate"},
        {"qr", "r.dat"},        // no -o
        {"qr", "r.dat", "-o"},  // -o without value
        {"qr", "r.dat", "-o", "a.png", "-o", "b.png"},
        {"qr", "r.dat", "-o", "q.png", "--scale", "0"},
        {"qr", "r.dat", "-o", "q.png", "--scale", "65"},
        {"qr", "r.dat", "-o", "q.png", "--scale", "4x"},
        {"qr", "r.dat", "-o", "q.png", "--scale", "-3"},
        {"qr", "r.dat", "-o", "q.png", "--border", "65"},
        {"qr", "r.dat", "-o", "q.png", "--median"},  // not an option of qr
        {"preview", "r.dat", "-o", "p.png", "--border", "2"},
        {"matrix", "r.dat", "-o", "m.txt"},
        {"record", "pic.bmp", "1", "-o", "out.dat"},  // ROW missing
        {"shot", "r.dat", "extra", "-o", "s.bmp"},
        {"decode", "s.bmp", "-o", "out.dat", "--verbose"},
        {"scan", "-o", "d"},  // no picture
        {"--version", "extra"},
        {"record", "p.bmp", "0", "0", "-o", "o.dat", "--reduce", "best"},
        {"record", "p.bmp", "0", "0", "-o", "o.dat", "--reduce", "median", "--median"},
        {"export", "p.bmp", "-o", "d", "--reduce", "quality", "--strength", "50"},
        {"record", "p.bmp", "0", "0", "-o", "o.dat", "--strength", "50"},
        {"record", "p.bmp", "0", "0", "-o", "o.dat", "--reduce", "dither", "--strength", "101"},
        {"record", "p.bmp", "0", "0", "-o", "o.dat", "--reduce", "dither", "--strength", "5.5"},
        {"qr", "r.dat", "-o", "q.png", "--reduce", "merge"},
        {"export", "p.bmp", "-o", "d", "--across-designs"},
        {"record", "p.bmp", "0", "0", "-o", "o.dat", "--reduce", "quality", "--across-designs"},
        {"qr", "r.dat", "-o", "q.png", "--across-designs"},
    };
    for (const auto& args : misuses) {
        std::string joined;
        for (const auto& s : args)
            joined += s + " ";
        EXPECT_EQ(usage_error_of(args), kExitUsage) << joined;
    }
}

TEST(Arguments, ReductionAndStrength) {
    const Arguments a =
        parse_arguments({"export", "p.bmp", "--strength", "0", "-o", "d", "--reduce", "dither"});
    EXPECT_EQ(a.reduce, "dither");
    EXPECT_EQ(a.strength, 0);
    EXPECT_FALSE(a.median);
    EXPECT_EQ(parse_arguments({"record", "p.bmp", "0", "0", "-o", "o.dat"}).reduce, "");
}

TEST(Arguments, HelpAndVersionStandAlone) {
    EXPECT_EQ(parse_arguments({"--help"}).command, "--help");
    EXPECT_EQ(parse_arguments({"--version"}).command, "--version");
}

TEST(Arguments, FitTakesAGridOfAtMostFortyDesignsOnTheConvertingCommands) {
    const Arguments a =
        parse_arguments({"record", "p.jpg", "0", "1", "--fit", "3x2", "-o", "o.dat"});
    EXPECT_TRUE(a.has_fit);
    EXPECT_EQ(a.fit_columns, 3);
    EXPECT_EQ(a.fit_rows, 2);
    EXPECT_EQ(parse_arguments({"export", "p.png", "--fit", "1x40", "-o", "d"}).fit_rows, 40);
    EXPECT_FALSE(parse_arguments({"export", "p.png", "-o", "d"}).has_fit);
    for (const std::string bad :
         {"0x1", "41x1", "7x6", "3x", "x2", "3*2", "3x2x1", "+3x2", " 3x2", "-3x2", "3X2", ""}) {
        EXPECT_EQ(usage_error_of({"export", "p.png", "--fit", bad, "-o", "d"}), kExitUsage) << bad;
    }
    EXPECT_EQ(usage_error_of({"export", "p.png", "-o", "d", "--fit"}), kExitUsage);
    EXPECT_EQ(usage_error_of({"export", "p.png", "--fit", "1x1", "--fit", "1x1", "-o", "d"}),
              kExitUsage);
    EXPECT_EQ(usage_error_of({"qr", "r.dat", "--fit", "1x1", "-o", "q.png"}), kExitUsage);
}
