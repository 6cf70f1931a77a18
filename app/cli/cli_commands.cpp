#include "app/cli/cli_commands.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

#include "app/app_paths.h"
#include "app/cli/authentication_file.h"
#include "app/cli/cli_hex_acl.h"
#include "app/cli/cli_view_kind.h"
#include "app/cli/cli_tree_archive.h"
#include "listing/engine/browser_state.h"
#include "listing/engine/dropped_items.h"
#include "listing/engine/folder_contents.h"
#include "listing/engine/folder_listings.h"
#include "listing/engine/path_ops.h"
#include "listing/engine/recursive_files.h"
#include "listing/engine/selected_files.h"
#include "platform/file_system.h"
#include "platform/private_file.h"
#include "platform/smb_credentials.h"
#include "platform/terminal.h"
#include "settings/settings_check.h"
#include "settings/settings_store.h"

namespace pelmora::cli {

namespace {

bool StartFolder(const std::string& argument, std::string& folder) {
    folder = AbsolutePath(argument);
    if (platform::FolderExists(folder)) return true;
    Complain("not a folder: " + argument);
    return false;
}

BrowserState BrowserFor(const CliRun& run, const std::string& folder) {
    BrowserState state;
    state.folder = folder;
    state.pattern = run.settings.Pattern;
    state.showHidden = run.settings.FileHiddenFile == "1";
    state.showSystem = run.settings.FileSystemFile == "1";
    return state;
}

int RunFiles(CliRun& run, const std::vector<std::string>& args) {
    std::string folder;
    if (!StartFolder(args[0], folder)) return kExitFailure;
    BrowserState state = BrowserFor(run, folder);
    if (args.size() > 1) {
        state.entries.assign(args.begin() + 1, args.end());
    } else {
        std::error_code error;
        state.entries = ListFolderFiles(folder, state.pattern, state.showHidden, state.showSystem, error);
        if (error) {
            Complain("cannot read " + folder + ": " + error.message());
            return kExitFailure;
        }
    }
    state.selected.assign(state.entries.size(), true);
    return FinishCommand(run, ListSelectedFiles(state, run.settings, run.job.context));
}

template <ListingOutcome (*Collector)(const BrowserState&, const Settings&, JobContext&)>
int RunFolderCommand(CliRun& run, const std::vector<std::string>& args) {
    std::string folder;
    if (!StartFolder(args[0], folder)) return kExitFailure;
    return FinishCommand(run, Collector(BrowserFor(run, folder), run.settings, run.job.context));
}

int RunDrop(CliRun& run, const std::vector<std::string>& args) {
    // No window, hence no keyboard: the Alt key is never down here.
    return FinishCommand(run, ListDroppedItems(args, false, run.settings, run.job.context));
}

// Standard error names the file and what in it is not read as written.
int RunSettings(CliRun& run, const std::vector<std::string>&) {
    if (run.iniPath.empty()) {
        Complain("no settings file: the built-in defaults");
    } else {
        Complain("settings file: " + run.iniPath);
        for (const std::string& finding : SettingsFileFindings(run.iniPath, platform::ProgramFolder()))
            Complain("warning: " + finding);
    }
    run.job.clipboard.SetText(SettingsAsIniText(run.settings));
    return FinishCommand(run, false);
}

void PrintUsage(std::FILE* to) {
    std::fputs(
        "usage: pelmora-list [--ini FILE] [--pattern PATTERNS] [--yes] [--authentication-file FILE]\n"
        "                    COMMAND ARGS...\n"
        "\n"
        "Writes to standard output exactly the text the command would put on the clipboard.\n"
        "Messages and questions go to standard error.\n"
        "\n"
        "options:\n"
        "  --ini FILE          read the settings from FILE (never written); default: the\n"
        "                      program's Pelmora.ini, or the built-in defaults without one\n"
        "  --pattern PATTERNS  file pattern, e.g. \"*.txt;*.csv\" (overrides Pattern)\n"
        "  --yes               answer every question yes (otherwise asked on the terminal;\n"
        "                      without one the answer is no)\n"
        "  --authentication-file FILE\n"
        "                      user and password for network shares (//server/share) that\n"
        "                      refuse the guest, in smbclient's format (username =,\n"
        "                      password =, domain = lines); only its owner may read it\n"
        "  --help              show this text\n"
        "\n"
        "commands:\n",
        to);
    for (const CliCommand& command : Commands())
        std::fprintf(to, "  %-12s %-18s %s\n", command.name, command.arguments, command.summary);
    std::fputs(
        "\n"
        "recursive, all-folders and tree ask before they start; recursive and all-folders also\n"
        "ask whether to stop when a folder cannot be read.\n"
        "\n"
        "exit status:\n"
        "  0  the command listed (what it found may be nothing)\n"
        "  1  it failed or stopped part way: a folder, file or dropped item that does not\n"
        "     exist, an unreadable archive, output that could not be written; each failure\n"
        "     has a line on standard error\n"
        "  2  wrong usage\n"
        "  3  a question was answered no, so nothing was listed\n",
        to);
}

// Settings as start-up would have them: the given or the program's own file, loaded and
// normalised. Without any file the built-in default file's text is read, so the lister
// never creates files of the program.
bool LoadCliSettings(const std::string& iniOption, Settings& settings, std::string& iniPath) {
    const std::string programFolder = platform::ProgramFolder();
    if (!iniOption.empty()) {
        if (!platform::FileExists(iniOption)) {
            Complain("settings file not found: " + iniOption);
            return false;
        }
        iniPath = iniOption;
        LoadSettings(settings, iniPath);
    } else if (const AppPaths paths = ResolveAppPaths(); platform::FileExists(paths.iniPath)) {
        iniPath = paths.iniPath;
        LoadSettings(settings, iniPath);
    } else {
        LoadDefaultSettings(settings);
    }
    NormalizeSettings(settings, programFolder, nullptr);
    return true;
}

// Reads --authentication-file; false (with the reason on standard error) when it is refused.
bool LoadAuthenticationFile(const std::string& path, std::optional<platform::SmbCredentials>& credentials) {
    platform::SecretText text;
    switch (platform::ReadPrivateFile(path, text)) {
        case platform::PrivateFileRead::Read: break;
        case platform::PrivateFileRead::Missing: Complain("authentication file not found: " + path); return false;
        case platform::PrivateFileRead::OthersCanReadOrWrite:
            Complain("authentication file refused: others than its owner may read or change it (chmod 600): " +
                     path);
            return false;
        case platform::PrivateFileRead::NotOwned:
            Complain("authentication file refused: it belongs to another user: " + path);
            return false;
        case platform::PrivateFileRead::TooLarge:
            Complain("authentication file refused: too large for one: " + path);
            return false;
        case platform::PrivateFileRead::Unreadable: Complain("cannot read authentication file: " + path); return false;
    }
    credentials = ParseAuthenticationText(text.View());
    if (!credentials) {
        Complain("authentication file names no user (username = ...): " + path);
        return false;
    }
    return true;
}

}  // namespace

void Complain(const std::string& text) { std::fprintf(stderr, "pelmora-list: %s\n", text.c_str()); }

int FinishCommand(const CliRun& run, bool failed) {
    if (run.job.clipboard.WriteFailed()) {
        Complain("writing to standard output failed");
        return kExitFailure;
    }
    return failed ? kExitFailure : kExitOk;
}

int FinishCommand(const CliRun& run, const ListingOutcome& outcome) {
    for (const std::string& name : outcome.notFound) Complain("not found: " + name);
    const int status = FinishCommand(run, outcome.failed || outcome.cancelled || !outcome.notFound.empty());
    return status == kExitOk && outcome.declined ? kExitDeclined : status;
}

// The command table. To add a command, add one row here: its name, the arguments as the
// usage shows them, a one-line summary, the least and most argument counts (kAnyCount: no
// limit) and its handler, `int Handler(CliRun&, const std::vector<std::string>& args)`,
// declared in cli_commands.h (or a header of its own) and defined in its own
// cli_<command>.cpp added to app/cli/CMakeLists.txt. The handler writes its result with
// run.job.clipboard.SetText (standard output), talks through run.job.dialogs (standard
// error) and returns kExitOk or kExitFailure; arguments are already counted.
const std::vector<CliCommand>& Commands() {
    static const std::vector<CliCommand> commands = {
        {"files", "FOLDER [NAME...]", "the named files of FOLDER, or all it shows (File keys)", 1, kAnyCount,
         RunFiles},
        {"recursive", "FOLDER", "every file below FOLDER (SFolder keys)", 1, 1, RunFolderCommand<ListFilesRecursively>},
        {"folder", "FOLDER", "the folder's own name", 1, 1, RunFolderCommand<ListCurrentFolder>},
        {"subfolders", "FOLDER", "the folder's immediate subfolders", 1, 1, RunFolderCommand<ListSubfolders>},
        {"all-folders", "FOLDER", "every folder below FOLDER", 1, 1, RunFolderCommand<ListAllSubfolders>},
        {"drop", "ARG...", "the listing of items dropped on the program", 1, kAnyCount, RunDrop},
        {"settings", "", "the settings as the program reads them, as INI text; the file read, unknown\n"
                         "                                  keys and changed values go to standard error",
         0, 0, RunSettings},
        {"tree", "FOLDER", "the folder tree below FOLDER (TreeFile, TreeAscii keys)", 1, 1, RunTree},
        {"archive", "FILE", "the member listing of an LZH or ZIP archive", 1, 1, RunArchive},
        {"hex", "FILE [COUNT]", "HexView's dump of the first COUNT bytes (Hex_ReadByte)", 1, 2, RunHex},
        {"acl", "PATH", "ACLView's lines for PATH", 1, 1, RunAcl},
        {"view-kind", "FILE", "the kind ChoiView shows FILE as (CV_ keys); an empty line for none", 1, 1,
         RunViewKind},
    };
    return commands;
}

int RunListCommandLine(int argc, char** argv) {
    std::string iniOption, patternOption, authenticationOption;
    bool answerYes = false, patternGiven = false;
    int at = 1;
    for (; at < argc; ++at) {
        const std::string_view option = argv[at];
        if (option == "--help" || option == "-h") {
            PrintUsage(stdout);
            return kExitOk;
        }
        if (option == "--yes" || option == "-y") {
            answerYes = true;
        } else if ((option == "--ini" || option == "--pattern") && at + 1 < argc) {
            (option == "--ini" ? iniOption : patternOption) = argv[++at];
            patternGiven = patternGiven || option == "--pattern";
        } else if (option == "--authentication-file" && at + 1 < argc) {
            authenticationOption = argv[++at];
        } else if (option == "--") {
            ++at;
            break;
        } else if (option.size() > 1 && option[0] == '-') {
            Complain("unknown or incomplete option: " + std::string(option));
            PrintUsage(stderr);
            return kExitUsage;
        } else {
            break;
        }
    }
    if (at >= argc) {
        PrintUsage(stderr);
        return kExitUsage;
    }
    const std::string name = argv[at++];
    const std::vector<std::string> args(argv + at, argv + argc);
    const CliCommand* command = nullptr;
    for (const CliCommand& candidate : Commands())
        if (name == candidate.name) command = &candidate;
    if (command == nullptr || args.size() < command->minArgs || args.size() > command->maxArgs) {
        Complain(command == nullptr ? "unknown command: " + name : "wrong number of arguments for " + name);
        PrintUsage(stderr);
        return kExitUsage;
    }

    std::optional<platform::SmbCredentials> fileCredentials;
    if (!authenticationOption.empty() && !LoadAuthenticationFile(authenticationOption, fileCredentials))
        return kExitUsage;
    std::optional<FileCredentialAsker> asker;
    if (fileCredentials) {
        asker.emplace(std::move(*fileCredentials));
        platform::SmbCredentialStore::ForThisRun().SetAsker(&*asker);
    }
    // The asker lives on this stack frame: no request may find it after the command.
    struct AskerReset {
        ~AskerReset() { platform::SmbCredentialStore::ForThisRun().SetAsker(nullptr); }
    } askerReset;

    ConsoleJobContext job(answerYes, platform::StandardErrorIsTerminal(), platform::StandardInputIsTerminal(),
                          "pelmora-list: saving to a file is skipped");
    CliRun run{Settings{}, job, {}};
    if (!LoadCliSettings(iniOption, run.settings, run.iniPath)) return kExitFailure;
    if (patternGiven) run.settings.Pattern = patternOption;
    return command->handler(run, args);
}

}  // namespace pelmora::cli
