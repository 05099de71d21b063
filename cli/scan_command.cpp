#include "scan_command.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <thread>

#include "cli_error.h"
#include "file_io.h"
#include "physical_memory.h"
#include "picture_files.h"
#include "picture_folders.h"
#include "scan_outputs.h"
#include "scan_pictures.h"
#include "terminal.h"
#include "utf8_path.h"

namespace fs = std::filesystem;

namespace {

int available_cores() {
    return static_cast<int>(std::max(std::thread::hardware_concurrency(), 1U));
}

constexpr const char* kOneFileStem = "design";

void print_error_lines(const std::string& lines) {
    std::fputs(lines.c_str(), stderr);
    std::fflush(stderr);
}

void make_output_folder(const fs::path& folder) {
    std::string reason;
    if (!create_folder(folder, &reason))
        fail_with_file(path_to_utf8(folder), reason);
}

void write_designs(const fs::path& folder, const std::string& stem, const ScanResult& result) {
    for (size_t k = 0; k < result.designs.size(); ++k) {
        const RecordBytes& record = result.designs[k].record;
        write_file_atomically(
            folder / path_from_utf8(design_file_name(stem, static_cast<int>(k) + 1)),
            std::vector<uint8_t>(record.begin(), record.end()));
    }
}

// Every design code in the picture, each as DIR/design-NNN.dat in reading
// order and one line on stdout. Nothing is written when none is found.
int scan_one_picture(const Arguments& a) {
    const fs::path image = path_from_utf8(a.operands[0]);
    const std::string name = path_to_utf8(image);
    // One picture: its bands searched on every core.
    ScanWorkspace workspace;
    const ScanResult result = scan_designs(load_picture(image), workspace,
                                           ScanOptions{.threads = available_cores()});
    if (result.designs.empty())
        fail_with_file(name, nothing_found_reason(result));
    make_output_folder(a.output);
    write_designs(a.output, kOneFileStem, result);
    // UTF-8 and LF line ends on every platform, as matrix writes.
    write_stdout_binary(found_design_lines(result, ""));
    print_error_lines(unread_symbols_line(name, result));
    return kExitSuccess;
}

std::string path_in_folder(const std::string& folder, const std::string& name) {
#ifdef _WIN32
    const bool ends_in_separator =
        !folder.empty() && (folder.back() == '/' || folder.back() == '\\');
#else
    const bool ends_in_separator = !folder.empty() && folder.back() == '/';
#endif
    return ends_in_separator ? folder + name
                             : folder + static_cast<char>(fs::path::preferred_separator) + name;
}

// The pictures the operands stand for, in order: a folder's pictures in name
// order, and a folder that holds none or can't be read as one refused.
std::vector<PictureToScan> pictures_of(const std::vector<std::string>& operands) {
    std::vector<PictureToScan> pictures;
    for (const std::string& operand : operands) {
        const fs::path path = path_from_utf8(operand);
        if (!is_folder(path)) {
            pictures.push_back({operand, {}});
            continue;
        }
        std::vector<std::string> names;
        std::string reason;
        if (!list_picture_files(path, &names, &reason))
            pictures.push_back({operand, reason});
        else if (names.empty())
            pictures.push_back({operand, "the folder holds no BMP, PNG or JPEG file"});
        for (const std::string& name : names)
            pictures.push_back({path_in_folder(operand, name), {}});
    }
    return pictures;
}

// Each picture's design file stem; none for those refused before they were read.
std::vector<std::string> stems_of(const std::vector<PictureToScan>& pictures) {
    std::vector<std::string> file_names;
    for (const PictureToScan& picture : pictures) {
        if (picture.refusal.empty())
            file_names.push_back(path_to_utf8(path_from_utf8(picture.path).filename()));
    }
    const std::vector<std::string> stems = design_file_stems(file_names);
    std::vector<std::string> aligned(pictures.size());
    for (size_t k = 0, next = 0; k < pictures.size(); ++k) {
        if (pictures[k].refusal.empty())
            aligned[k] = stems[next++];
    }
    return aligned;
}

// Several pictures: each one's designs as DIR/<stem>-NNN.dat, its lines after
// its path, in the order given. Exit 0 when a design was found and no picture
// was refused.
int scan_several_pictures(const Arguments& a) {
    const std::vector<PictureToScan> pictures = pictures_of(a.operands);
    const std::vector<std::string> stems = stems_of(pictures);
    bool any_found = false;
    bool any_refused = false;
    bool folder_made = false;
    auto take = [&](size_t index, const PictureScan& scan) {
        const std::string& path = pictures[index].path;
        if (!scan.refusal.empty()) {
            any_refused = true;
            print_error_lines(path + ": " + scan.refusal + "\n");
            return;
        }
        if (scan.result.designs.empty()) {
            print_error_lines(path + ": " + nothing_found_reason(scan.result) + "\n");
            return;
        }
        if (!folder_made)
            make_output_folder(a.output);
        folder_made = true;
        try {
            write_designs(a.output, stems[index], scan.result);
        } catch (const CliError& e) {
            any_refused = true;
            print_error_lines(path + ": " + e.what() + "\n");
            return;
        }
        any_found = true;
        write_stdout_binary(found_design_lines(scan.result, path + ": "));
        print_error_lines(unread_symbols_line(path, scan.result));
    };
    // Several pictures are read at once, the scanner on one thread each; the
    // memory they hold together stays within half of what the machine has.
    const int cores = available_cores();
    const uint64_t memory = physical_memory_bytes();
    scan_pictures(pictures, cores, memory != 0 ? memory / 2 : std::numeric_limits<uint64_t>::max(),
                  take);
    return any_found && !any_refused ? kExitSuccess : kExitBadInput;
}

}  // namespace

int run_scan(const Arguments& a) {
    if (a.operands.size() == 1 && !is_folder(path_from_utf8(a.operands[0])))
        return scan_one_picture(a);
    return scan_several_pictures(a);
}
