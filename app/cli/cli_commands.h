#pragma once
// The headless lister: options, settings and the table of commands.

#include <string>
#include <system_error>
#include <vector>

#include "listing/console/console_job_context.h"
#include "listing/engine/collector_outcome.h"
#include "settings/settings_record.h"

namespace pelmora::cli {

// The exit status: the command listed; it failed (or stopped part way); wrong usage; a
// question was answered no, so nothing was listed; it listed everything it could read but
// skipped folders it could not. Standard output gets the result only with 0, 3 and 4.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitDeclined = 3;
inline constexpr int kExitSkipped = 4;

// What a command handler gets: the loaded settings (with --pattern applied) and the context.
struct CliRun {
    Settings settings;
    ConsoleJobContext& job;
    std::string iniPath;                   // the settings file read; empty: the built-in defaults
    std::vector<std::string> placesTried;  // where a settings file was looked for, in order
    std::string authenticationFile;        // --authentication-file as given; empty: none
};

using CommandHandler = int (*)(CliRun& run, const std::vector<std::string>& args);

struct CliCommand {
    const char* name;
    const char* arguments;  // as shown in the usage
    const char* summary;
    std::size_t minArgs;
    std::size_t maxArgs;  // kAnyCount for no limit
    // How many arguments from the first are paths (kAnyCount: all), taken in the backslash
    // spelling of a share (\\server\share\folder) too.
    std::size_t pathArgs;
    CommandHandler handler;
};

inline constexpr std::size_t kAnyCount = static_cast<std::size_t>(-1);

const std::vector<CliCommand>& Commands();

// Shared by the handlers:
// The text on standard error, after the program's name.
void Complain(const std::string& text);
// "cannot open PATH: reason" on standard error, for a path that opens neither as a folder
// nor (when asked) as a file.
void ComplainCannotOpen(const std::string& shown, const std::error_code& error);
// "\\server\share\folder" as the program spells it: "//server/share/folder". A name that
// merely holds a backslash is a name like any other here. Short (8.3) names in it become the
// long ones where the system makes short names.
std::string PathFromArgument(const std::string& typed);
// A handler's exit status when it failed or not; the output is written (or dropped) after it.
int FinishCommand(const CliRun& run, bool failed);
// The same for a listing: each item named that does not exist gets a line on standard
// error and makes it a failure, as does a listing stopped part way; declined when the
// user said no; skipped when a walk left out folders it could not read (each named).
int FinishCommand(const CliRun& run, const ListingOutcome& outcome);

// The whole program; argv as main receives it.
int RunListCommandLine(int argc, char** argv);

}  // namespace pelmora::cli
