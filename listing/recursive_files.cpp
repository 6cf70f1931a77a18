#include "listing/recursive_files.h"

#include <exception>
#include <vector>

#include "listing/array_sort.h"
#include "listing/listing_messages.h"
#include "listing/entry_formatter.h"
#include "listing/folder_contents.h"
#include "listing/folder_walker.h"
#include "listing/listing_result.h"
#include "listing/result_output.h"
#include "platform/file_facts.h"

namespace pelmora {

namespace {

// Formats each file the walk meets. Without the extension sort the lines go straight into
// the result text, so a big listing is held once, not once per line and again joined.
class FileLineCollector : public FolderWalkVisitor {
public:
    explicit FileLineCollector(const EntryFieldSwitches& switches) : formatter_(switches) {}

    void EnterFolder(const std::string&) override {}

    void VisitFile(const std::string& folderPath, const platform::FolderReader& folder,
                   const std::string& name) override {
        // Looked up relative to the open folder: cheaper than the full path, and it works
        // however long the full path is.
        const auto facts = platform::ReadFileFactsAt(folder.Handle(), name);
        if (!facts) return;  // vanished since the folder was read
        path_.assign(folderPath);
        AppendChildPath(path_, name);
        formatter_.Format(path_, *facts, entry_);
        if (formatter_.ExtSortOn()) {
            entries_.push_back(entry_);
        } else if (!entry_.line.empty()) {
            if (lineCount_ > 0) text_.append("\r\n");
            text_.append(entry_.line);
            ++lineCount_;
        }
    }

    bool SortOn() const { return formatter_.ExtSortOn(); }
    std::vector<FormattedEntry>& entries() { return entries_; }
    std::string& text() { return text_; }
    std::size_t lineCount() const { return lineCount_; }

private:
    const EntryFormatter formatter_;
    FormattedEntry entry_;
    std::string path_;
    std::vector<FormattedEntry> entries_;
    std::string text_;
    std::size_t lineCount_ = 0;
};

}  // namespace

ListingOutcome ListFilesRecursively(const BrowserState& state, const Settings& settings, JobContext& context) {
    ListingOutcome outcome;
    context.cancel.Reset();
    if (!context.dialogs.AskYesNo(std::string(kAskSubfolderSearch))) {
        context.dialogs.ShowMessage(std::string(kCancelledMessage));
        outcome.declined = true;
        return outcome;
    }
    try {
        context.progress.Open(std::string(kSearchingSubfolders), true);
        context.progress.Pump();

        FileLineCollector collector(SwitchesFor(settings, ListingFamily::SFolder));
        const WildcardPattern pattern(state.pattern);
        FolderWalkOptions options;
        options.filePattern = &pattern;
        options.showHidden = state.showHidden;
        WalkFolderTree(state.folder, options, collector, context);

        std::string& text = collector.text();
        std::size_t count = collector.lineCount();
        if (collector.SortOn()) {
            auto& entries = collector.entries();
            if (!entries.empty()) {
                context.progress.SetActivity(std::string(kSortingFileNames));
                SortEntriesByKey(entries, &context);  // clears the cancel flag as it starts
            }
            if (!entries.empty() && !entries.front().line.empty()) {
                AppendListing(entries, false, text);
                count = entries.size();
            }
            entries.clear();
            entries.shrink_to_fit();
        }
        context.progress.Close();

        if (count == 0) {
            context.dialogs.ShowMessage(std::string(kNothingCollected));
            context.progress.Pump();
            context.clipboard.Clear();
            outcome.cancelled = context.cancel.IsRaised();
            return outcome;
        }
        if (settings.SFolderLastLineReturn == "1") text.append("\r\n");
        DeliverToClipboard(context, text);
        outcome.delivered = true;
        outcome.count = count;
        outcome.cancelled = context.cancel.IsRaised();
        context.dialogs.ShowMessage(outcome.cancelled ? std::string(kCancelledMessage)
                                                      : std::string(kTransferredFileCount) + std::to_string(count));
        if (settings.SFolderWrite == "1") SaveResultToFile(context, settings.SFolderWriteName, text);
        outcome.text = std::move(text);
    } catch (const std::exception&) {
        if (context.progress.IsOpen()) context.progress.Close();
        context.dialogs.ShowMessage(std::string(kFileReferenceFailed));
        outcome.failed = true;
    }
    return outcome;
}

}  // namespace pelmora
