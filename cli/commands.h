// The sub-commands of brevane-cli. Each returns the exit code or throws CliError.
#pragma once

#include "arguments.h"

int run_command(const Arguments& arguments);
