// A fixed sample of the generated test pictures, eight of each kind: every
// clean picture and screenshot is read, nothing else ever comes back, and no
// negative gives a record.
#include <gtest/gtest.h>

#include "design_scanner.h"
#include "scan_outcome.h"

namespace {

constexpr int kSamplePerCategory = 8;

std::vector<RecordBytes> scanned_records(const TestPicture& t) {
    std::vector<RecordBytes> records;
    for (const ScannedDesign& d : scan_designs(decoded_picture(t)).designs)
        records.push_back(d.record);
    return records;
}

// Every record found is one the picture shows.
bool only_shown(const TestPicture& t, const std::vector<RecordBytes>& got) {
    return std::all_of(got.begin(), got.end(), [&](const RecordBytes& r) {
        return std::find(t.records.begin(), t.records.end(), r) != t.records.end();
    });
}

class ScanSample : public testing::TestWithParam<PictureCategory> {};

TEST_P(ScanSample, ReadsWhatItMustAndNothingElse) {
    const PictureCategory category = GetParam();
    const bool must_read =
        category == PictureCategory::clean || category == PictureCategory::screenshot;
    for (int index = 0; index < kSamplePerCategory; ++index) {
        const TestPicture t = test_picture(category, index);
        const auto got = scanned_records(t);
        EXPECT_TRUE(only_shown(t, got)) << t.name;
        if (must_read) {
            EXPECT_TRUE(read_exactly(t.records, got))
                << t.name << ": " << got.size() << " of " << t.records.size();
        }
        if (category == PictureCategory::negative) {
            EXPECT_TRUE(got.empty()) << t.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Generated, ScanSample, testing::ValuesIn(kPictureCategories),
                         [](const auto& info) {
                             std::string name = category_name(info.param);
                             std::replace(name.begin(), name.end(), ' ', '_');
                             std::erase(name, '-');
                             return name;
                         });

}  // namespace
