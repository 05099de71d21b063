#include "cli_error.h"

void fail_with_file(const std::string& file, const std::string& reason) {
    throw CliError(kExitBadInput, file + ": " + reason);
}

void fail_usage(const std::string& reason) {
    throw CliError(kExitUsage, reason);
}
