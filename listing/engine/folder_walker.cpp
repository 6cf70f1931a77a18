#include "listing/engine/folder_walker.h"

#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "listing/engine/folder_contents.h"
#include "listing/engine/listing_messages.h"
#include "platform/file_system.h"

namespace pelmora {

namespace {

constexpr auto kPumpInterval = std::chrono::milliseconds(30);

// Folders kept open at once besides the start folder; deeper ancestors are closed and
// opened again from the nearest open one when the walk returns to them.
constexpr std::size_t kOpenFolderWindow = 48;

struct Frame {
    std::unique_ptr<platform::OpenFolder> folder;  // null while closed
    platform::FolderIdentity identity;
    std::size_t nameStart = 0;   // where this folder's own name starts in the walk path
    std::size_t pathLength = 0;  // length of the walk path up to and including the name
    std::vector<std::string> subfolders;
    std::size_t nextSubfolder = 0;
};

std::pair<std::uint64_t, std::uint64_t> Key(const platform::FolderIdentity& identity) {
    return {identity.device, identity.inode};
}

class Walk {
public:
    Walk(const FolderWalkOptions& options, FolderWalkVisitor& visitor, JobContext& context)
        : options_(options), visitor_(visitor), context_(context), pump_(context.progress) {}

    WalkEnd Run(const std::string& start) {
        path_ = start;
        path_.resize(platform::WithoutTrailingSeparators(path_).size());
        Frame root;
        root.pathLength = path_.size();
        std::error_code error;
        root.folder = FileSystemOf(context_, path_).OpenFolderAt(path_, error);
        if (!root.folder) {
            AskAboutUnreadable();
            return Ended();
        }
        if (!EnterFolder(std::move(root))) return Ended();
        while (!stack_.empty()) {
            if (context_.cancel.IsRaised()) return WalkEnd::Cancelled;
            Frame& top = stack_.back();
            if (top.nextSubfolder >= top.subfolders.size()) {
                onPath_.erase(Key(top.identity));
                stack_.pop_back();
                continue;
            }
            const std::string name = std::move(top.subfolders[top.nextSubfolder++]);
            path_.resize(top.pathLength);
            Frame child;
            child.nameStart = path_.size() + (platform::EndsWithSeparator(path_) ? 0 : 1);
            AppendChildPath(path_, name);
            child.pathLength = path_.size();
            if (ReopenIfClosed(stack_.size() - 1)) child.folder = stack_.back().folder->OpenInside(name, error);
            if (!child.folder) {
                AskAboutUnreadable();
                continue;
            }
            EnterFolder(std::move(child));
        }
        return Ended();
    }

private:
    WalkEnd Ended() const { return context_.cancel.IsRaised() ? WalkEnd::Cancelled : WalkEnd::Completed; }

    // Reads the folder, reports it and its files, and pushes it when it has subfolders.
    // False when the walk is to stop.
    bool EnterFolder(Frame frame) {
        if (pump_.PumpAndCheck(context_.cancel)) return false;
        std::error_code error;
        if (!frame.folder->Identity(frame.identity, error)) {
            AskAboutUnreadable();
            return !context_.cancel.IsRaised();
        }
        if (onPath_.count(Key(frame.identity)) != 0) return true;  // a link back up: a loop
        FolderContents contents = ReadFolderContents(*frame.folder, options_.filePattern, options_.showHidden, error,
                                                     [this] { return !pump_.PumpAndCheck(context_.cancel); });
        if (context_.cancel.IsRaised()) return false;
        if (error) {
            AskAboutUnreadable();
            return !context_.cancel.IsRaised();
        }
        visitor_.EnterFolder(path_);
        for (const std::string& file : contents.files) {
            if (pump_.PumpAndCheck(context_.cancel)) return false;
            visitor_.VisitFile(path_, *frame.folder, file);
        }
        if (contents.subfolders.empty()) return true;
        frame.subfolders = std::move(contents.subfolders);
        onPath_.insert(Key(frame.identity));
        stack_.push_back(std::move(frame));
        const std::size_t depth = stack_.size() - 1;
        if (depth > kOpenFolderWindow) stack_[depth - kOpenFolderWindow].folder.reset();
        return true;
    }

    // Opens a closed ancestor again, one component at a time from the nearest open one, and
    // checks that it is still the same folder.
    bool ReopenIfClosed(std::size_t index) {
        if (stack_[index].folder) return true;
        std::size_t open = index;
        while (!stack_[open].folder) --open;  // the start folder stays open
        std::error_code error;
        std::unique_ptr<platform::OpenFolder> current;
        const platform::OpenFolder* base = stack_[open].folder.get();
        for (std::size_t i = open + 1; i <= index; ++i) {
            const Frame& frame = stack_[i];
            const std::string name = path_.substr(frame.nameStart, frame.pathLength - frame.nameStart);
            std::unique_ptr<platform::OpenFolder> next = base->OpenInside(name, error);
            if (!next) return false;
            current = std::move(next);
            base = current.get();
        }
        platform::FolderIdentity identity;
        if (!current->Identity(identity, error) || !(identity == stack_[index].identity)) return false;
        stack_[index].folder = std::move(current);
        // Ancestors reopened earlier would otherwise pile up open far above the window.
        for (std::size_t i = 1; i + kOpenFolderWindow <= index; ++i) stack_[i].folder.reset();
        return true;
    }

    void AskAboutUnreadable() {
        if (context_.dialogs.AskYesNo(path_ + std::string(kFolderReadFailedQuestion))) context_.cancel.Raise();
    }

    const FolderWalkOptions& options_;
    FolderWalkVisitor& visitor_;
    JobContext& context_;
    ThrottledPump pump_;
    std::string path_;  // the folder being entered or left
    std::vector<Frame> stack_;
    std::set<std::pair<std::uint64_t, std::uint64_t>> onPath_;
};

}  // namespace

ThrottledPump::ThrottledPump(ProgressSink& progress)
    : progress_(progress), nextPump_(std::chrono::steady_clock::now()) {}

bool ThrottledPump::PumpAndCheck(const CancelFlag& cancel) {
    if (std::chrono::steady_clock::now() >= nextPump_) PumpNow();
    return cancel.IsRaised();
}

void ThrottledPump::PumpNow() {
    nextPump_ = std::chrono::steady_clock::now() + kPumpInterval;
    progress_.Pump();
}

void AppendChildPath(std::string& path, std::string_view name) { platform::AppendToPath(path, name); }

WalkEnd WalkFolderTree(const std::string& start, const FolderWalkOptions& options, FolderWalkVisitor& visitor,
                       JobContext& context) {
    return Walk(options, visitor, context).Run(start);
}

}  // namespace pelmora
