#pragma once
// The headless lister: options, settings and the table of commands.

#include <string>
#include <vector>

#include "listing/console/console_job_context.h"
#include "listing/engine/collector_outcome.h"
#include "settings/settings_record.h"

namespace pelmora::cli {

// The exit status: the command listed; it failed (or stopped part way); wrong usage; a
// question was answered no, so nothing was listed.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitDeclined = 3;

// What a command handler gets: the loaded settings (with --pattern applied) and the context.
struct CliRun {
    Settings settings;
    ConsoleJobContext& job;
    std::string iniPath;  // the settings file read; empty: the built-in defaults
};

using CommandHandler = int (*)(CliRun& run, const std::vector<std::string>& args);

struct CliCommand {
    const char* name;
    const char* arguments;  // as shown in the usage
    const char* summary;
    std::size_t minArgs;
    std::size_t maxArgs;  // kAnyCount for no limit
    CommandHandler handler;
};

inline constexpr std::size_t kAnyCount = static_cast<std::size_t>(-1);

const std::vector<CliCommand>& Commands();

// Shared by the handlers:
// The text on standard error, after the program's name.
void Complain(const std::string& text);
// A handler's exit status: failure when its output could not be written or when it failed.
int FinishCommand(const CliRun& run, bool failed);
// The same for a listing: each item named that does not exist gets a line on standard
// error and makes it a failure, as does a listing stopped part way; declined when the
// user said no.
int FinishCommand(const CliRun& run, const ListingOutcome& outcome);

// The whole program; argv as main receives it.
int RunListCommandLine(int argc, char** argv);

}  // namespace pelmora::cli
