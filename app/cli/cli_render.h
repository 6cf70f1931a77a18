#pragma once
// The picture command of the headless lister.

#include <string>
#include <vector>

#include "app/cli/cli_commands.h"

namespace pelmora::cli {

// render [--size N] FILE OUT.png: what ChoiView's picture box or page view shows of FILE,
// written to OUT.png by pelmora-render, which this process becomes once the settings have
// said that ChoiView draws the file. Nothing goes to standard output.
int RunRender(CliRun& run, const std::vector<std::string>& args);

}  // namespace pelmora::cli
