// The end-to-end driver: runs brevane.exe under Wine and looks at what it shows.
// Usage: e2e_driver <brevane.exe> <data folder> <artifact folder> <scratch folder>
// (Unix paths), then any GoogleTest flags.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "e2e_environment.h"

namespace {

E2eEnvironment environment;

// Creates the folder and any missing parents.
void create_folders(const std::wstring& path) {
    for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryW(path.c_str(), nullptr);
}

}  // namespace

const E2eEnvironment& e2e_environment() {
    return environment;
}

std::wstring windows_path_of_unix_path(const std::string& unix_path) {
    std::wstring path = L"Z:";
    for (const char c : unix_path) {
        path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    }
    return path;
}

std::vector<std::wstring> files_in_folder(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(join_path(folder, L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.push_back(entry.cFileName);
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void empty_folder(const std::wstring& folder) {
    for (const std::wstring& name : files_in_folder(folder)) {
        DeleteFileW(join_path(folder, name).c_str());
    }
}

std::wstring join_path(const std::wstring& folder, const std::wstring& name) {
    return folder + L"\\" + name;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 5) {
        std::fprintf(stderr,
                     "usage: e2e_driver <brevane.exe> <data folder> <artifact folder> "
                     "<scratch folder>\n");
        return 2;
    }
    environment.program = windows_path_of_unix_path(argv[1]);
    environment.data = windows_path_of_unix_path(argv[2]);
    environment.artifacts = windows_path_of_unix_path(argv[3]);
    environment.scratch = windows_path_of_unix_path(argv[4]);
    create_folders(environment.artifacts);
    create_folders(environment.scratch);
    // Symbols of an earlier run must not be checked again.
    empty_folder(environment.artifacts);
    std::printf("code page %u, user locale %04lx\n", GetACP(),
                static_cast<unsigned long>(GetUserDefaultLCID()));
    return RUN_ALL_TESTS();
}
