// Whether a reader read a test picture: every design record back byte for
// byte, nothing else, each once.
#pragma once

#include <algorithm>
#include <vector>

#include "design_record.h"
#include "picture.h"
#include "picture_reader.h"
#include "scan_test_pictures.h"

inline bool read_exactly(const std::vector<RecordBytes>& expected, std::vector<RecordBytes> got) {
    std::vector<RecordBytes> want = expected;
    std::sort(want.begin(), want.end());
    std::sort(got.begin(), got.end());
    got.erase(std::unique(got.begin(), got.end()), got.end());
    return want == got;
}

// The picture as both programs read its file; empty when refused.
inline Picture decoded_picture(const TestPicture& t) {
    Picture picture;
    std::string error;
    if (read_picture(t.file.data(), t.file.size(), &picture, &error) != 0)
        return {};
    return picture;
}
