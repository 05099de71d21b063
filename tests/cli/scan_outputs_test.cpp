// What brevane-cli scan names and prints, at its seams: the design files'
// stems of several pictures, the lines worded from a scan's result, and the
// pictures scanned at once coming back in the order given.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "bmp_writer.h"
#include "design_renderings.h"
#include "scan_outputs.h"
#include "scan_pictures.h"
#include "test_records.h"

TEST(ScanOutputs, StemsLoseRefusedCharactersAndRepeatsAreNumbered) {
    const std::vector<std::string> names = {
        "a:b*c?.png", "q\"<>|\\x.jpg", "tab\there.bmp", "end. .png", "Shot.PNG", "shot.png",
        "SHOT.jpeg",  "shot (2).png",  ".png",          "noext",     "a.b.png"};
    EXPECT_EQ(
        design_file_stems(names),
        (std::vector<std::string>{"a_b_c_", "q_____x", "tab_here", "end._", "Shot", "shot (2)",
                                  "SHOT (3)", "shot (2) (2)", ".png", "noext", "a.b"}));
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

// However many threads, and with room for only one picture at a time, every
// picture comes back once, in order, with its own outcome.
TEST(ScanPictures, EachComesBackInOrderWhateverTheThreadsAndMemory) {
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "scan-pictures";
    std::filesystem::create_directories(dir);
    std::vector<PictureToScan> pictures;
    for (uint32_t seed = 1; seed <= 5; ++seed) {
        RecordBytes record;
        const TestRecord r = random_record(seed);
        std::copy(r.begin(), r.end(), record.begin());
        const std::vector<uint8_t> bmp = encode_bmp24(render_qr(record, 1 + seed % 3, 4));
        const std::filesystem::path file = dir / (std::to_string(seed) + ".bmp");
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bmp.data()),
                   static_cast<std::streamsize>(bmp.size()));
        pictures.push_back({file.string(), {}});
        pictures.push_back({(dir / "missing.bmp").string(), {}});
    }
    pictures.push_back({dir.string(), "refused before it was read"});
    for (const auto& [threads, memory] : {std::pair{1, ~uint64_t{0}}, {4, ~uint64_t{0}}, {4, 0}}) {
        size_t expected = 0;
        scan_pictures(pictures, threads, memory, [&](size_t index, const PictureScan& scan) {
            ASSERT_EQ(index, expected++);
            if (index + 1 == pictures.size()) {
                EXPECT_EQ(scan.refusal, "refused before it was read");
            } else if (index % 2 == 1) {
                EXPECT_NE(scan.refusal.find("cannot open"), std::string::npos) << scan.refusal;
            } else {
                ASSERT_EQ(scan.result.designs.size(), 1u) << index << ": " << scan.refusal;
                const TestRecord r = random_record(static_cast<uint32_t>(index / 2 + 1));
                EXPECT_TRUE(std::equal(r.begin(), r.end(), scan.result.designs[0].record.begin()));
            }
        });
        EXPECT_EQ(expected, pictures.size()) << threads << " threads";
    }
    std::filesystem::remove_all(dir);
}
