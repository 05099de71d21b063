// How a sub-command fails: an exit code and one line for stderr.
#pragma once

#include <stdexcept>
#include <string>

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitBadInput = 1;  // unreadable or malformed input, failed write
inline constexpr int kExitUsage = 2;     // the command line itself is wrong

struct CliError : std::runtime_error {
    CliError(int exit_code, const std::string& message)
        : std::runtime_error(message), exit_code(exit_code) {}
    int exit_code;
};

// A failure caused by a file: the message names the file, then the reason.
[[noreturn]] void fail_with_file(const std::string& file, const std::string& reason);

// A command line that does not parse.
[[noreturn]] void fail_usage(const std::string& reason);
