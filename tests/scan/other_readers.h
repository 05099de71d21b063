// zxing-cpp and zbar as the read-rate table and the benchmark run them: QR
// codes only, raw bytes, zxing-cpp trying harder and rotated. Only payloads of
// exactly one design record's length count.
#pragma once

#include <cstddef>
#include <vector>

#include "design_record.h"
#include "picture.h"

std::vector<RecordBytes> zxing_records(const Picture& picture);
std::vector<RecordBytes> zbar_records(const Picture& picture);

// Adds the payload to out when it is exactly one record long.
void keep_if_record(const uint8_t* data, size_t size, std::vector<RecordBytes>& out);

// The picture's grey levels as both readers take them.
std::vector<uint8_t> grey_levels(const Picture& picture);
