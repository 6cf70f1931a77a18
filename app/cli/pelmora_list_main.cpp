// pelmora-list: the listing commands without a window.

#include <cstdio>
#include <exception>

#include "app/cli/cli_commands.h"
#include "platform/program_start.h"
#include "platform/time_zone.h"

int main(int argc, char** argv) {
    pelmora::platform::PinLocalTimeZone();
    pelmora::platform::ProgramStart start(argc, argv);
    try {
        return pelmora::cli::RunListCommandLine(start.Count(), start.Values());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "pelmora-list: %s\n", error.what());
        return pelmora::cli::kExitFailure;
    }
}
