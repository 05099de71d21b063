// A fixed sample of the generated test pictures, eight of each kind: every
// clean picture and screenshot is read, nothing else ever comes back, and no
// negative gives a record.
#include <gtest/gtest.h>

#include <random>

#include "design_scanner.h"
#include "scan_outcome.h"
#include "test_symbols.h"

namespace {

constexpr int kSamplePerCategory = 8;

std::vector<RecordBytes> records_of(const ScanResult& result) {
    std::vector<RecordBytes> records;
    for (const ScannedDesign& d : result.designs)
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
    // Every kind of negative, each shown once.
    const int samples = category == PictureCategory::negative ? kNotADesignKinds + 2
                                                              : kSamplePerCategory;
    for (int index = 0; index < samples; ++index) {
        const TestPicture t = test_picture(category, index);
        const ScanResult result = scan_designs(decoded_picture(t));
        const auto got = records_of(result);
        EXPECT_TRUE(only_shown(t, got)) << t.name;
        EXPECT_EQ(result.unread_symbols, t.unreadable) << t.name;
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

// A sheet of forty codes a few modules apart: each read, and once.
TEST(ScanSheet, ReadsEveryCodeOnce) {
    const TestPicture t = test_picture(PictureCategory::clean, 0, PictureCondition::sheet_5x8_2px);
    const ScanResult result = scan_designs(decoded_picture(t));
    const auto got = records_of(result);
    EXPECT_EQ(result.unread_symbols, 0);
    EXPECT_EQ(got.size(), t.records.size());
    EXPECT_TRUE(read_exactly(t.records, got));
}

}  // namespace

namespace {

// A scan long enough to ask for progress stops with nothing when told to, and
// runs to its end when not.
TEST(ScanProgress, StopsWithNothingWhenTheCallbackSaysSo) {
    // A sheet of codes in the corner of a large noisy picture.
    const TestPicture sheet = test_picture(PictureCategory::clean, 7);
    const Picture codes = decoded_picture(sheet);
    ASSERT_FALSE(sheet.records.empty());
    constexpr int kSide = 3000;
    Picture picture{kSide, kSide, std::vector<uint8_t>(size_t{kSide} * kSide * 3)};
    std::mt19937 rng(3);
    for (uint8_t& v : picture.rgb)
        v = static_cast<uint8_t>(rng() >> 24);
    for (int y = 0; y < codes.height; ++y)
        std::copy_n(codes.rgb.begin() + static_cast<size_t>(y) * codes.width * 3, codes.width * 3,
                    picture.rgb.begin() + static_cast<size_t>(y) * kSide * 3);
    int calls = 0;
    const ScanResult stopped = scan_designs(picture, [&] { return ++calls < 2; });
    ASSERT_EQ(calls, 2);
    EXPECT_EQ(stopped.outcome, ScanOutcome::cancelled);
    EXPECT_TRUE(stopped.designs.empty());
    const ScanResult finished = scan_designs(picture, [] { return true; });
    EXPECT_EQ(finished.outcome, ScanOutcome::finished);
    EXPECT_EQ(finished.unread_symbols, 0);
    EXPECT_EQ(finished.designs.size(), sheet.records.size());
}

}  // namespace
