#include "listing/engine/dropped_items.h"

#include <exception>

#include "i18n/translation.h"
#include "listing/text/array_sort.h"
#include "listing/engine/listing_messages.h"
#include "listing/engine/enclosed_value.h"
#include "listing/engine/entry_formatter.h"
#include "listing/engine/listing_result.h"
#include "listing/engine/path_ops.h"
#include "listing/engine/listing_delivery.h"
#include "platform/file_system.h"
#include "settings/layout_token.h"

namespace pelmora {

namespace {

// Only a token standing alone is replaced here; file lines replace it anywhere.
std::string FolderEnclosure(const std::string& kakomi) {
    if (kakomi == kTabToken) return "\t";
    if (kakomi == kCrLfToken) return "\r\n";
    return kakomi;
}

std::vector<std::string> FolderLines(const std::vector<std::string>& folders, bool fullPath,
                                     const Settings& settings, JobContext& context) {
    std::vector<std::string> sorted;
    if (ArraySortString(folders, sorted, &context) != 0) sorted = folders;
    const std::string enclosure = FolderEnclosure(settings.Kakomi);
    std::vector<std::string> lines;
    for (const std::string& folder : sorted) {
        std::string name = fullPath ? folder : FileNamePart(folder);
        // The root already ends in its separator; a second one would name nothing.
        if (settings.DropFolderMark == "1" && !platform::EndsWithSeparator(name)) name.push_back(platform::kPathSeparator);
        std::string line;
        AppendEnclosedValue(name, enclosure, line);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::string> FileLines(const std::vector<std::string>& files, bool fullPath, const Settings& settings,
                                   JobContext& context) {
    std::vector<std::string> sorted;
    if (ArraySortString(files, sorted, &context) != 0) {
        context.dialogs.ShowMessage(std::string(kDroppedSortError));
        sorted = files;
    }
    EntryFieldSwitches switches = SwitchesFor(settings, ListingFamily::Drop);
    switches.FullPath.assign(1, fullPath ? '1' : '0');
    const EntryFormatter formatter(switches, context.fileSystem);
    std::vector<FormattedEntry> entries(sorted.size());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        formatter.Format(sorted[i], entries[i]);
        // A path that cannot be found keeps its place as an empty line.
        if (!entries[i].found) entries[i].sortKey.clear();
    }
    if (formatter.ExtSortOn() && !entries.empty()) SortEntriesByKey(entries, &context);
    std::vector<std::string> lines;
    lines.reserve(entries.size());
    for (FormattedEntry& entry : entries) lines.push_back(std::move(entry.line));
    return lines;
}

}  // namespace

std::vector<std::string> TokenizeCommandLine(std::string_view commandLine) {
    std::vector<std::string> tokens(1);
    bool inQuotes = false;
    for (const char c : commandLine) {
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ' ' && !inQuotes) {
            tokens.emplace_back();
        } else {
            tokens.back().push_back(c);
        }
    }
    return tokens;
}

std::string LongPathOf(const std::string& path, platform::FileSystem& files) {
    if (platform::IsNetworkPath(path)) return path;
    if (path.empty()) return {};
    // The path's own root: on Windows another drive than the system's, or a share.
    const std::size_t root = platform::RootPartLength(path);
    std::string result = path.substr(0, root);
    std::size_t start = root;
    while (start < path.size()) {
        std::size_t end = path.find(platform::kPathSeparator, start);
        if (end == std::string::npos) end = path.size();
        if (end > start) {
            const std::string_view component = std::string_view(path).substr(start, end - start);
            if (result.empty()) {
                result.assign(component);
            } else {
                platform::AppendToPath(result, component);
            }
            if (!files.Facts(result)) return {};
        }
        start = end + 1;
    }
    return result;
}

std::string JoinCommandLine(const std::vector<std::string>& args) {
    std::string line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0) line.push_back(' ');
        const bool quote = args[i].find(' ') != std::string::npos;
        if (quote) line.push_back('"');
        line.append(args[i]);
        if (quote) line.push_back('"');
    }
    return line;
}

namespace {

// tokens: the items as the program received them; rawCommandLine: their text as one line,
// delivered as it stands when DropMultiLine is "0".
ListingOutcome ListDroppedTokens(const std::string& rawCommandLine, std::vector<std::string> tokens, bool altPressed,
                                 const Settings& settings, JobContext& context) {
    ListingOutcome outcome;
    try {
        const bool fullPath = (settings.DropFullPath == "1") != altPressed;
        context.progress.Pump();
        std::string text;
        std::size_t count = 0;
        if (settings.DropMultiLine == "0") {
            text = rawCommandLine;
            count = text.empty() ? 0 : 1;
        } else {
            std::vector<std::string> folders, files;
            for (std::string& token : tokens) {
                // Runs of spaces give empty tokens; they name nothing and would only add
                // empty lines (or, on Windows, the drive's root).
                if (token.empty()) continue;
                if (token.front() != ' ' && token.back() != ' ') {
                    std::string longPath = LongPathOf(token, FileSystemOf(context, token));
                    if (longPath.empty()) outcome.notFound.push_back(token);
                    token = std::move(longPath);
                }
                const auto facts = FileSystemOf(context, token).Facts(token);
                (facts && facts->isFolder ? folders : files).push_back(std::move(token));
            }
            std::vector<std::string> lines;
            if (!folders.empty()) lines = FolderLines(folders, fullPath, settings, context);
            if (!files.empty()) {
                std::vector<std::string> fileLines = FileLines(files, fullPath, settings, context);
                lines.insert(lines.end(), std::make_move_iterator(fileLines.begin()),
                             std::make_move_iterator(fileLines.end()));
            }
            text = JoinListing(lines);
            count = lines.size();
        }
        context.progress.Pump();
        DeliverListing(std::move(text), count, {settings.DropLastLineReturn, settings.DropWrite, settings.DropWriteName},
                       {}, context, outcome);
    } catch (const std::exception&) {
        context.dialogs.ShowMessage(Translated(kFileReferenceFailed));
        outcome.failed = true;
    }
    return outcome;
}

}  // namespace

ListingOutcome ListDroppedItems(const std::string& rawCommandLine, bool altPressed, const Settings& settings,
                                JobContext& context) {
    return ListDroppedTokens(rawCommandLine, TokenizeCommandLine(rawCommandLine), altPressed, settings, context);
}

ListingOutcome ListDroppedItems(const std::vector<std::string>& arguments, bool altPressed, const Settings& settings,
                                JobContext& context) {
    // A file manager hands over full paths; an item named relative to the current folder
    // stands for the full path it names, so "." lists as that folder, not as "/".
    std::vector<std::string> items;
    items.reserve(arguments.size());
    for (const std::string& argument : arguments)
        items.push_back(argument.empty() || platform::IsNetworkPath(argument) ? argument : AbsolutePath(argument));
    return ListDroppedTokens(JoinCommandLine(items), items, altPressed, settings, context);
}

}  // namespace pelmora
