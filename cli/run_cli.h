// brevane-cli as a function: the whole program for one command line, without
// the executable's entry point, so that tests and fuzzers can call it in process.
#pragma once

#include <string>
#include <vector>

// Runs the command line `args` (the program name left out), printing as the
// program does, and returns its exit code: kExitSuccess, kExitBadInput or kExitUsage.
int run_cli(const std::vector<std::string>& args);
