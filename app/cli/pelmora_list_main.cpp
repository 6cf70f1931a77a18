// pelmora-list: the listing commands without a window.

#include <cstdio>
#include <exception>

#include "app/cli/cli_commands.h"

int main(int argc, char** argv) {
    try {
        return pelmora::cli::RunListCommandLine(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "pelmora-list: %s\n", error.what());
        return pelmora::cli::kExitFailure;
    }
}
