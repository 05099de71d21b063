// Where the end-to-end driver finds the program, its input files and the
// folder for the symbols that zbar checks afterwards.
#pragma once

#include <string>
#include <vector>

struct E2eEnvironment {
    std::wstring program;    // brevane.exe, as a Windows path
    std::wstring data;       // folder of the input pictures
    std::wstring artifacts;  // folder for symbol pictures and their expected records
    std::wstring scratch;    // folder for files that scenarios write
};

const E2eEnvironment& e2e_environment();

// "/a/b" -> "Z:\a\b": Wine maps drive Z: to the Unix root.
std::wstring windows_path_of_unix_path(const std::string& unix_path);

std::wstring join_path(const std::wstring& folder, const std::wstring& name);

// The names of the folder's files (not its subfolders), sorted.
std::vector<std::wstring> files_in_folder(const std::wstring& folder);

// Deletes the files of the folder (not its subfolders).
void empty_folder(const std::wstring& folder);
