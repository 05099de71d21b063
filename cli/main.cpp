// brevane-cli: the design conversion and QR codec of the window program, on the
// command line.
#include <cstdio>
#include <string>
#include <vector>

#include "arguments.h"
#include "cli_error.h"
#include "commands.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

int run(const std::vector<std::string>& args) {
    try {
        const Arguments arguments = parse_arguments(args);
        if (arguments.command == "--help" || arguments.command == "-h") {
            std::fputs(usage_text(), stdout);
            return kExitSuccess;
        }
        if (arguments.command == "--version") {
            std::printf("brevane-cli %s\n", BREVANE_VERSION);
            return kExitSuccess;
        }
        return run_command(arguments);
    } catch (const CliError& e) {
        std::fprintf(stderr, "brevane-cli: %s\n", e.what());
        if (e.exit_code == kExitUsage)
            std::fputs(usage_text(), stderr);
        return e.exit_code;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "brevane-cli: %s\n", e.what());
        return kExitBadInput;
    }
}

#ifdef _WIN32
std::string to_utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}
#endif

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(to_utf8(argv[i]));
    return run(args);
}
#else
int main(int argc, char** argv) {
    return run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
