// pelmora-list: the listing commands without a window.

#include <cstdio>
#include <exception>

#include "app/cli/cli_commands.h"
#include "i18n/catalogue_table.h"
#include "platform/program_start.h"
#include "platform/system_messages.h"
#include "platform/time_zone.h"

int main(int argc, char** argv) {
    pelmora::platform::PinLocalTimeZone();
    pelmora::platform::ProgramStart start(argc, argv);
    pelmora::InstallCatalogueTranslation();
    pelmora::platform::UseLanguageForSystemMessages(pelmora::UiLanguageOfThisProcess());
    try {
        return pelmora::cli::RunListCommandLine(start.Count(), start.Values());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "pelmora-list: %s\n", error.what());
        return pelmora::cli::kExitFailure;
    }
}
