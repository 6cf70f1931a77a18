#include "listing/engine/recursive_files.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <string_view>
#include <vector>

#include "i18n/translation.h"
#include "listing/text/array_sort.h"
#include "listing/text/collation_keys.h"
#include "listing/engine/listing_messages.h"
#include "listing/engine/entry_formatter.h"
#include "listing/engine/folder_contents.h"
#include "listing/engine/folder_walker.h"
#include "listing/engine/listing_delivery.h"
#include "listing/engine/subfolder_search.h"
#include "platform/allocator_tuning.h"

namespace pelmora {

namespace {

// Texts kept in large blocks that never move: views into them stay valid, and a big listing
// costs neither an allocation per text nor copies of everything as a buffer grows.
class TextBlocks {
public:
    std::string_view Add(std::string_view text) {
        if (blocks_.empty() || capacity_ - used_ < text.size()) {
            capacity_ = std::max(kBlockSize, text.size());
            // Left uninitialised: only the pages written to take memory.
            blocks_.push_back(std::unique_ptr<char[]>(new char[capacity_]));
            used_ = 0;
        }
        char* at = blocks_.back().get() + used_;
        std::copy(text.begin(), text.end(), at);
        used_ += text.size();
        return {at, text.size()};
    }
    void Release() {
        blocks_.clear();
        blocks_.shrink_to_fit();
    }

private:
    // Large enough that the C library maps each block by itself and gives it back whole
    // when released, instead of leaving it in its heap while the result text is built.
    static constexpr std::size_t kBlockSize = std::size_t{64} << 20;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t capacity_ = 0;  // of the last block
    std::size_t used_ = 0;
};

// Formats each file the walk meets. The lines of a folder are made on the walk's worker
// threads and kept in its batch (with their sort keys when the extension sort is on); in walk
// order they go straight into the result text, so a big listing is held once, not once per
// line and again joined. With the sort, lines and keys wait in blocks until the sort has put
// them in order.
class FileLineCollector : public FolderWalkVisitor {
public:
    FileLineCollector(const EntryFieldSwitches& switches, platform::FileSystem* fileSystem, std::size_t walkThreads)
        : formatter_(switches, fileSystem), prepareKeys_(formatter_.ExtSortOn() && walkThreads >= kThreadsToPrepareKeys) {
        if (!formatter_.ExtSortOn()) text_.reserve(kTextRoom);
    }

    void ReadFiles(const std::string& folderPath, const platform::OpenFolder& folder,
                   const std::vector<std::string>& names, FolderBatch& batch,
                   const KeepReading& keepGoing) const override {
        FormattedEntry entry;
        std::string path, key;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (i % kFilesPerCheck == kFilesPerCheck - 1 && !keepGoing()) return;
            // Looked up relative to the open folder: cheaper than the full path, and it works
            // however long the full path is.
            const auto facts = folder.EntryFacts(names[i], formatter_.AttributesShown());
            if (!facts) continue;  // vanished since the folder was read
            path.assign(folderPath);
            AppendChildPath(path, names[i]);
            formatter_.Format(path, *facts, entry);
            if (prepareKeys_) {
                // Each reader thread makes keys with a collator of its own.
                thread_local OrderKeyMaker keyMaker;
                key.clear();
                keyMaker.AppendKey(entry.sortKey, key);
                batch.keys.Add(key);
                batch.lines.Add(entry.line);
            } else if (formatter_.ExtSortOn()) {
                batch.keys.Add(entry.sortKey);
                batch.lines.Add(entry.line);
            } else if (!entry.line.empty()) {
                batch.lines.Add(entry.line);
            }
        }
    }

    void EnterFolder(const std::string&, FolderBatch& batch, std::size_t) override {
        if (formatter_.ExtSortOn()) {
            for (std::size_t i = 0; i < batch.lines.Count(); ++i) {
                keys_.push_back(keyBlocks_.Add(batch.keys.At(i)));
                lines_.push_back(lineBlocks_.Add(batch.lines.At(i)));
            }
            return;
        }
        for (std::size_t i = 0; i < batch.lines.Count(); ++i) {
            if (lineCount_ > 0) text_.append("\r\n");
            text_.append(batch.lines.At(i));
            ++lineCount_;
        }
    }

    bool SortOn() const { return formatter_.ExtSortOn(); }
    std::string& text() { return text_; }
    std::size_t lineCount() const { return lineCount_; }

    // Sorts the kept lines by their keys into the text (in the order met after a cancel).
    // As with the lines of every other listing, a first line left empty leaves the text empty.
    void SortIntoText(JobContext& context) {
        if (lines_.empty()) return;
        context.progress.SetActivity(Translated(kSortingFileNames));
        const auto keyAt = [this](std::size_t i) { return keys_[i]; };
        const auto order = prepareKeys_ ? SortOrderOfKeys(keys_.size(), keyAt, &context)
                                        : SortOrderOfTexts(keys_.size(), keyAt, &context);
        keys_ = {};
        keyBlocks_.Release();
        // What the sort freed stays in the C library's heap unless handed back, under the
        // text made next.
        platform::ReturnFreeHeapMemory();
        auto lineAt = [&](std::size_t i) { return lines_[order ? (*order)[i] : i]; };
        if (!lineAt(0).empty()) {
            std::size_t size = 0;
            for (const std::string_view line : lines_) size += line.size() + 2;
            text_.reserve(text_.size() + size);  // room for a last line return too
            for (std::size_t i = 0; i < lines_.size(); ++i) {
                if (i > 0) text_.append("\r\n");
                text_.append(lineAt(i));
            }
            lineCount_ = lines_.size();
        }
        lines_ = {};
        lineBlocks_.Release();
    }

private:
    // Files between two looks at whether the walk goes on.
    static constexpr std::size_t kFilesPerCheck = 256;
    // Collation keys for every line cost more in all than the sort of the texts, which
    // orders ASCII by ranks and makes keys only where other characters meet; made on the
    // reader threads they leave the sort after the walk to compare bytes. That pays where
    // a core is left beside the walk's own work, not on two.
    static constexpr std::size_t kThreadsToPrepareKeys = 3;
    // Room for the result text taken before its first line. The C library maps a buffer this
    // large by itself and only the pages written take memory, so a text up to this size is
    // written once: growing by doubling would copy it into each larger buffer, faulting in
    // every page again, which costs about as much as formatting the lines.
    static constexpr std::size_t kTextRoom = std::size_t{64} << 20;

    const EntryFormatter formatter_;
    const bool prepareKeys_;  // batch keys are OrderKeyMaker's, else the texts to sort
    TextBlocks keyBlocks_, lineBlocks_;
    std::vector<std::string_view> keys_, lines_;
    std::string text_;
    std::size_t lineCount_ = 0;
};

}  // namespace

ListingOutcome ListFilesRecursively(const BrowserState& state, const Settings& settings, JobContext& context) {
    ListingOutcome outcome;
    if (!BeginSubfolderSearch(context, outcome)) return outcome;
    try {

        FolderWalkOptions options;
        options.threads = WalkThreadCount(FileSystemOf(context, state.folder).PreferredWalkThreads());
        FileLineCollector collector(SwitchesFor(settings, ListingFamily::SFolder), context.fileSystem, options.threads);
        const WildcardPattern pattern(state.pattern);
        options.filePattern = &pattern;
        options.showHidden = state.showHidden;
        WalkFolderTree(state.folder, options, collector, context);

        if (collector.SortOn()) collector.SortIntoText(context);  // clears the cancel flag as it starts
        std::string& text = collector.text();
        const std::size_t count = collector.lineCount();
        context.progress.Close();

        if (count == 0) {
            context.dialogs.ShowMessage(Translated(kNothingCollected));
            context.progress.Pump();
            context.clipboard.Clear();
            outcome.cancelled = context.cancel.IsRaised();
            return outcome;
        }
        const bool cancelled = context.cancel.IsRaised();
        DeliverListing(std::move(text), count,
                       {settings.SFolderLastLineReturn, settings.SFolderWrite, settings.SFolderWriteName},
                       cancelled ? Translated(kCancelledMessage)
                                 : Translated(kTransferredFileCount) + std::to_string(count),
                       context, outcome);
        outcome.cancelled = cancelled;
    } catch (const std::exception&) {
        if (context.progress.IsOpen()) context.progress.Close();
        context.dialogs.ShowMessage(Translated(kFileReferenceFailed));
        outcome.failed = true;
    }
    return outcome;
}

}  // namespace pelmora
