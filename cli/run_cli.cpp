#include "run_cli.h"

#include <cstdio>
#include <exception>

#include "arguments.h"
#include "cli_error.h"
#include "commands.h"

int run_cli(const std::vector<std::string>& args) {
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
