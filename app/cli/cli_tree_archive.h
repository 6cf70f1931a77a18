#pragma once
// The tree and archive commands of the headless lister.

#include <string>
#include <vector>

#include "app/cli/cli_commands.h"

namespace pelmora::cli {

// tree FOLDER: the folder tree as the tree command delivers it (TreeFile, TreeAscii keys).
int RunTree(CliRun& run, const std::vector<std::string>& args);

// archive FILE: the member listing of an LZH or ZIP archive.
int RunArchive(CliRun& run, const std::vector<std::string>& args);

}  // namespace pelmora::cli
