// A fixed sample of the generated test pictures, eight of each kind: every
// clean picture and screenshot is read, nothing else ever comes back, and no
// negative gives a record.
#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "design_scanner.h"
#include "scan_outcome.h"
#include "scan_ticker.h"
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
    const int samples =
        category == PictureCategory::negative ? kNotADesignKinds + 2 : kSamplePerCategory;
    // And two where a false finder over a level-L and a version-21 symbol made
    // a chance grid that reads as level M and beyond repair, yet as no version 19.
    std::vector<int> indices(samples);
    std::iota(indices.begin(), indices.end(), 0);
    if (category == PictureCategory::negative)
        indices.insert(indices.end(), {99, 106});
    for (int index : indices) {
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

bool same_result(const ScanResult& a, const ScanResult& b) {
    auto same_design = [](const ScannedDesign& x, const ScannedDesign& y) {
        return x.record == y.record && x.module_size == y.module_size &&
               std::equal(x.corners.begin(), x.corners.end(), y.corners.begin(),
                          [](PicturePoint p, PicturePoint q) { return p.x == q.x && p.y == q.y; });
    };
    return a.outcome == b.outcome && a.unread_symbols == b.unread_symbols &&
           std::equal(a.designs.begin(), a.designs.end(), b.designs.begin(), b.designs.end(),
                      same_design);
}

// A sheet of forty codes a few modules apart: each read, and once; and a
// photograph: the same designs, corners and count on 1, 2 and 4 threads, with
// one workspace kept across the scans.
TEST(ScanSheet, ReadsEveryCodeOnceOnAnyNumberOfThreads) {
    const TestPicture t = test_picture(PictureCategory::clean, 0, PictureCondition::sheet_5x8_2px);
    ScanWorkspace workspace;
    const ScanResult result = scan_designs(decoded_picture(t), workspace, {1});
    const auto got = records_of(result);
    EXPECT_EQ(result.unread_symbols, 0);
    EXPECT_EQ(got.size(), t.records.size());
    EXPECT_TRUE(read_exactly(t.records, got));
    const Picture photo = decoded_picture(test_picture(PictureCategory::photo, 0));
    const ScanResult photo_result = scan_designs(photo, workspace, {1});
    EXPECT_EQ(photo_result.designs.size(), 1u);
    // Light codes on a dark page: the page is mostly dark, so they are looked for.
    const TestPicture inverted =
        test_picture(PictureCategory::web_page, 0, PictureCondition::inverted);
    EXPECT_TRUE(read_exactly(inverted.records, records_of(scan_designs(decoded_picture(inverted),
                                                                       workspace, {1, true}))));
    for (int threads : {2, 4}) {
        EXPECT_TRUE(same_result(scan_designs(decoded_picture(t), workspace, {threads}), result))
            << threads;
        EXPECT_TRUE(same_result(scan_designs(photo, workspace, {threads}), photo_result))
            << threads;
    }
}

// A code photographed at a strong tilt, its near modules twice its far ones:
// the fit through the alignment patterns starts from the finders' own sizes.
TEST(ScanPerspective, ReadsNearModulesTwiceTheFarOnes) {
    for (int index = 0; index < kSamplePerCategory / 2; ++index) {
        const TestPicture t =
            test_picture(PictureCategory::photo, index, PictureCondition::strong_perspective);
        EXPECT_TRUE(read_exactly(t.records, records_of(scan_designs(decoded_picture(t))))) << index;
    }
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

// The callback comes after a fixed share of work, counted in pixels visited
// and decodes, whatever the machine's speed: the first after one share, each
// later one after the next. Noise makes the most candidates and triples; the
// large pages hold a sheet of codes in a corner.
TEST(ScanProgress, ComesAfterEveryShareOfWork) {
    const Picture codes =
        decoded_picture(test_picture(PictureCategory::clean, 0, PictureCondition::sheet_5x8_2px));
    auto page = [&](int width, int height) {
        Picture p{width, height, std::vector<uint8_t>(size_t(width) * height * 3, 255)};
        for (int y = 0; y < codes.height; ++y)
            std::copy_n(codes.rgb.begin() + static_cast<size_t>(y) * codes.width * 3,
                        codes.width * 3, p.rgb.begin() + static_cast<size_t>(y) * width * 3);
        return p;
    };
    Picture noise{4000, 4000, std::vector<uint8_t>(size_t{4000} * 4000 * 3)};
    std::mt19937 rng(7);
    for (uint8_t& v : noise.rgb)
        v = static_cast<uint8_t>(rng() >> 24);
    // One step of work may cross the share before the call.
    constexpr uint64_t kMostPixels = 2 * ScanTicker::kPixelsPerCall;
    ScanWorkspace workspace;
    for (const Picture& picture : {noise, page(8000, 8000), page(16384, 8192)}) {
        ScanWork last{};
        uint64_t most_pixels = 0, most_decodes = 0;
        auto gap = [&] {
            const ScanWork& now = workspace.work();
            most_pixels = std::max(most_pixels, now.pixels - last.pixels);
            most_decodes = std::max(most_decodes, now.decodes - last.decodes);
            last = now;
            return true;
        };
        const ScanResult result = scan_designs(picture, workspace, {1}, gap);
        gap();
        EXPECT_LE(most_pixels, kMostPixels) << picture.width;
        EXPECT_LE(most_decodes, ScanTicker::kDecodesPerCall) << picture.width;
        EXPECT_EQ(result.designs.size(), picture.width == 4000 ? 0u : 40u);
    }
}

}  // namespace
