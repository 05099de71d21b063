#include "cli_records.h"

#include <windows.h>

#include "bmp_files.h"
#include "cli_program.h"
#include "e2e_environment.h"

bool cli_record(const std::wstring& image, int column, int row, const std::wstring& options,
                Record* record, std::string* why) {
    const std::wstring output = join_path(e2e_environment().scratch, L"cli_record.dat");
    DeleteFileW(output.c_str());
    const int exit_code =
        run_cli_program(L"record \"" + image + L"\" " + std::to_wstring(column) + L" " +
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
