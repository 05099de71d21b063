// One run of brevane.exe under test: started in its own working directory,
// driven through its main window, closed at the end.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "program_windows.h"
#include "screen_pixels.h"

class RunningProgram {
  public:
    // Starts the program in `working_directory`, with `arguments` after the
    // program's name on its command line, and waits for its main window.
    explicit RunningProgram(const std::wstring& working_directory,
                            const std::wstring& arguments = L"");
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // Success once the main window showed; otherwise says why the start failed
    // (the system's error code of a refused start, or what the process did).
    testing::AssertionResult started() const;
    HWND main_window() const { return main_window_; }
    DWORD process_id() const { return process_.dwProcessId; }
    HANDLE process() const { return process_.hProcess; }

    // Posts the command, waits for its open-file dialog titled `dialog_title`
    // and chooses `path` in it. False if the dialog never showed or stayed.
    bool choose_file_for_command(int command, const std::wstring& dialog_title,
                                 const std::wstring& path);

    // A left or right button press and release at a client point, sent so that
    // it has been handled when the call returns; then waits for the repaint.
    void click(bool left, int x = 200, int y = 200);

    // Waits until the program has handled what it was sent and painted everything.
    bool settle();

    // The client area as the screen shows it once the program has settled and
    // its painting has reached the screen.
    ClientPixels look();

    // The message box the last action opened, waited for briefly.
    MessageBoxView message_box(int timeout_ms = 5000) const;

    bool message_box_open() const;

    // Closes the main window as the user would and returns the exit code;
    // -1 if the process did not end.
    int close();

  private:
    PROCESS_INFORMATION process_{};
    HWND main_window_ = nullptr;
    DWORD start_error_ = ERROR_SUCCESS;  // GetLastError of a refused CreateProcessW
    ULONGLONG start_ms_ = 0;             // how long the start took
};
