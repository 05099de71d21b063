#include "cli_program.h"

#include <windows.h>

#include <vector>

#include "e2e_environment.h"

namespace {

constexpr DWORD kCliTimeoutMs = 60000;

std::string narrow_ascii(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

}  // namespace

std::wstring path_from_environment(const wchar_t* variable) {
    wchar_t value[MAX_PATH * 2] = {};
    const DWORD length = GetEnvironmentVariableW(variable, value, MAX_PATH * 2);
    if (length == 0 || length >= MAX_PATH * 2) {
        return L"";
    }
    return windows_path_of_unix_path(narrow_ascii(value));
}

int run_cli_program(const std::wstring& arguments) {
    const std::wstring program = path_from_environment(L"BREVANE_CLI_EXE");
    if (program.empty()) {
        return -1;
    }
    std::wstring command_line = L"\"" + program + L"\" " + arguments;
    std::vector<wchar_t> writable(command_line.begin(), command_line.end());
    writable.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), writable.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    DWORD exit_code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, kCliTimeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.hProcess, &exit_code)) {
        TerminateProcess(process.hProcess, 1);
        exit_code = static_cast<DWORD>(-1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(exit_code);
}
