#include "app/cli/cli_commands.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

#include "app/app_paths.h"
#include "common/authentication_file.h"
#include "app/cli/cli_texts.h"
#include "app/cli/failure_reason.h"
#include "app/cli/cli_hex_acl.h"
#include "app/cli/cli_render.h"
#include "app/cli/cli_view_kind.h"
#include "app/cli/cli_tree_archive.h"
#include "i18n/translation.h"
#include "listing/engine/browser_state.h"
#include "listing/engine/dropped_items.h"
#include "listing/engine/entry_formatter.h"
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
    const std::error_code error = FolderOpenError(folder);
    // A share's top folder may list no entry of its own and still open.
    if (!error) return true;
    ComplainCannotOpen(argument, error);
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

// A listing whose field set is all switched off lists nothing: the script that gets it is
// told which keys would switch a field on. (…FullPath alone is no field: it makes the name
// the full path.)
void WarnWhenNoFieldIsOn(const Settings& settings, ListingFamily family) {
    const EntryFieldSwitches on = SwitchesFor(settings, family);
    for (const std::string* field :
         {&on.Name, &on.ShortName, &on.Size, &on.DateTime, &on.MakeDateTime, &on.AccessDateTime, &on.Attrib})
        if (*field == "1") return;
    const char* prefix = family == ListingFamily::File ? "File" : family == ListingFamily::SFolder ? "SFolder" : "Drop";
    std::string keys;
    for (const char* field : {"Name", "ShortName", "Size", "DateTime", "MakeDateTime", "AccessDateTime", "Attrib"})
        keys += (keys.empty() ? "" : ", ") + std::string(prefix) + field;
    Complain(Translated(cli_texts::kNoFieldSwitchedOn) + keys);
}

// "*.txt *.md" is one pattern with a space in it, not two: when it matched nothing, say so.
void WarnWhenASpacedPatternMatchedNothing(const CliRun& run, std::size_t matched) {
    if (matched == 0 && run.settings.Pattern.find(' ') != std::string::npos)
        Complain(Translated(cli_texts::kPatternWithSpace) + run.settings.Pattern);
}

int RunFiles(CliRun& run, const std::vector<std::string>& args) {
    std::string folder;
    if (!StartFolder(args[0], folder)) return kExitFailure;
    WarnWhenNoFieldIsOn(run.settings, ListingFamily::File);
    BrowserState state = BrowserFor(run, folder);
    if (args.size() > 1) {
        state.entries.assign(args.begin() + 1, args.end());
    } else {
        std::error_code error;
        state.entries = ListFolderFiles(folder, state.pattern, state.showHidden, state.showSystem, error);
        if (error) {
            Complain(Translated(cli_texts::kCannotRead) + folder + ": " + FailureReasonText(error));
            return kExitFailure;
        }
        WarnWhenASpacedPatternMatchedNothing(run, state.entries.size());
    }
    state.selected.assign(state.entries.size(), true);
    return FinishCommand(run, ListSelectedFiles(state, run.settings, run.job.context));
}

int RunRecursive(CliRun& run, const std::vector<std::string>& args) {
    std::string folder;
    if (!StartFolder(args[0], folder)) return kExitFailure;
    WarnWhenNoFieldIsOn(run.settings, ListingFamily::SFolder);
    const ListingOutcome outcome = ListFilesRecursively(BrowserFor(run, folder), run.settings, run.job.context);
    if (!outcome.declined && !outcome.cancelled && !outcome.failed) WarnWhenASpacedPatternMatchedNothing(run, outcome.count);
    return FinishCommand(run, outcome);
}

template <ListingOutcome (*Collector)(const BrowserState&, const Settings&, JobContext&)>
int RunFolderCommand(CliRun& run, const std::vector<std::string>& args) {
    std::string folder;
    if (!StartFolder(args[0], folder)) return kExitFailure;
    return FinishCommand(run, Collector(BrowserFor(run, folder), run.settings, run.job.context));
}

int RunDrop(CliRun& run, const std::vector<std::string>& args) {
    WarnWhenNoFieldIsOn(run.settings, ListingFamily::Drop);
    // No window, hence no keyboard: the Alt key is never down here.
    return FinishCommand(run, ListDroppedItems(args, false, run.settings, run.job.context));
}

// Standard error names the file (or where none was found) and what in it is not read as
// written.
int RunSettings(CliRun& run, const std::vector<std::string>&) {
    if (run.iniPath.empty()) {
        std::string places;
        for (const std::string& place : run.placesTried)
            places += (places.empty() ? "" : Translated(cli_texts::kPlacesSeparator)) + place;
        Complain(Translated(cli_texts::kNoSettingsFile) + places);
    } else {
        Complain(Translated(cli_texts::kSettingsFile) + run.iniPath);
        for (const std::string& finding : SettingsFileFindings(run.iniPath, platform::ProgramFolder()))
            Complain(Translated(cli_texts::kWarning) + finding);
    }
    run.job.clipboard.SetText(SettingsAsIniText(run.settings));
    return FinishCommand(run, false);
}

// The usage around the command list, English as written; its Japanese is in the catalogue.
constexpr UiText kUsageHead = PELMORA_UI_TEXT("Cli",
    "usage: pelmora-list [--ini FILE] [--pattern PATTERNS] [--yes] [--unreadable skip|stop]\n"
    "                    [--authentication-file FILE] COMMAND ARGS...\n"
    "       pelmora-list --help | --version\n"
    "\n"
    "Writes to standard output exactly the text the command would put on the clipboard,\n"
    "and nothing when the command fails. Messages and questions go to standard error.\n"
    "\n"
    "options:\n"
    "  --ini FILE          read the settings from FILE (never written); default: the\n"
    "                      program's Pelmora.ini, or the built-in defaults without one\n"
    "  --pattern PATTERNS  file pattern, e.g. \"*.txt;*.csv\" (overrides Pattern)\n"
    "  --yes               answer yes to the questions that start a command (otherwise\n"
    "                      asked on the terminal; without one the answer is no)\n"
    "  --unreadable skip|stop\n"
    "                      what a walk does at a folder it cannot read: skip it and go\n"
    "                      on (status 4), or stop (status 1); otherwise asked on the\n"
    "                      terminal, and stop without one\n"
    "  --authentication-file FILE\n"
    "                      user and password for network shares (//server/share) that\n"
    "                      refuse the guest, in smbclient's format (username =,\n"
    "                      password =, domain = lines); only its owner may read it\n"
    "  --help              show this text\n"
    "  --version           show the program's version\n"
    "\n"
    "Paths may name a network share as //server/share/folder or \\\\server\\share\\folder.\n"
    "\n"
    "commands:\n");
constexpr UiText kUsageTail = PELMORA_UI_TEXT("Cli",
    "\n"
    "recursive, all-folders and tree ask before they start; recursive and all-folders also\n"
    "ask whether to stop when a folder cannot be read (see --unreadable).\n"
    "\n"
    "exit status:\n"
    "  0  the command listed (what it found may be nothing)\n"
    "  1  it failed or stopped part way: a folder, file or dropped item that does not\n"
    "     exist or cannot be read, an unreadable archive, output that could not be\n"
    "     written; each failure has a line on standard error, standard output is empty\n"
    "  2  wrong usage\n"
    "  3  a question was answered no, so nothing was listed\n"
    "  4  the listing skipped folders it could not read (--unreadable skip, or \"no\" on\n"
    "     the terminal); standard error names each\n");

void PrintUsage(std::FILE* to) {
    std::fputs(Translated(kUsageHead).c_str(), to);
    for (const CliCommand& command : Commands())
        std::fprintf(to, "  %-12s %-18s %s\n", command.name, command.arguments,
                     Translated(UiText{"Cli", command.summary}).c_str());
    std::fputs(Translated(kUsageTail).c_str(), to);
}

// Settings as start-up would have them: the given or the program's own file, loaded and
// normalised. Without any file the built-in default file's text is read, so the lister
// never creates files of the program.
bool LoadCliSettings(const std::string& iniOption, CliRun& run) {
    const std::string programFolder = platform::ProgramFolder();
    if (!iniOption.empty()) {
        if (!platform::FileExists(iniOption)) {
            Complain(Translated(cli_texts::kSettingsFileNotFound) + iniOption);
            return false;
        }
        run.iniPath = iniOption;
        LoadSettings(run.settings, run.iniPath);
    } else {
        // Beside the program, or where an installed copy keeps it: the one place start-up reads.
        const AppPaths paths = ResolveAppPaths();
        run.placesTried.push_back(paths.iniPath);
        if (platform::FileExists(paths.iniPath)) {
            run.iniPath = paths.iniPath;
            LoadSettings(run.settings, run.iniPath);
        } else {
            LoadDefaultSettings(run.settings);
        }
    }
    NormalizeSettings(run.settings, programFolder, nullptr);
    return true;
}

// Reads --authentication-file; false (with the reason on standard error) when it is refused.
bool LoadAuthenticationFile(const std::string& path, std::optional<platform::SmbCredentials>& credentials) {
    const AuthenticationFile file = ReadAuthenticationFile(path);
    switch (file.read) {
        case platform::PrivateFileRead::Read: break;
        case platform::PrivateFileRead::Missing: Complain(Translated(cli_texts::kAuthenticationFileNotFound) + path); return false;
        case platform::PrivateFileRead::OthersCanReadOrWrite:
            Complain(Translated(platform::FileRightsOfThisSystem() == platform::FileRightsKind::AccessControlList
                                    ? cli_texts::kAuthenticationFileOpenAcl
                                    : cli_texts::kAuthenticationFileOpen) +
                     path);
            return false;
        case platform::PrivateFileRead::NotOwned:
            Complain(Translated(cli_texts::kAuthenticationFileNotOwned) + path);
            return false;
        case platform::PrivateFileRead::TooLarge:
            Complain(Translated(cli_texts::kAuthenticationFileTooLarge) + path);
            return false;
        case platform::PrivateFileRead::Unreadable:
            Complain(Translated(cli_texts::kAuthenticationFileUnreadable) + path);
            return false;
    }
    credentials = file.credentials;
    if (!credentials) {
        Complain(Translated(cli_texts::kAuthenticationFileNoUser) + path);
        return false;
    }
    return true;
}

// The folders a walk could not read: the one it stopped at, or every one it skipped.
// Returns how many it skipped.
std::size_t ReportUnreadableFolders(const CliRun& run) {
    std::size_t skipped = 0;
    for (const UnreadableFolder& folder : run.job.dialogs.UnreadableFolders()) {
        if (folder.skipped) {
            ++skipped;
        } else {
            Complain(Translated(cli_texts::kStoppedAtFolder) + folder.path + ": " + FailureReasonText(folder.reason));
        }
    }
    if (skipped == 0) return 0;
    Complain(Translated(cli_texts::kSkippedFoldersCount) + std::to_string(skipped));
    for (const UnreadableFolder& folder : run.job.dialogs.UnreadableFolders())
        if (folder.skipped) Complain(Translated(cli_texts::kSkippedFolder) + folder.path + ": " + FailureReasonText(folder.reason));
    return skipped;
}

}  // namespace

std::string PathFromArgument(const std::string& typed) {
    // A short (8.3) path lists under the long names, as the folder shows them.
    const std::string argument = platform::LongPathName(typed);
    if (argument.size() < 3 || argument[0] != '\\' || argument[1] != '\\') return argument;
    std::string path = argument;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

void Complain(const std::string& text) { std::fprintf(stderr, "pelmora-list: %s\n", text.c_str()); }

void ComplainCannotOpen(const std::string& shown, const std::error_code& error) {
    Complain(Translated(cli_texts::kCannotOpen) + shown + ": " + FailureReasonText(error));
}

int FinishCommand(const CliRun&, bool failed) { return failed ? kExitFailure : kExitOk; }

int FinishCommand(const CliRun& run, const ListingOutcome& outcome) {
    for (const std::string& name : outcome.notFound) Complain(Translated(cli_texts::kNotFound) + name);
    const std::size_t skipped = ReportUnreadableFolders(run);
    if (outcome.failed || outcome.cancelled || !outcome.notFound.empty()) return kExitFailure;
    if (outcome.declined) return kExitDeclined;
    return skipped > 0 ? kExitSkipped : kExitOk;
}

// The command table. To add a command, add one row here: its name, the arguments as the
// usage shows them, a one-line summary, the least and most argument counts (kAnyCount: no
// limit), how many leading arguments are paths, and its handler,
// `int Handler(CliRun&, const std::vector<std::string>& args)`, declared in cli_commands.h
// (or a header of its own) and defined in its own cli_<command>.cpp added to
// app/cli/CMakeLists.txt. The handler writes its result with run.job.clipboard.SetText
// (standard output, written only when the command succeeds), talks through run.job.dialogs
// (standard error) and returns kExitOk or kExitFailure; arguments are already counted.
const std::vector<CliCommand>& Commands() {
    static const std::vector<CliCommand> commands = {
        {"files", "FOLDER [NAME...]", QT_TRANSLATE_NOOP("Cli", "the named files of FOLDER, or all it shows (File keys)"), 1, kAnyCount, 1,
         RunFiles},
        {"recursive", "FOLDER", QT_TRANSLATE_NOOP("Cli", "every file below FOLDER (SFolder keys)"), 1, 1, 1, RunRecursive},
        {"folder", "FOLDER", QT_TRANSLATE_NOOP("Cli", "the folder's own name"), 1, 1, 1, RunFolderCommand<ListCurrentFolder>},
        {"subfolders", "FOLDER", QT_TRANSLATE_NOOP("Cli", "the folder's immediate subfolders"), 1, 1, 1, RunFolderCommand<ListSubfolders>},
        {"all-folders", "FOLDER", QT_TRANSLATE_NOOP("Cli", "every folder below FOLDER"), 1, 1, 1, RunFolderCommand<ListAllSubfolders>},
        {"drop", "ARG...", QT_TRANSLATE_NOOP("Cli", "the listing of items dropped on the program"), 1, kAnyCount, kAnyCount, RunDrop},
        {"settings", "", QT_TRANSLATE_NOOP("Cli", "the settings as the program reads them, as INI text; the file read, unknown\n"
                         "                                  keys and changed values go to standard error"),
         0, 0, 0, RunSettings},
        {"tree", "FOLDER", QT_TRANSLATE_NOOP("Cli", "the folder tree below FOLDER (TreeFile, TreeAscii keys)"), 1, 1, 1, RunTree},
        {"archive", "FILE", QT_TRANSLATE_NOOP("Cli", "the member listing of an LZH or ZIP archive"), 1, 1, 1, RunArchive},
        {"hex", "FILE [COUNT]", QT_TRANSLATE_NOOP("Cli", "HexView's dump of the first COUNT bytes (Hex_ReadByte)"), 1, 2, 1, RunHex},
        {"acl", "PATH", QT_TRANSLATE_NOOP("Cli", "ACLView's lines for PATH"), 1, 1, 1, RunAcl},
        {"view-kind", "FILE", QT_TRANSLATE_NOOP("Cli", "the kind ChoiView shows FILE as (CV_ keys); an empty line for none"), 1, 1, 1,
         RunViewKind},
        // Its paths are found among the arguments, as --size may come first.
        {"render", "[--size N] FILE OUT.png", QT_TRANSLATE_NOOP("Cli", "ChoiView's picture or first page of FILE as PNG, fitted in N x N"), 2, 4, 0,
         RunRender},
    };
    return commands;
}

int RunListCommandLine(int argc, char** argv) {
    std::string iniOption, patternOption, authenticationOption;
    bool answerYes = false, patternGiven = false;
    UnreadableFolderRule unreadableRule = UnreadableFolderRule::Ask;
    int at = 1;
    for (; at < argc; ++at) {
        const std::string_view option = argv[at];
        if (option == "--help" || option == "-h") {
            PrintUsage(stdout);
            return kExitOk;
        }
        if (option == "--version") {
            std::fputs("pelmora-list " PELMORA_VERSION "\n", stdout);
            return kExitOk;
        }
        if (option == "--yes" || option == "-y") {
            answerYes = true;
        } else if ((option == "--ini" || option == "--pattern") && at + 1 < argc) {
            (option == "--ini" ? iniOption : patternOption) = argv[++at];
            patternGiven = patternGiven || option == "--pattern";
        } else if (option == "--unreadable" && at + 1 < argc) {
            const std::string_view rule = argv[++at];
            if (rule != "skip" && rule != "stop") {
                Complain(Translated(cli_texts::kUnreadableRuleWords) + std::string(rule));
                PrintUsage(stderr);
                return kExitUsage;
            }
            unreadableRule = rule == "skip" ? UnreadableFolderRule::Skip : UnreadableFolderRule::Stop;
        } else if (option == "--authentication-file" && at + 1 < argc) {
            authenticationOption = argv[++at];
        } else if (option == "--") {
            ++at;
            break;
        } else if (option.size() > 1 && option[0] == '-') {
            Complain(Translated(cli_texts::kUnknownOption) + std::string(option));
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
    std::vector<std::string> args(argv + at, argv + argc);
    const CliCommand* command = nullptr;
    for (const CliCommand& candidate : Commands())
        if (name == candidate.name) command = &candidate;
    if (command == nullptr || args.size() < command->minArgs || args.size() > command->maxArgs) {
        Complain(command == nullptr ? Translated(cli_texts::kUnknownCommand) + name
                                    : Translated(cli_texts::kWrongArgumentCount) + name);
        PrintUsage(stderr);
        return kExitUsage;
    }
    for (std::size_t i = 0; i < args.size() && i < command->pathArgs; ++i) args[i] = PathFromArgument(args[i]);

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

    // The output is held until the command has ended, so a failure leaves it empty.
    ConsoleJobContext job(answerYes, platform::StandardErrorIsTerminal(), platform::StandardInputIsTerminal(),
                          Translated(cli_texts::kSaveSkipped), unreadableRule, true);
    CliRun run{Settings{}, job, {}, {}, {}};
    if (!LoadCliSettings(iniOption, run)) return kExitFailure;
    if (patternGiven) run.settings.Pattern = patternOption;
    run.authenticationFile = authenticationOption;
    int status = command->handler(run, args);
    if (status == kExitOk || status == kExitDeclined || status == kExitSkipped) {
        if (!job.clipboard.WriteHeld()) {
            Complain(Translated(cli_texts::kOutputWriteFailed));
            status = kExitFailure;
        }
    }
    return status;
}

}  // namespace pelmora::cli
