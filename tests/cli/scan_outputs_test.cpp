// What brevane-cli scan names and prints, at its seams: the design files'
// stems of several pictures, and the lines worded from a scan's result.
#include <gtest/gtest.h>

#include "scan_outputs.h"

TEST(ScanOutputs, StemsLoseRefusedCharactersAndRepeatsAreNumbered) {
    const std::vector<std::string> names = {
        "a:b*c?.png", "q\"<>|\\x.jpg", "tab\there.bmp", "end. .png", "Shot.PNG", "shot.png",
        "SHOT.jpeg",  "shot (2).png",  ".png",          "noext",     "a.b.png"};
    EXPECT_EQ(design_file_stems(names),
              (std::vector<std::string>{"a_b_c_", "q_____x", "tab_here", "end._", "Shot",
                                        "shot (2)", "SHOT (3)", "shot (2) (2)", ".png", "noext",
                                        "a.b"}));
    EXPECT_EQ(design_file_name("shot (2)", 7), "shot (2)-007.dat");
}

TEST(ScanOutputs, LinesSayWhatWasSeenButNotRead) {
    ScanResult result;
    EXPECT_EQ(unread_symbols_line("p.png", result), "");
    EXPECT_EQ(nothing_found_reason(result), "no design QR code found");
    result.unread_symbols = 1;
    EXPECT_EQ(unread_symbols_line("p.png", result),
              "p.png: 1 more design-sized QR code was seen but could not be read\n");
    result.unread_symbols = 3;
    EXPECT_EQ(unread_symbols_line("p.png", result),
              "p.png: 3 more design-sized QR codes were seen but could not be read\n");
    EXPECT_EQ(nothing_found_reason(result),
              "no design QR code could be read (3 seen but unreadable)");

    ScannedDesign design{};
    design.corners = {PicturePoint{10, 10}, PicturePoint{103, 10}, PicturePoint{103, 103},
                      PicturePoint{10, 103}};
    design.module_size = 1;
    result.designs = {design, design};
    const std::string lines = found_design_lines(result, "dir/p.png: ");
    EXPECT_EQ(lines.substr(0, lines.find('\n')),
              "dir/p.png: 001  centre 56.5,56.5  module 1.00  name \"\"  author \"\"");
    EXPECT_EQ(lines.substr(lines.find('\n') + 1, 15), "dir/p.png: 002 ");
}
