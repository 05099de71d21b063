// brevane-cli's commands in process on arbitrary files. The first input byte
// picks the command (and --median), the rest is the input file, whether picture,
// design file or screenshot. Beyond the sanitizers' checks: the exit code is 0 or
// 1; on 1 stderr holds one line and the output folder is exactly as it was (its
// existing output file untouched); on 0 the command wrote its output.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "run_cli.h"

namespace fs = std::filesystem;

namespace {

constexpr char kEarlierContents[] = "earlier contents";

struct Command {
    const char* name;
    const char* output;  // nullptr: prints to stdout
};

constexpr Command kCommands[] = {
    {"record", "design.dat"},   {"export", "export"}, {"qr", "qr.png"},
    {"preview", "preview.bmp"}, {"shot", "shot.png"}, {"decode", "output.dat"},
    {"matrix", nullptr},
};
constexpr size_t kCommandCount = sizeof kCommands / sizeof kCommands[0];

fs::path work_folder;

void check(bool condition) {
    if (!condition)
        std::abort();
}

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char pattern[] = "/tmp/brevane_cli_fuzzer_XXXXXX";
    check(mkdtemp(pattern) != nullptr);
    work_folder = pattern;
    check(std::freopen("/dev/null", "w", stdout) != nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const Command& command = kCommands[(data[0] & 0x7F) % kCommandCount];
    const bool median = (data[0] & 0x80) != 0;
    const fs::path input = work_folder / "input";
    const fs::path out = work_folder / "out";
    fs::remove_all(out);
    fs::create_directories(out);
    {
        std::ofstream file(input, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    std::vector<std::string> args = {command.name, input.string()};
    if (std::string(command.name) == "record") {
        args.insert(args.end(), {"0", "0"});
    }
    if (median &&
        (std::string(command.name) == "record" || std::string(command.name) == "export")) {
        args.push_back("--median");
    }
    if (command.output != nullptr) {
        const fs::path target = out / command.output;
        if (std::string(command.name) != "export") {
            std::ofstream(target, std::ios::binary) << kEarlierContents;
        }
        args.insert(args.end(), {"-o", target.string()});
    }

    // The program's stderr, caught in memory.
    char* caught = nullptr;
    size_t caught_size = 0;
    std::FILE* real_stderr = stderr;
    stderr = open_memstream(&caught, &caught_size);
    check(stderr != nullptr);
    const int exit_code = run_cli(args);
    std::fclose(stderr);
    stderr = real_stderr;
    const std::string messages(caught, caught_size);
    std::free(caught);

    check(exit_code == 0 || exit_code == 1);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(out)) {
        left.push_back(entry.path().filename().string());
    }
    if (exit_code == 1) {
        check(messages.rfind("brevane-cli: ", 0) == 0);
        check(messages.find('\n') == messages.size() - 1);
        if (command.output != nullptr && std::string(command.name) != "export") {
            check(left.size() == 1 && contents(out / command.output) == kEarlierContents);
        } else {
            check(left.empty());
        }
    } else if (command.output != nullptr) {
        check(fs::exists(out / command.output));
        check(std::string(command.name) == "export" ||
              contents(out / command.output) != kEarlierContents);
    }
    return 0;
}
