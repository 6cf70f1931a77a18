#pragma once
// What pelmora-list writes on standard error, after "pelmora-list: ". The window's own
// messages keep their texts where the window has them; these are the lister's.

#include <string_view>

#include "i18n/ui_text.h"

namespace pelmora::cli_texts {

// Why something could not be read (see FailureReasonText), after the path and ": ".
inline constexpr UiText kAccessDenied = PELMORA_UI_TEXT("Cli", "access denied");
inline constexpr UiText kNoSuchShare = PELMORA_UI_TEXT("Cli", "no such share");
inline constexpr UiText kNoSuchFileOrFolder = PELMORA_UI_TEXT("Cli", "no such file or folder");
inline constexpr UiText kConnectionRefused = PELMORA_UI_TEXT("Cli", "connection refused");
inline constexpr UiText kHostNotFound = PELMORA_UI_TEXT("Cli", "host not found");
inline constexpr UiText kTimedOut = PELMORA_UI_TEXT("Cli", "timed out");
inline constexpr UiText kNotAFolder = PELMORA_UI_TEXT("Cli", "not a folder");
inline constexpr UiText kIsAFolder = PELMORA_UI_TEXT("Cli", "is a folder");
inline constexpr UiText kUnknownReason = PELMORA_UI_TEXT("Cli", "reason unknown");

// Each is followed by a path, then ": " and the reason.
inline constexpr UiText kCannotOpen = PELMORA_UI_TEXT("Cli", "cannot open ");
inline constexpr UiText kCannotRead = PELMORA_UI_TEXT("Cli", "cannot read ");
// Followed by an item named to the command.
inline constexpr UiText kNotFound = PELMORA_UI_TEXT("Cli", "not found: ");

// Archives: each follows "cannot list " and the archive's path.
inline constexpr UiText kCannotList = PELMORA_UI_TEXT("Cli", "cannot list ");
inline constexpr UiText kNotAZipArchive = PELMORA_UI_TEXT("Cli", "not a ZIP archive");
inline constexpr UiText kNotAnLzhArchive = PELMORA_UI_TEXT("Cli", "not an LZH archive");
// Followed by the byte count of the file.
inline constexpr UiText kCutShortAfterByte = PELMORA_UI_TEXT("Cli", "damaged: cut short after byte ");
// Followed by the byte where the damage was found.
inline constexpr UiText kDamagedAtByte = PELMORA_UI_TEXT("Cli", "damaged at byte ");
inline constexpr UiText kDamaged = PELMORA_UI_TEXT("Cli", "damaged");

// A walk and the folders it could not read. The count line is followed by one line per
// folder: kSkippedFolder, the path, ": " and the reason.
inline constexpr UiText kSkippedFoldersCount = PELMORA_UI_TEXT("Cli", "unreadable folders skipped, the listing is incomplete: ");
inline constexpr UiText kSkippedFolder = PELMORA_UI_TEXT("Cli", "skipped: ");
inline constexpr UiText kStoppedAtFolder = PELMORA_UI_TEXT("Cli", "stopped at a folder it cannot read: ");

// Settings.
inline constexpr UiText kSettingsFile = PELMORA_UI_TEXT("Cli", "settings file: ");
inline constexpr UiText kSettingsFileNotFound = PELMORA_UI_TEXT("Cli", "settings file not found: ");
// Followed by the places looked at, in order, separated by kPlacesSeparator.
inline constexpr UiText kNoSettingsFile = PELMORA_UI_TEXT("Cli", "no settings file: the built-in defaults; looked for ");
inline constexpr UiText kPlacesSeparator = PELMORA_UI_TEXT("Cli", ", then ");
inline constexpr UiText kWarning = PELMORA_UI_TEXT("Cli", "warning: ");
// Followed by the keys of the command's field set, separated by ", ".
inline constexpr UiText kNoFieldSwitchedOn = PELMORA_UI_TEXT("Cli", "no field is switched on for this command: ");
// Followed by the pattern.
inline constexpr UiText kPatternWithSpace = PELMORA_UI_TEXT("Cli",
    "nothing matched, and the pattern holds a space (patterns are separated by \";\"): ");

// Output and usage.
inline constexpr UiText kOutputWriteFailed = PELMORA_UI_TEXT("Cli", "writing to standard output failed");
inline constexpr UiText kUnknownOption = PELMORA_UI_TEXT("Cli", "unknown or incomplete option: ");
inline constexpr UiText kUnknownCommand = PELMORA_UI_TEXT("Cli", "unknown command: ");
inline constexpr UiText kWrongArgumentCount = PELMORA_UI_TEXT("Cli", "wrong number of arguments for ");
inline constexpr UiText kNotAByteCount = PELMORA_UI_TEXT("Cli", "not a byte count: ");
inline constexpr UiText kUnreadableRuleWords = PELMORA_UI_TEXT("Cli", "--unreadable takes skip or stop, not ");
inline constexpr UiText kTemporaryFolderFailed = PELMORA_UI_TEXT("Cli", "cannot create a temporary folder");
inline constexpr UiText kSaveSkipped = PELMORA_UI_TEXT("Cli", "pelmora-list: saving to a file is skipped");

// render.
inline constexpr UiText kNotARenderSize = PELMORA_UI_TEXT("Cli", "--size takes a number of pixels from 1 to 65535, not ");
inline constexpr UiText kNotARegularFile = PELMORA_UI_TEXT("Cli", "not a regular file");
// Followed by the kind word, ": " and the path.
inline constexpr UiText kCannotRenderKind = PELMORA_UI_TEXT("Cli", "no picture is drawn of the ChoiView kind ");
// Followed by the path.
inline constexpr UiText kNotShownByChoiView = PELMORA_UI_TEXT("Cli", "ChoiView does not show this file (CV_ keys): ");
// Followed by the reason.
inline constexpr UiText kCannotStartRenderer = PELMORA_UI_TEXT("Cli", "cannot start pelmora-render: ");

// --authentication-file; each is followed by the file's path.
inline constexpr UiText kAuthenticationFileNotFound = PELMORA_UI_TEXT("Cli", "authentication file not found: ");
inline constexpr UiText kAuthenticationFileOpen = PELMORA_UI_TEXT("Cli",
    "authentication file refused: others than its owner may read or change it (chmod 600): ");
// The same where an access control list decides who may read a file.
inline constexpr UiText kAuthenticationFileOpenAcl = PELMORA_UI_TEXT("Cli",
    "authentication file refused: others than its owner may read or change it "
    "(icacls FILE /inheritance:r /grant:r \"%USERNAME%:F\"): ");
inline constexpr UiText kAuthenticationFileNotOwned = PELMORA_UI_TEXT("Cli", "authentication file refused: it belongs to another user: ");
inline constexpr UiText kAuthenticationFileTooLarge = PELMORA_UI_TEXT("Cli", "authentication file refused: too large for one: ");
inline constexpr UiText kAuthenticationFileUnreadable = PELMORA_UI_TEXT("Cli", "cannot read authentication file: ");
inline constexpr UiText kAuthenticationFileNoUser = PELMORA_UI_TEXT("Cli", "authentication file names no user (username = ...): ");

}  // namespace pelmora::cli_texts
