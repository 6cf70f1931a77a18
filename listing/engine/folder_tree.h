#pragma once
// The "ツリーを取得" command: runs pelmora-tree on a folder through a one-line command script,
// waits for it, and delivers its output without the two volume header lines.

#include <string>

#include "listing/engine/collector_outcome.h"
#include "listing/engine/job_context.h"
#include "platform/process_starter.h"
#include "settings/settings_record.h"

namespace pelmora {

inline constexpr const char* kTreeOutputName = "px_tree.txt";

// "px_tree" with the extension of the platform's command scripts.
std::string TreeScriptName();

// " /F", " /A", " /F /A" or nothing, from TreeFile and TreeAscii.
std::string TreeSwitchText(const Settings& settings);

// The script's one line: the tree program on the folder, its output redirected to the
// output file, the switches after the redirection. Every path is quoted, so the script
// takes each as it stands: nothing in a folder name is expanded or executed.
std::string TreeScriptLine(const std::string& treeProgram, const std::string& folder, const std::string& outputPath,
                           const std::string& switches);

// The whole command, the script run by `starter`. The script and the output file live in
// tempFolder (beside the settings file) only while the command runs. Waits at most
// TreeWaitTime seconds; a tree still running then is ended and what it wrote so far is
// delivered. The progress dialog shows no cancel button. Failures to write, start or read
// are reported, and the temporary files are removed in every case. Declined when the user
// said no; failed when the tree program is missing or one of those steps failed.
ListingOutcome ListFolderTree(const std::string& folder, const Settings& settings, const std::string& treeProgram,
                              const std::string& tempFolder, JobContext& job, platform::ProcessStarter& starter);

}  // namespace pelmora
