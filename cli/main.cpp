// brevane-cli: the design conversion and QR codec of the window program, on the
// command line.
#include <string>
#include <vector>

#include "run_cli.h"

#ifdef _WIN32
#include <windows.h>

namespace {

std::string to_utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(to_utf8(argv[i]));
    return run_cli(args);
}
#else
int main(int argc, char** argv) {
    return run_cli(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
