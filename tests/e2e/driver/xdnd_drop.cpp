#include "xdnd_drop.h"

#include <cstdio>

#include "cli_program.h"
#include "e2e_environment.h"
#include "program_windows.h"

namespace {

// The system's own Python, which has python3-xlib: a "python3" found first on
// the PATH may be another installation without it.
constexpr wchar_t kPython[] = L"Z:\\usr\\bin\\python3";
constexpr wchar_t kResultFileName[] = L"xdnd_result";
constexpr int kDropTimeoutMs = 20000;
constexpr int kRefusedExitCode = 2;

// "Z:\a\b" -> "/a/b"
std::wstring unix_path_of_windows_path(const std::wstring& path) {
    std::wstring unix_path = path.substr(2);
    for (wchar_t& c : unix_path) {
        if (c == L'\\') {
            c = L'/';
        }
    }
    return unix_path;
}

std::wstring quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

// The exit code the client wrote to its result file; -1 when it holds none.
int read_result(const std::wstring& path) {
    FILE* file = _wfopen(path.c_str(), L"r");
    if (file == nullptr) {
        return -1;
    }
    int code = -1;
    if (std::fscanf(file, "%d", &code) != 1) {
        code = -1;
    }
    std::fclose(file);
    return code;
}

}  // namespace

DropOutcome drop_files_on(HWND window, POINT client_point, const std::vector<std::wstring>& paths) {
    const std::wstring script = path_from_environment(L"BREVANE_XDND_DROP");
    if (script.empty()) {
        std::printf("BREVANE_XDND_DROP names no drop client\n");
        return DropOutcome::failed;
    }
    POINT screen_point = client_point;
    ClientToScreen(window, &screen_point);
    const std::wstring result = join_path(e2e_environment().scratch, kResultFileName);
    DeleteFileW(result.c_str());
    std::wstring command_line =
        quoted(L"python3") + L" " + quoted(unix_path_of_windows_path(script)) + L" --result " +
        quoted(unix_path_of_windows_path(result)) + L" " + std::to_wstring(screen_point.x) + L" " +
        std::to_wstring(screen_point.y);
    for (const std::wstring& path : paths) {
        command_line += L" " + quoted(unix_path_of_windows_path(path));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // Wine runs a Unix executable itself (fork and exec) and reports success,
    // but with a null process handle and a thread "handle" that is none (it
    // must not be closed), so the client's end is told by its result file.
    if (!CreateProcessW(kPython, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::printf("cannot start the drop client (GetLastError %lu)\n",
                    static_cast<unsigned long>(GetLastError()));
        return DropOutcome::failed;
    }
    if (process.hProcess != nullptr) {
        // A Windows program after all (a Wine that starts Unix programs otherwise).
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    int code = -1;
    wait_until(
        [&] {
            code = read_result(result);
            return code >= 0;
        },
        kDropTimeoutMs);
    if (code == 0) {
        return DropOutcome::finished;
    }
    return code == kRefusedExitCode ? DropOutcome::refused : DropOutcome::failed;
}
