// Records written by the real brevane-cli.exe (cli_program.h), run under the same Wine, for
// the scenarios that must show what the command-line tool converts.
#pragma once

#include <string>

#include "expected_symbols.h"

// brevane-cli record IMAGE COLUMN ROW [options] -o <scratch file>; false, with
// the reason in *why, unless it exits 0 with a 620-byte record.
bool cli_record(const std::wstring& image, int column, int row, const std::wstring& options,
                Record* record, std::string* why);
