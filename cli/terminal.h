// The few things the tool asks of its console.
#pragma once

#include <string>

bool stderr_is_terminal();

// Writes text to stdout byte for byte (no LF to CRLF translation on Windows).
void write_stdout_binary(const std::string& text);
