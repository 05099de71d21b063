// The scanner's test pictures, made afresh from a category and an index: the
// same picture every time, on every machine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "design_record.h"

enum class PictureCategory { clean, web_page, screenshot, photo, negative };
inline constexpr PictureCategory kPictureCategories[] = {
    PictureCategory::clean, PictureCategory::web_page, PictureCategory::screenshot,
    PictureCategory::photo, PictureCategory::negative};

const char* category_name(PictureCategory category);

// Harder pictures drawn by a category's own generator: sheets of many codes
// side by side (clean), and the hard photographs.
enum class PictureCondition {
    none,
    sheet_5x8_2px,  // columns x rows, pixels a module, 1 to 8 light modules apart
    sheet_5x8_3px,
    sheet_10x10_1px,
    sheet_8x5_2apart,  // 2 px a module, 2 light modules apart
    // web pages
    inverted,     // light codes on a dark page
    tinted_page,  // grey-100 codes on a page of grey 150 to 170, text close to the code
    // camera-like photos
    strong_perspective,  // module sizes up to twice as large across the code
    mirrored,            // as a front camera takes it
    uneven_modules,      // a monitor zooming the code by a fractional factor
    busy_surroundings,   // a printout on a cluttered desk, a soft shadow edge across the code
};
inline constexpr PictureCondition kPictureConditions[] = {
    PictureCondition::sheet_5x8_2px,      PictureCondition::sheet_5x8_3px,
    PictureCondition::sheet_10x10_1px,    PictureCondition::sheet_8x5_2apart,
    PictureCondition::inverted,           PictureCondition::tinted_page,
    PictureCondition::strong_perspective, PictureCondition::mirrored,
    PictureCondition::uneven_modules,     PictureCondition::busy_surroundings};

const char* condition_name(PictureCondition condition);
PictureCategory condition_category(PictureCondition condition);

struct TestPicture {
    std::string name;
    PictureCategory category;
    std::vector<uint8_t> file;         // PNG, BMP or JPEG bytes
    std::vector<RecordBytes> records;  // the design codes it shows, each once
    int unreadable = 0;                // design-sized symbols shown beyond repair
};

TestPicture test_picture(PictureCategory category, int index,
                         PictureCondition condition = PictureCondition::none);
