#pragma once
// The ChoiView command of the headless lister.

#include <string>
#include <vector>

#include "app/cli/cli_commands.h"

namespace pelmora::cli {

// view-kind FILE: the kind word ChoiView shows FILE as under the settings, as one line
// (an empty line when it does not show it).
int RunViewKind(CliRun& run, const std::vector<std::string>& args);

}  // namespace pelmora::cli
