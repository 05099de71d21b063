// The texts of a design record as UTF-8 for a terminal. Records are arbitrary
// bytes: a field's UTF-16LE units are cut at the first NUL, and control
// characters and unpaired surrogates come out as U+FFFD.
#pragma once

#include <string>

#include "design_record.h"

std::string record_text_utf8(const RecordBytes& record, int offset, int length);

inline std::string design_name_utf8(const RecordBytes& record) {
    return record_text_utf8(record, kDesignNameOffset, kDesignNameLength);
}
inline std::string author_name_utf8(const RecordBytes& record) {
    return record_text_utf8(record, kAuthorNameOffset, kAuthorNameLength);
}
