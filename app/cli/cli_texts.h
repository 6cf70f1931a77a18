#pragma once
// What pelmora-list writes on standard error, after "pelmora-list: ". The window's own
// messages keep their texts where the window has them; these are the lister's.

#include <string_view>

namespace pelmora::cli_texts {

// Why something could not be read (see FailureReasonText), after the path and ": ".
inline constexpr std::string_view kAccessDenied = "access denied";
inline constexpr std::string_view kNoSuchShare = "no such share";
inline constexpr std::string_view kNoSuchFileOrFolder = "no such file or folder";
inline constexpr std::string_view kConnectionRefused = "connection refused";
inline constexpr std::string_view kHostNotFound = "host not found";
inline constexpr std::string_view kTimedOut = "timed out";
inline constexpr std::string_view kNotAFolder = "not a folder";
inline constexpr std::string_view kIsAFolder = "is a folder";
inline constexpr std::string_view kUnknownReason = "reason unknown";

// Each is followed by a path, then ": " and the reason.
inline constexpr std::string_view kCannotOpen = "cannot open ";
inline constexpr std::string_view kCannotRead = "cannot read ";
// Followed by an item named to the command.
inline constexpr std::string_view kNotFound = "not found: ";

// Archives: each follows "cannot list " and the archive's path.
inline constexpr std::string_view kCannotList = "cannot list ";
inline constexpr std::string_view kNotAZipArchive = "not a ZIP archive";
inline constexpr std::string_view kNotAnLzhArchive = "not an LZH archive";
// Followed by the byte count of the file.
inline constexpr std::string_view kCutShortAfterByte = "damaged: cut short after byte ";
// Followed by the byte where the damage was found.
inline constexpr std::string_view kDamagedAtByte = "damaged at byte ";
inline constexpr std::string_view kDamaged = "damaged";

// A walk and the folders it could not read. The count line is followed by one line per
// folder: kSkippedFolder, the path, ": " and the reason.
inline constexpr std::string_view kSkippedFoldersCount = "unreadable folders skipped, the listing is incomplete: ";
inline constexpr std::string_view kSkippedFolder = "skipped: ";
inline constexpr std::string_view kStoppedAtFolder = "stopped at a folder it cannot read: ";

// Settings.
inline constexpr std::string_view kSettingsFile = "settings file: ";
inline constexpr std::string_view kSettingsFileNotFound = "settings file not found: ";
// Followed by the places looked at, in order, separated by kPlacesSeparator.
inline constexpr std::string_view kNoSettingsFile = "no settings file: the built-in defaults; looked for ";
inline constexpr std::string_view kPlacesSeparator = ", then ";
inline constexpr std::string_view kWarning = "warning: ";
// Followed by the keys of the command's field set, separated by ", ".
inline constexpr std::string_view kNoFieldSwitchedOn = "no field is switched on for this command: ";
// Followed by the pattern.
inline constexpr std::string_view kPatternWithSpace =
    "nothing matched, and the pattern holds a space (patterns are separated by \";\"): ";

// Output and usage.
inline constexpr std::string_view kOutputWriteFailed = "writing to standard output failed";
inline constexpr std::string_view kUnknownOption = "unknown or incomplete option: ";
inline constexpr std::string_view kUnknownCommand = "unknown command: ";
inline constexpr std::string_view kWrongArgumentCount = "wrong number of arguments for ";
inline constexpr std::string_view kNotAByteCount = "not a byte count: ";
inline constexpr std::string_view kUnreadableRuleWords = "--unreadable takes skip or stop, not ";
inline constexpr std::string_view kTemporaryFolderFailed = "cannot create a temporary folder";
inline constexpr std::string_view kSaveSkipped = "pelmora-list: saving to a file is skipped";

// render.
inline constexpr std::string_view kNotARenderSize = "--size takes a number of pixels from 1 to 65535, not ";
inline constexpr std::string_view kNotARegularFile = "not a regular file";
// Followed by the kind word, ": " and the path.
inline constexpr std::string_view kCannotRenderKind = "no picture is drawn of the ChoiView kind ";
// Followed by the path.
inline constexpr std::string_view kNotShownByChoiView = "ChoiView does not show this file (CV_ keys): ";
// Followed by the reason.
inline constexpr std::string_view kCannotStartRenderer = "cannot start pelmora-render: ";

// --authentication-file; each is followed by the file's path.
inline constexpr std::string_view kAuthenticationFileNotFound = "authentication file not found: ";
inline constexpr std::string_view kAuthenticationFileOpen =
    "authentication file refused: others than its owner may read or change it (chmod 600): ";
inline constexpr std::string_view kAuthenticationFileNotOwned = "authentication file refused: it belongs to another user: ";
inline constexpr std::string_view kAuthenticationFileTooLarge = "authentication file refused: too large for one: ";
inline constexpr std::string_view kAuthenticationFileUnreadable = "cannot read authentication file: ";
inline constexpr std::string_view kAuthenticationFileNoUser = "authentication file names no user (username = ...): ";

}  // namespace pelmora::cli_texts
