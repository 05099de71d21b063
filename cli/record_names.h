// The texts of a design record on the command line: shown as UTF-8 on a
// terminal (decoded for showing by the core), and set from UTF-8 arguments.
#pragma once

#include <string>

#include "record_edits.h"

std::string record_text_utf8(const RecordBytes& record, RecordTextField field);

inline std::string design_name_utf8(const RecordBytes& record) {
    return record_text_utf8(record, kDesignNameField);
}
inline std::string author_name_utf8(const RecordBytes& record) {
    return record_text_utf8(record, kAuthorNameField);
}

// The UTF-16 units of an option's text. A usage error when the text is not valid
// UTF-8 or holds a control character (U+0000-U+001F, U+007F-U+009F).
std::u16string text_from_argument(const std::string& option, const std::string& utf8);
