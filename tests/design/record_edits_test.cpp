#include "record_edits.h"

#include <gtest/gtest.h>

namespace {

RecordBytes record_of_slot(int slot) {
    RecordBytes record{};
    for (int y = 0; y < kTileSide; ++y)
        for (int x = 0; x < kTileSide; ++x)
            set_record_pixel_slot(record, x, y, slot);
    return record;
}

TEST(RecordEdits, ALineLeavesNoGapsAndSkipsPointsOutside) {
    RecordBytes record = record_of_slot(0);
    EXPECT_TRUE(paint_record_line(record, 31, 0, 0, 20, 3));
    for (int x = 0; x < kTileSide; ++x) {
        int in_column = 0;
        for (int y = 0; y < kTileSide; ++y)
            in_column += record_pixel_slot(record, x, y) == 3;
        EXPECT_EQ(in_column, 1) << "column " << x;
    }
    EXPECT_EQ(record_pixel_slot(record, 0, 20), 3);
    EXPECT_FALSE(paint_record_line(record, 31, 0, 0, 20, 3));
    EXPECT_TRUE(paint_record_line(record, -10, 25, 40, 25, 4));
    for (int x = 0; x < kTileSide; ++x)
        EXPECT_EQ(record_pixel_slot(record, x, 25), 4);
}

TEST(RecordEdits, AFillFollowsTheNibbleFourConnectedOnly) {
    RecordBytes record = record_of_slot(0);
    paint_record_line(record, 0, 16, 31, 16, 15);  // a wall of nibble 15
    set_record_pixel_slot(record, 5, 16, 0);       // a gap that only a diagonal step
    paint_record_line(record, 5, 15, 5, 15, 15);   // from (4, 15) or (6, 15) reaches
    EXPECT_TRUE(fill_record_area(record, 0, 0, 7));
    EXPECT_EQ(record_pixel_slot(record, 31, 15), 7);
    EXPECT_EQ(record_pixel_slot(record, 5, 16), 0);
    EXPECT_EQ(record_pixel_slot(record, 0, 31), 0);
    EXPECT_FALSE(fill_record_area(record, 0, 0, 7));
}

TEST(RecordEdits, AnUnchangedTextKeepsItsBytesAndAChangedOneIsZeroFilled) {
    RecordBytes record{};
    record[kDesignNameOffset] = 'A';
    record[kDesignNameOffset + 10] = 0x55;  // garbage after the zero unit
    EXPECT_FALSE(set_record_text(record, kDesignNameField, u"A"));
    EXPECT_EQ(record[kDesignNameOffset + 10], 0x55);
    EXPECT_TRUE(set_record_text(record, kDesignNameField, u"AB"));
    EXPECT_EQ(record[kDesignNameOffset + 2], 'B');
    EXPECT_EQ(record[kDesignNameOffset + 10], 0);
    EXPECT_FALSE(set_record_text(record, kAuthorNameField, u"0123456789"));  // 10 > 9 units
    EXPECT_FALSE(set_record_text(record, kAuthorNameField, u"ab\xD83D"));    // lone high end
    EXPECT_TRUE(set_record_text(record, kAuthorNameField, u"\xD83D\xDE00"));
}

TEST(RecordEdits, DecodingShowsControlsAndLoneSurrogatesAsReplacement) {
    RecordBytes record{};
    const char16_t units[] = {u'a', 0x0007, 0xDC00, 0xD83D, 0xDE00, 0x009F, 0xD800};
    for (int k = 0; k < 7; ++k) {
        record[kAuthorNameOffset + 2 * k] = static_cast<uint8_t>(units[k] & 0xFF);
        record[kAuthorNameOffset + 2 * k + 1] = static_cast<uint8_t>(units[k] >> 8);
    }
    char16_t out[16];
    const int n = decode_record_text(record, kAuthorNameField, out, 16);
    EXPECT_EQ(std::u16string_view(out, n), u"a\xFFFD\xFFFD\xD83D\xDE00\xFFFD\xFFFD");
}

}  // namespace
