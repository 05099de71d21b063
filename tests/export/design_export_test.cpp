// A grid export stopped part way, by a cancel or by a file that cannot be
// written: only whole designs stay, and no index page or temporary file.
#include "design_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kColumns = 3;
constexpr int kRows = 2;

class DesignExport : public testing::Test {
  protected:
    void SetUp() override {
        folder = fs::path(testing::TempDir()) /
                 ("export-" +
                  std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    ExportResult run(const GridProgress& progress) {
        std::vector<RecordBytes> records(kColumns * kRows);
        for (size_t i = 0; i < records.size(); ++i)
            records[i].fill(static_cast<uint8_t>(i * 7 / 3));
        return export_designs(ready_designs(records, kColumns), "grid", folder, progress);
    }

    std::set<std::string> names() const {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder))
            found.insert(entry.path().filename().string());
        return found;
    }

    static std::set<std::string> whole_designs(int count) {
        std::set<std::string> expected;
        for (int number = 1; number <= count; ++number) {
            const std::string stem = "design-00" + std::to_string(number);
            expected.insert({stem + ".dat", stem + ".png", stem + "-preview.png"});
        }
        return expected;
    }

    fs::path folder;
};

TEST_F(DesignExport, ACancelAfterTwoDesignsKeepsExactlyThoseTwo) {
    std::vector<int> reported;
    const ExportResult result = run([&reported](int done, int total) {
        EXPECT_EQ(total, kColumns * kRows);
        reported.push_back(done);
        return done < 2;
    });
    EXPECT_EQ(result.outcome, ExportOutcome::cancelled);
    EXPECT_EQ(result.designs_written, 2);
    EXPECT_EQ(reported, (std::vector<int>{1, 2}));
    EXPECT_EQ(names(), whole_designs(2));
    EXPECT_EQ(fs::file_size(folder / "design-002.dat"), static_cast<uintmax_t>(kDesignRecordSize));
}

TEST_F(DesignExport, AFileThatCannotBeReplacedStopsTheExportAtItsDesign) {
    fs::create_directories(folder / "design-003.png");
    const ExportResult result = run([](int, int) { return true; });
    EXPECT_EQ(result.outcome, ExportOutcome::failed);
    EXPECT_EQ(result.designs_written, 2);
    EXPECT_EQ(result.failed_file, folder / "design-003.png");
    EXPECT_EQ(result.reason.rfind("cannot replace: ", 0), 0u) << result.reason;
    EXPECT_EQ(result.reason.find('\n'), std::string::npos);
    std::set<std::string> expected = whole_designs(2);
    expected.insert("design-003.png");  // the directory, untouched
    EXPECT_EQ(names(), expected);
    EXPECT_TRUE(fs::is_directory(folder / "design-003.png"));
}

}  // namespace
