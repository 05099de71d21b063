#include "cli_records.h"

#include <windows.h>

#include "bmp_files.h"
#include "e2e_environment.h"

namespace {

constexpr DWORD kCliTimeoutMs = 30000;

std::wstring cli_program() {
    return windows_path_of_unix_path(BREVANE_CLI_EXE);
}

}  // namespace

int run_cli(const std::wstring& arguments) {
    std::wstring command = L"\"" + cli_program() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    DWORD exit_code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, kCliTimeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &exit_code);
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return static_cast<int>(exit_code);
}

bool cli_record(const std::wstring& image, int column, int row, const std::wstring& options,
                Record* record, std::string* why) {
    const std::wstring output = join_path(e2e_environment().scratch, L"cli_record.dat");
    DeleteFileW(output.c_str());
    const int exit_code =
        run_cli(L"record \"" + image + L"\" " + std::to_wstring(column) + L" " +
                std::to_wstring(row) + L" " + options + L" -o \"" + output + L"\"");
    const std::vector<uint8_t> bytes = read_bytes(output);
    if (exit_code != 0 || bytes.size() != record->size()) {
        *why = "brevane-cli.exe exited with " + std::to_string(exit_code) + " and wrote " +
               std::to_string(bytes.size()) + " bytes";
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), record->begin());
    return true;
}
