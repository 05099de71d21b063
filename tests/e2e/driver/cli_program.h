// brevane-cli.exe, run by the scenarios beside the window program: the path
// comes from the environment variable BREVANE_CLI_EXE (a Unix path).
#pragma once

#include <string>

// Runs brevane-cli.exe with the arguments (already quoted) and returns its exit
// code, or -1 when it could not be started or did not end.
int run_cli_program(const std::wstring& arguments);

// The path the environment variable names (a Unix path), as a Windows path;
// empty when it is not set.
std::wstring path_from_environment(const wchar_t* variable);
