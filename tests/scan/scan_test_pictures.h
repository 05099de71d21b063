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

struct TestPicture {
    std::string name;
    PictureCategory category;
    std::vector<uint8_t> file;         // PNG, BMP or JPEG bytes
    std::vector<RecordBytes> records;  // the design codes it shows, each once
};

TestPicture test_picture(PictureCategory category, int index);
