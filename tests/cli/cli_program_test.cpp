// brevane-cli run as a user runs it: round trips, exports, and every failure
// leaving no file behind.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bmp_writer.h"
#include "design_record.h"
#include "design_renderings.h"
#include "test_records.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int exit_code;
    std::string out;
    std::string err;
};

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void spill(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string as_string(const TestRecord& r) {
    return std::string(r.begin(), r.end());
}

class CliProgram : public testing::Test {
  protected:
    void SetUp() override {
        dir = fs::path(testing::TempDir()) /
              ("cli-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    Outcome run(const std::string& args) {
        const fs::path out = dir / "stdout.txt", err = dir / "stderr.txt";
        const std::string command = std::string(BREVANE_CLI) + " " + args + " >'" + out.string() +
                                    "' 2>'" + err.string() + "'";
        const int status = std::system(command.c_str());
        Outcome o{WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(out), slurp(err)};
        fs::remove(out);
        fs::remove(err);
        return o;
    }

    std::string path(const std::string& name) const { return "'" + (dir / name).string() + "'"; }

    // Files in the test folder, apart from the ones a test put there itself.
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    void write_noise_picture(const std::string& name, int width, int height, uint32_t seed) {
        std::mt19937 rng(seed);
        Picture picture;
        picture.width = width;
        picture.height = height;
        picture.rgb.resize(static_cast<size_t>(width) * height * 3);
        for (auto& b : picture.rgb)
            b = static_cast<uint8_t>(rng() >> 24);
        const std::vector<uint8_t> bytes = encode_bmp24(picture);
        spill(dir / name, std::string(bytes.begin(), bytes.end()));
    }

    fs::path dir;
};

}  // namespace

TEST_F(CliProgram, ShotThenDecodeGivesTheRecordBack) {
    for (uint32_t seed : {1u, 2u}) {
        spill(dir / "in.dat", as_string(random_record(seed)));
        ASSERT_EQ(run("shot " + path("in.dat") + " -o " + path("shot.bmp")).exit_code, 0);
        EXPECT_EQ(fs::file_size(dir / "shot.bmp"), 288054u);
        const Outcome decoded = run("decode -o " + path("out.dat") + " " + path("shot.bmp"));
        ASSERT_EQ(decoded.exit_code, 0) << decoded.err;
        EXPECT_EQ(slurp(dir / "out.dat"), as_string(random_record(seed)));
    }
}

TEST_F(CliProgram, QrCodeReadsBackWithZbar) {
    spill(dir / "in.dat", as_string(random_record(3)));
    for (const char* name : {"q.png", "q.bmp"}) {
        ASSERT_EQ(
            run("qr " + path("in.dat") + " -o " + path(name) + " --scale 3 --border 2").exit_code,
            0);
        const std::string zbar =
            "zbarimg --nodbus --raw -q -Sbinary " + path(name) + " > " + path("zbar.out");
        ASSERT_EQ(std::system(zbar.c_str()), 0) << name;
        EXPECT_EQ(slurp(dir / "zbar.out").substr(0, 620), as_string(random_record(3))) << name;
    }
}

// Two codes side by side come out left first, each once, with its name; a
// control character and an unpaired surrogate show as U+FFFD. A picture
// without a code exits 1 and creates nothing.
TEST_F(CliProgram, ScanWritesEachDesignInReadingOrder) {
    TestRecord left = random_record(11), right = random_record(12);
    const char16_t name[] = {u'A', 0x0001, 0xD800, u'C', 0};
    for (int k = 0; k < kDesignNameLength / 2; ++k) {
        const char16_t unit = k < 5 ? name[k] : 0;
        right[kDesignNameOffset + 2 * k] = static_cast<uint8_t>(unit);
        right[kDesignNameOffset + 2 * k + 1] = static_cast<uint8_t>(unit >> 8);
    }
    const char16_t author[] = u"もぷ";
    for (int k = 0; k < 3; ++k) {
        left[kAuthorNameOffset + 2 * k] = static_cast<uint8_t>(author[k]);
        left[kAuthorNameOffset + 2 * k + 1] = static_cast<uint8_t>(author[k] >> 8);
    }
    RecordBytes left_bytes, right_bytes;
    std::copy(left.begin(), left.end(), left_bytes.begin());
    std::copy(right.begin(), right.end(), right_bytes.begin());
    const Picture a = render_qr(left_bytes, 2, 4), b = render_qr(right_bytes, 3, 4);
    Picture page{a.width + b.width + 40, b.height + 30,
                 std::vector<uint8_t>(static_cast<size_t>(a.width + b.width + 40) * (b.height + 30) * 3, 255)};
    auto paste = [&](const Picture& p, int x0, int y0) {
        for (int y = 0; y < p.height; ++y)
            std::copy_n(p.rgb.begin() + static_cast<size_t>(y) * p.width * 3, p.width * 3,
                        page.rgb.begin() + (static_cast<size_t>(y0 + y) * page.width + x0) * 3);
    };
    paste(a, 10, 25);
    paste(b, a.width + 30, 5);
    const std::vector<uint8_t> bmp = encode_bmp24(page);
    spill(dir / "page.bmp", std::string(bmp.begin(), bmp.end()));

    const Outcome o = run("scan " + path("page.bmp") + " -o " + path("found"));
    ASSERT_EQ(o.exit_code, 0) << o.err;
    EXPECT_EQ(slurp(dir / "found" / "design-001.dat"), as_string(left));
    EXPECT_EQ(slurp(dir / "found" / "design-002.dat"), as_string(right));
    EXPECT_FALSE(fs::exists(dir / "found" / "design-003.dat"));
    const size_t line_end = o.out.find('\n');
    EXPECT_NE(o.out.find("author \"もぷ\""), std::string::npos);
    EXPECT_LT(o.out.find("author \"もぷ\""), line_end);
    EXPECT_NE(o.out.find("name \"A\uFFFD\uFFFDC\""), std::string::npos) << o.out;
    EXPECT_EQ(o.out.substr(0, 3), "001");
    EXPECT_EQ(o.out.substr(line_end + 1, 3), "002");

    write_noise_picture("noise.bmp", 64, 64, 5);
    const Outcome none = run("scan " + path("noise.bmp") + " -o " + path("empty"));
    EXPECT_EQ(none.exit_code, 1);
    EXPECT_NE(none.err.find("no design QR code found"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "empty"));
    EXPECT_EQ(run("scan " + path("page.bmp")).exit_code, 2);
}

// Several pictures: a folder's pictures in name order, every line after the
// picture's path as given, names cleaned and repeats numbered. A refused picture
// is reported in its place while the others are still written, and exits 1, as
// do pictures without a design; a folder alone exits 0 with its designs.
TEST_F(CliProgram, ScanOfSeveralPicturesNamesAndReportsEachInOrder) {
    fs::create_directories(dir / "shots");
    auto code = [&](const fs::path& file, uint32_t seed) {
        RecordBytes record;
        const TestRecord r = random_record(seed);
        std::copy(r.begin(), r.end(), record.begin());
        const std::vector<uint8_t> bmp = encode_bmp24(render_qr(record, 2, 4));
        spill(file, std::string(bmp.begin(), bmp.end()));
    };
    code(dir / "shots" / "b.bmp", 21);
    code(dir / "shots" / "A.bmp", 22);
    spill(dir / "shots" / "notes.txt", "not a picture, and not taken for one");
    code(dir / "a.bmp", 23);
    write_noise_picture("noise.bmp", 64, 64, 5);
    spill(dir / "text.bmp", "not a picture");
    const std::string shots = (dir / "shots").string() + "/", here = dir.string() + "/";
    const Outcome o = run("scan " + path("shots") + " " + path("a.bmp") + " " + path("text.bmp") +
                          " " + path("noise.bmp") + " -o " + path("out"));
    EXPECT_EQ(o.exit_code, 1);
    const std::vector<std::string> out_starts = {shots + "A.bmp: 001  centre",
                                                 shots + "b.bmp: 001  centre", here + "a.bmp: 001"};
    size_t at = 0;
    for (const std::string& start : out_starts) {
        EXPECT_EQ(o.out.substr(at, start.size()), start) << o.out;
        at = o.out.find('\n', at) + 1;
    }
    EXPECT_EQ(at, o.out.size());
    EXPECT_EQ(o.err, here + "text.bmp: not a BMP, PNG or JPEG file\n" + here +
                         "noise.bmp: no design QR code found\n");
    EXPECT_EQ(slurp(dir / "out" / "A-001.dat"), as_string(random_record(22)));
    EXPECT_EQ(slurp(dir / "out" / "b-001.dat"), as_string(random_record(21)));
    EXPECT_EQ(slurp(dir / "out" / "a (2)-001.dat"), as_string(random_record(23)));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "out"), {}), 3);

    EXPECT_EQ(run("scan " + path("noise.bmp") + " " + path("noise.bmp") + " -o " + path("none"))
                  .exit_code,
              1);
    EXPECT_FALSE(fs::exists(dir / "none"));
    const Outcome folder = run("scan " + path("shots") + " -o " + path("folder"));
    EXPECT_EQ(folder.exit_code, 0) << folder.err;
    EXPECT_TRUE(fs::exists(dir / "folder" / "A-001.dat"));
}

TEST_F(CliProgram, MatrixPrints93LinesOfDigits) {
    spill(dir / "in.dat", as_string(zero_record()));
    const Outcome o = run("matrix " + path("in.dat"));
    ASSERT_EQ(o.exit_code, 0);
    ASSERT_EQ(o.out.size(), 93u * 94u);
    EXPECT_EQ(o.out.substr(0, 94),
              "111111101100100100100100100100100100100100100100100100100100100100100100100100100"
              "101001111111\n");
    EXPECT_EQ(o.out.find_first_not_of("01\n"), std::string::npos);
}

TEST_F(CliProgram, ExportMatchesRecordForEveryDesign) {
    write_noise_picture("pic.bmp", 64, 96, 7);
    const Outcome o = run("export " + path("pic.bmp") + " -o " + path("out"));
    ASSERT_EQ(o.exit_code, 0) << o.err;
    const std::string page = slurp(dir / "out" / "index.html");
    for (int number = 1; number <= 6; ++number) {
        char stem[32];
        std::snprintf(stem, sizeof stem, "design-%03d", number);
        const int column = (number - 1) % 2, row = (number - 1) / 2;
        ASSERT_EQ(run("record " + path("pic.bmp") + " " + std::to_string(column) + " " +
                      std::to_string(row) + " -o " + path("one.dat"))
                      .exit_code,
                  0);
        EXPECT_EQ(slurp(dir / "out" / (std::string(stem) + ".dat")), slurp(dir / "one.dat"))
            << stem;
        EXPECT_TRUE(fs::exists(dir / "out" / (std::string(stem) + ".png")));
        EXPECT_TRUE(fs::exists(dir / "out" / (std::string(stem) + "-preview.png")));
        EXPECT_NE(page.find(std::string(stem) + "-preview.png"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(dir / "out" / "design-007.dat"));
    EXPECT_EQ(page.find("<script"), std::string::npos);
}

TEST_F(CliProgram, FitGivesTheGridItAsksForAndDesignsOutsideItAreBadInput) {
    write_noise_picture("pic.bmp", 100, 64, 11);
    ASSERT_EQ(run("record " + path("pic.bmp") + " 2 1 --fit 3x2 -o " + path("last.dat")).exit_code,
              0);
    const Outcome outside =
        run("record " + path("pic.bmp") + " 3 0 --fit 3x2 -o " + path("no.dat"));
    EXPECT_EQ(outside.exit_code, 1);
    EXPECT_NE(outside.err.find("3 x 2"), std::string::npos) << outside.err;
    EXPECT_FALSE(fs::exists(dir / "no.dat"));
    ASSERT_EQ(run("export --fit 3x2 " + path("pic.bmp") + " -o " + path("out")).exit_code, 0);
    EXPECT_EQ(slurp(dir / "out" / "design-006.dat"), slurp(dir / "last.dat"));
    EXPECT_FALSE(fs::exists(dir / "out" / "design-007.dat"));
    // Without --fit the same picture is refused: 100 is no multiple of 32.
    EXPECT_EQ(run("record " + path("pic.bmp") + " 0 0 -o " + path("no.dat")).exit_code, 1);
}

TEST_F(CliProgram, MedianCutGivesAnotherRecord) {
    write_noise_picture("pic.bmp", 32, 32, 8);
    ASSERT_EQ(run("record " + path("pic.bmp") + " 0 0 -o " + path("merge.dat")).exit_code, 0);
    ASSERT_EQ(run("record --median " + path("pic.bmp") + " 0 0 -o " + path("median.dat")).exit_code,
              0);
    EXPECT_EQ(slurp(dir / "merge.dat").size(), 620u);
    EXPECT_NE(slurp(dir / "merge.dat"), slurp(dir / "median.dat"));
}

TEST_F(CliProgram, ReductionsOnTheCommandLine) {
    write_noise_picture("pic.bmp", 32, 32, 8);
    const std::string record = "record " + path("pic.bmp") + " 0 0 ";
    ASSERT_EQ(run(record + "-o " + path("default.dat")).exit_code, 0);
    for (const char* name : {"merge", "median", "quality", "dither"}) {
        ASSERT_EQ(
            run(record + "--reduce " + name + " -o " + path(std::string(name) + ".dat")).exit_code,
            0);
    }
    ASSERT_EQ(run("record --median " + path("pic.bmp") + " 0 0 -o " + path("short.dat")).exit_code,
              0);
    ASSERT_EQ(run(record + "--reduce dither --strength 0 -o " + path("flat.dat")).exit_code, 0);
    EXPECT_EQ(slurp(dir / "default.dat"), slurp(dir / "merge.dat"));
    EXPECT_EQ(slurp(dir / "median.dat"), slurp(dir / "short.dat"));
    EXPECT_EQ(slurp(dir / "flat.dat"), slurp(dir / "quality.dat"));
    EXPECT_NE(slurp(dir / "quality.dat"), slurp(dir / "dither.dat"));
    EXPECT_EQ(run(record + "--reduce dither --strength 200 -o " + path("bad.dat")).exit_code, 2);
    EXPECT_FALSE(fs::exists(dir / "bad.dat"));
}

// record gives one design of the whole grid's result, as export writes it.
TEST_F(CliProgram, AcrossDesignsRecordIsTheExportsDesign) {
    write_noise_picture("pic.bmp", 96, 64, 13);
    const std::string across = " --reduce dither --across-designs ";
    ASSERT_EQ(run("export " + path("pic.bmp") + across + "-o " + path("out")).exit_code, 0);
    ASSERT_EQ(run("record " + path("pic.bmp") + " 1 1" + across + "-o " + path("one.dat")).exit_code,
              0);
    EXPECT_EQ(slurp(dir / "one.dat"), slurp(dir / "out" / "design-005.dat"));
}

TEST_F(CliProgram, BadInputExitsWithOneAndWritesNothing) {
    write_noise_picture("pic.bmp", 64, 32, 9);
    write_noise_picture("odd.png", 40, 32, 10);
    spill(dir / "short.dat", std::string(619, 'x'));
    spill(dir / "long.dat", std::string(621, 'x'));
    spill(dir / "text.bmp", "this is not a picture");
    spill(dir / "in.dat", as_string(random_record(4)));
    ASSERT_EQ(run("shot " + path("in.dat") + " -o " + path("shot.bmp")).exit_code, 0);
    write_noise_picture("noise-shot.bmp", 400, 240, 11);
    write_noise_picture("tall-shot.bmp", 400, 241, 12);
    const std::vector<std::string> before = files();

    const std::vector<std::string> failures = {
        "record " + path("missing.bmp") + " 0 0 -o " + path("x.dat"),
        "record " + path("odd.png") + " 0 0 -o " + path("x.dat"),
        "record " + path("text.bmp") + " 0 0 -o " + path("x.dat"),
        "record " + path("pic.bmp") + " 2 0 -o " + path("x.dat"),
        "record " + path("pic.bmp") + " 0 1 -o " + path("x.dat"),
        "record " + path("pic.bmp") + " -1 0 -o " + path("x.dat"),
        "export " + path("odd.png") + " -o " + path("x"),
        "qr " + path("short.dat") + " -o " + path("x.png"),
        "qr " + path("long.dat") + " -o " + path("x.png"),
        "matrix " + path("missing.dat"),
        "preview " + path("short.dat") + " -o " + path("x.png"),
        "decode " + path("noise-shot.bmp") + " -o " + path("x.dat"),
        "decode " + path("tall-shot.bmp") + " -o " + path("x.dat"),
        "decode " + path("text.bmp") + " -o " + path("x.dat"),
        "shot " + path("in.dat") + " -o " + path("no-such-folder/x.bmp"),
    };
    for (const std::string& args : failures) {
        const Outcome o = run(args);
        EXPECT_EQ(o.exit_code, 1) << args;
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << args << ": " << o.err;
        EXPECT_EQ(files(), before) << args;
    }
}

TEST_F(CliProgram, UsageErrorsExitWithTwo) {
    spill(dir / "in.dat", as_string(random_record(5)));
    for (const std::string& args :
         {std::string("frobnicate"), "qr " + path("in.dat") + " -o " + path("x.gif"),
          "qr " + path("in.dat") + " -o " + path("x.png") + " --scale 0",
          "record " + path("in.dat") + " a 0 -o " + path("x.dat"), std::string("")}) {
        const Outcome o = run(args);
        EXPECT_EQ(o.exit_code, 2) << args;
        EXPECT_NE(o.err.find("usage:"), std::string::npos) << args;
    }
    const Outcome version = run("--version");
    EXPECT_EQ(version.exit_code, 0);
    EXPECT_EQ(version.out.rfind("brevane-cli ", 0), 0u);
}

TEST_F(CliProgram, PreviewShowsUnknownColoursAsTheWindowsCheckerboard) {
    TestRecord record = zero_record();
    record[88] = 0x14;          // slot 0: red
    record[89] = 0xFF;          // slot 1: no palette code
    record[108] = 0x10 | 0x00;  // pixel 0 slot 0, pixel 1 slot 1
    record[109] = 0x0F;         // pixel 2 slot 15
    spill(dir / "in.dat", as_string(record));
    ASSERT_EQ(run("preview " + path("in.dat") + " -o " + path("p.bmp") + " --scale 1").exit_code,
              0);
    const std::string bmp = slurp(dir / "p.bmp");
    ASSERT_EQ(bmp.size(), 54u + 32 * 32 * 3);
    // Top row of the picture is the last stored row; pixels are blue, green, red.
    const size_t top = 54 + 31 * 32 * 3;
    // Red, then the checkerboard: light at (1, 0), dark at (2, 0).
    EXPECT_EQ(bmp.substr(top, 9), std::string("\x00\x00\xFF\xFF\xFF\xFF\x00\x00\x00", 9));
}

// --name and --author change only their fields, alike in record, export and edit;
// edit takes the preview back from PNG at --scale 3, and refuses the rest before writing.
TEST_F(CliProgram, NamesGoOnEveryRecordAndEditTakesThePreviewBack) {
    write_noise_picture("pic.bmp", 64, 32, 14);
    write_noise_picture("noise.bmp", 32, 32, 15);  // no palette colours
    spill(dir / "lossy.jpg", "\xFF\xD8\xFF\xE0 not much of a JPEG");
    const std::string names = " --name '壁画 {n}' --author 'もぷ太' -o ";
    const std::string edit = "edit " + path("one.dat");
    for (const std::string& args :
         {"record " + path("pic.bmp") + " 1 0 -o " + path("one.dat"),
          "record " + path("pic.bmp") + " 1 0" + names + path("named.dat"),
          "export " + path("pic.bmp") + names + path("out"),
          edit + " --name '壁画 002' --author もぷ太 -o " + path("edited.dat"),
          "preview " + path("named.dat") + " --scale 3 -o " + path("d.png"),
          "edit " + path("named.dat") + " --pixels " + path("d.png") + " -o " + path("back.dat")})
        ASSERT_EQ(run(args).exit_code, 0) << args;
    const std::string named = slurp(dir / "named.dat"), plain = slurp(dir / "one.dat");
    EXPECT_EQ(named.substr(0, 14), std::string("\xC1\x58\x3B\x75 \0000\0000\0002\0\0\0", 14));
    EXPECT_EQ(named.substr(kAuthorNameOffset, 8), std::string("\x82\x30\x77\x30\x2A\x59\0\0", 8));
    EXPECT_EQ(named.substr(kVillageNumberOffset), plain.substr(kVillageNumberOffset));
    for (const char* same : {"out/design-002.dat", "edited.dat", "back.dat"})
        EXPECT_EQ(slurp(dir / same), named) << same;
    const std::string half_clear = "convert " + path("d.png") +
                                   " -alpha on -channel A -evaluate set 50% +channel PNG32:";
    ASSERT_EQ(std::system((half_clear + path("clear.png")).c_str()), 0);
    const std::vector<std::string> before = files();
    for (const char* refused : {"lossy.jpg", "noise.bmp", "clear.png"})
        EXPECT_EQ(run(edit + " --pixels " + path(refused) + " -o " + path("x.dat")).exit_code, 1);
    for (const std::string& wrong : {std::string(" --name 'a\tb'"), std::string(" --name '\xC3('"),
                                     std::string(" --author 作者の名前は十文字だ"), std::string()})
        EXPECT_EQ(run(edit + wrong + " -o " + path("x.dat")).exit_code, 2) << wrong;
    EXPECT_EQ(run("export " + path("pic.bmp") + " --name 'abcdefghijklmnopqr{n}' -o " + path("x"))
                  .exit_code,
              2);
    EXPECT_EQ(files(), before);
}
