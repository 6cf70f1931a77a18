#pragma once
// The HexView and ACLView commands of the headless lister: what the windows would show.

#include <string>
#include <vector>

#include "app/cli/cli_commands.h"

namespace pelmora::cli {

// hex FILE [COUNT]: the hex dump of the first COUNT bytes (default Hex_ReadByte).
int RunHex(CliRun& run, const std::vector<std::string>& args);

// acl PATH: the lines of ACLView for PATH, each ended by CR LF.
int RunAcl(CliRun& run, const std::vector<std::string>& args);

}  // namespace pelmora::cli
