// The read-rate table: every generated test picture through our scanner,
// zxing-cpp and zbar, counted by category. Usage: scan_read_table [N] [-v],
// N pictures of each category (100 by default); -v names each one missed.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "design_scanner.h"
#include "other_readers.h"
#include "scan_outcome.h"

namespace {

struct Counts {
    int pictures = 0;
    int ours = 0;
    int zxing = 0;
    int zbar = 0;
    int false_records = 0;  // ours: records a picture does not show
};

double percent(int part, int whole) {
    return whole == 0 ? 0 : 100.0 * part / whole;
}

// Reads N pictures of a category, or of one of its conditions, with every reader.
Counts count_reads(PictureCategory category, PictureCondition condition, int n, bool verbose) {
    Counts c;
    for (int index = 0; index < n; ++index) {
        const TestPicture t = test_picture(category, index, condition);
        const Picture picture = decoded_picture(t);
        std::vector<RecordBytes> ours;
        for (const ScannedDesign& d : scan_designs(picture).designs)
            ours.push_back(d.record);
        const bool ours_read = read_exactly(t.records, ours);
        const bool zxing_read = read_exactly(t.records, zxing_records(picture));
        const bool zbar_read = read_exactly(t.records, zbar_records(picture));
        for (const RecordBytes& r : ours)
            if (std::find(t.records.begin(), t.records.end(), r) == t.records.end())
                ++c.false_records;
        ++c.pictures;
        c.ours += ours_read, c.zxing += zxing_read, c.zbar += zbar_read;
        if (verbose && (!ours_read || !zxing_read))
            std::fprintf(stderr, "%s: ours %s (%zu of %zu), zxing-cpp %s\n", t.name.c_str(),
                         ours_read ? "read" : "MISSED", ours.size(), t.records.size(),
                         zxing_read ? "read" : "missed");
    }
    return c;
}

void print_row(const char* name, const Counts& c) {
    std::printf("| %s | %d | %.0f%% | %.0f%% | %.0f%% |\n", name, c.pictures,
                percent(c.ours, c.pictures), percent(c.zxing, c.pictures),
                percent(c.zbar, c.pictures));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    int per_category = 100;
    bool verbose = false;
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "-v") == 0)
            verbose = true;
        else
            per_category = std::stoi(argv[k]);
    }
    Counts total;
    std::printf("| category | pictures | ours | zxing-cpp | zbar |\n|---|---|---|---|---|\n");
    for (PictureCategory category : kPictureCategories) {
        const Counts c = count_reads(category, PictureCondition::none, per_category, verbose);
        print_row(category_name(category), c);
        total.pictures += c.pictures, total.ours += c.ours, total.zxing += c.zxing;
        total.zbar += c.zbar, total.false_records += c.false_records;
    }
    std::printf("| all | %d | %.1f%% | %.1f%% | %.1f%% |\n", total.pictures,
                percent(total.ours, total.pictures), percent(total.zxing, total.pictures),
                percent(total.zbar, total.pictures));
    // Each condition with half as many pictures: 50 by default.
    const int per_condition = std::max(1, per_category / 2);
    std::printf("\n| condition | pictures | ours | zxing-cpp | zbar |\n|---|---|---|---|---|\n");
    for (PictureCondition condition : kPictureConditions) {
        const Counts c =
            count_reads(condition_category(condition), condition, per_condition, verbose);
        print_row(condition_name(condition), c);
        total.false_records += c.false_records;
    }
    std::printf("\nrecords reported that a picture does not show: %d\n", total.false_records);
    return 0;
}
