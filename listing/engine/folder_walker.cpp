#include "listing/engine/folder_walker.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "i18n/translation.h"
#include "listing/engine/listing_messages.h"
#include "platform/allocator_tuning.h"
#include "platform/file_system.h"

namespace pelmora {

namespace {

constexpr auto kPumpInterval = std::chrono::milliseconds(30);
constexpr std::size_t kMostThreads = 8;

// Read-ahead bounds: folders read by the workers and not yet taken in walk order, and the
// bytes of what their files gave. Beyond them the workers wait for the walk to catch up.
constexpr std::size_t kReadAheadFolders = 4096;
constexpr std::size_t kReadAheadBytes = std::size_t{4} << 20;
// What a folder's files gave from which its memory is handed back to the system once taken.
constexpr std::size_t kLargeFolderBytes = std::size_t{1} << 20;

// Folders kept open for opening their subfolders relative to them. Past this a folder is
// closed once read, and its subfolders are opened by path (or, for paths too long for the
// system, one name at a time from the start folder, which stays open).
constexpr std::size_t kOpenFolderBudget = 256;
constexpr std::size_t kShortPath = 1024;

enum class NodeState { Queued, Claimed, Done };
enum class NodeEnd { Entered, Unreadable, Loop, Stopped, Failed };

struct Node {
    Node* parent = nullptr;
    std::string name;  // in the parent; the start folder's path for the start
    // The fields below belong to the thread that claimed the node until it is Done.
    NodeState state = NodeState::Queued;  // guarded by the walk's mutex
    bool readAhead = false;               // claimed by a worker: counted in the read-ahead
    bool linked = false;                  // a link to a folder, not to be followed
    NodeEnd end = NodeEnd::Stopped;
    std::error_code unreadableReason;  // why an Unreadable folder could not be read
    platform::FolderIdentity identity;
    std::unique_ptr<platform::OpenFolder> folder;  // open while subfolders still need it
    std::string path;                              // kept while subfolders still need it
    std::atomic<std::size_t> unopenedChildren{0};
    FolderBatch batch;
    std::size_t bytes = 0;
    std::vector<std::unique_ptr<Node>> children;  // in walk order
    std::exception_ptr failure;
};

struct Frame {
    Node* node = nullptr;
    std::size_t nextChild = 0;
    std::size_t pathLength = 0;
};

std::string PathOf(const Node& node) {
    std::vector<const Node*> chain;
    for (const Node* at = &node; at != nullptr; at = at->parent) chain.push_back(at);
    std::string path = chain.back()->name;
    for (auto at = chain.rbegin() + 1; at != chain.rend(); ++at) AppendChildPath(path, (*at)->name);
    return path;
}

class Walk {
public:
    Walk(const FolderWalkOptions& options, FolderWalkVisitor& visitor, JobContext& context)
        : options_(options), visitor_(visitor), context_(context), pump_(context.progress) {}

    ~Walk() {
        StopWorkers();
        // Children before their parents, so that a deep tree does not recurse on destruction.
        std::vector<std::unique_ptr<Node>> all;
        all.push_back(std::move(root_));
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (!all[i]) continue;
            for (auto& child : all[i]->children) all.push_back(std::move(child));
        }
        while (!all.empty()) all.pop_back();
    }

    WalkEnd Run(const std::string& start) {
        path_ = start;
        path_.resize(platform::WithoutTrailingSeparators(path_).size());
        root_ = std::make_unique<Node>();
        root_->name = path_;
        const std::size_t threads = options_.threads != 0
                                        ? options_.threads
                                        : WalkThreadCount(FileSystemOf(context_, path_).PreferredWalkThreads());
        if (threads > 1) {
            parallel_ = true;
            queue_.push_back(root_.get());
            // The calling thread reads ahead too while it waits: it is one of the pool.
            for (std::size_t i = 1; i < threads; ++i) workers_.emplace_back([this] { WorkerLoop(); });
        }
        if (!Take(*root_) || !Visit(*root_)) return Ended();
        while (!stack_.empty()) {
            if (context_.cancel.IsRaised()) return Ended();
            Frame& top = stack_.back();
            if (top.nextChild >= top.node->children.size()) {
                stack_.pop_back();
                continue;
            }
            Node& child = *top.node->children[top.nextChild++];
            path_.resize(top.pathLength);
            AppendChildPath(path_, child.name);
            if (!Take(child) || !Visit(child)) return Ended();
        }
        return Ended();
    }

private:
    WalkEnd Ended() {
        StopWorkers();
        return context_.cancel.IsRaised() ? WalkEnd::Cancelled : WalkEnd::Completed;
    }

    void StopWorkers() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_.store(true, std::memory_order_relaxed);
        }
        workReady_.notify_all();
        for (std::thread& worker : workers_) worker.join();
        workers_.clear();
    }

    bool Stopping() const { return stop_.load(std::memory_order_relaxed) || context_.cancel.IsRaised(); }

    void WorkerLoop() {
        const KeepReading keepGoing = [this] { return !Stopping(); };
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            workReady_.wait(lock, [this] {
                return stop_.load(std::memory_order_relaxed) ||
                       (!queue_.empty() && readAheadFolders_ < kReadAheadFolders && readAheadBytes_ < kReadAheadBytes);
            });
            if (stop_.load(std::memory_order_relaxed)) return;
            Node* node = ClaimNext();
            if (node == nullptr) continue;
            lock.unlock();
            Read(*node, keepGoing);
            lock.lock();
            Finish(*node);
        }
    }

    // The next folder to read ahead, claimed; null when there is none or the bounds are
    // reached. Called with the mutex held.
    Node* ClaimNext() {
        while (!queue_.empty() && readAheadFolders_ < kReadAheadFolders && readAheadBytes_ < kReadAheadBytes) {
            Node* node = queue_.back();
            queue_.pop_back();
            if (node->state != NodeState::Queued) continue;  // the walk took it itself
            node->state = NodeState::Claimed;
            node->readAhead = true;
            ++readAheadFolders_;
            return node;
        }
        return nullptr;
    }

    // The walk order has reached node: waits for a worker reading it, or reads it on this
    // thread when none has taken it yet. False when the walk is to stop.
    bool Take(Node& node) {
        std::unique_lock<std::mutex> lock(mutex_);
        while (node.state != NodeState::Done) {
            if (node.state == NodeState::Queued) {
                node.state = NodeState::Claimed;
                lock.unlock();
                if (pump_.PumpAndCheck(context_.cancel)) return false;
                Read(node, [this] { return !pump_.PumpAndCheck(context_.cancel); });
                lock.lock();
                Finish(node);
                break;
            }
            // A worker reads it: meanwhile this thread reads ahead too, rather than wait.
            if (Node* other = ClaimNext()) {
                lock.unlock();
                Read(*other, [this] { return !pump_.PumpAndCheck(context_.cancel); });
                lock.lock();
                Finish(*other);
                continue;
            }
            lock.unlock();
            if (pump_.PumpAndCheck(context_.cancel)) return false;
            lock.lock();
            folderDone_.wait_for(lock, pump_.UntilDue(), [&node] { return node.state == NodeState::Done; });
        }
        if (node.readAhead) {
            // Workers wait on the bounds only when they were reached.
            const bool full = readAheadFolders_ >= kReadAheadFolders || readAheadBytes_ >= kReadAheadBytes;
            --readAheadFolders_;
            readAheadBytes_ -= node.bytes;
            lock.unlock();
            if (full) workReady_.notify_all();
        }
        return true;
    }

    // Called with the mutex held.
    void Finish(Node& node) {
        node.state = NodeState::Done;
        node.bytes = node.batch.Bytes();
        if (node.readAhead) readAheadBytes_ += node.bytes;
        if (parallel_) {
            for (auto child = node.children.rbegin(); child != node.children.rend(); ++child)
                queue_.push_back(child->get());
            if (node.children.size() == 1) {
                workReady_.notify_one();
            } else if (!node.children.empty()) {
                workReady_.notify_all();
            }
        }
        folderDone_.notify_all();
    }

    // Acts on a folder taken in walk order. False when the walk is to stop.
    bool Visit(Node& node) {
        switch (node.end) {
            case NodeEnd::Failed:
                std::rethrow_exception(node.failure);
            case NodeEnd::Stopped:
                return false;
            case NodeEnd::Loop:
                return true;
            case NodeEnd::Unreadable:
                if (context_.dialogs.AskStopAtUnreadableFolder(path_, node.unreadableReason,
                                                               path_ + Translated(kFolderReadFailedQuestion)))
                    context_.cancel.Raise();
                return !context_.cancel.IsRaised();
            case NodeEnd::Entered:
                break;
        }
        if (pump_.PumpAndCheck(context_.cancel)) return false;
        visitor_.EnterFolder(path_, node.batch, node.children.size());
        node.batch.Release();
        // A folder of very many files leaves megabytes of freed blocks (its names, their
        // order, its lines) in the C library's heap, which keeps them: given back at once,
        // they do not stay on top of the listing text until the end.
        if (node.bytes >= kLargeFolderBytes) platform::ReturnFreeHeapMemory();
        if (!node.children.empty()) stack_.push_back({&node, 0, path_.size()});
        return true;
    }

    // Opens, reads and works on one folder, on whichever thread claimed it.
    void Read(Node& node, const KeepReading& keepGoing) {
        try {
            node.end = ReadFolder(node, keepGoing);
        } catch (...) {
            node.failure = std::current_exception();
            node.end = NodeEnd::Failed;
            node.batch.Release();
            node.children.clear();
        }
    }

    NodeEnd ReadFolder(Node& node, const KeepReading& keepGoing) {
        if (node.linked) {
            ChildOpened(*node.parent);
            return NodeEnd::Entered;
        }
        // Drawing a tree, a folder that gives nothing is still entered, empty.
        const NodeEnd unreadable = options_.enterEverySubfolder ? NodeEnd::Entered : NodeEnd::Unreadable;
        std::error_code error;
        // The parent's path stays until its last subfolder is opened (or the walk ends).
        std::string path;
        if (node.parent != nullptr && !node.parent->path.empty()) {
            path = node.parent->path;
            AppendChildPath(path, node.name);
        } else {
            path = PathOf(node);
        }
        std::unique_ptr<platform::OpenFolder> folder = Open(node, path, error);
        if (!folder || !folder->Identity(node.identity, error)) {
            node.unreadableReason = error;
            return unreadable;
        }
        for (const Node* above = node.parent; above != nullptr; above = above->parent) {
            // A link (or a mount) back up.
            if (above->identity == node.identity) return options_.enterEverySubfolder ? NodeEnd::Entered : NodeEnd::Loop;
        }
        std::vector<std::string> linked;
        FolderContents contents = ReadFolderContents(*folder, options_.filePattern, options_.showHidden, error,
                                                     keepGoing, options_.enterEverySubfolder ? &linked : nullptr);
        if (Stopping()) return NodeEnd::Stopped;
        if (error && !options_.enterEverySubfolder) {
            node.unreadableReason = error;
            return NodeEnd::Unreadable;
        }
        std::sort(linked.begin(), linked.end());
        if (!contents.files.empty()) visitor_.ReadFiles(path, *folder, contents.files, node.batch, keepGoing);
        if (Stopping()) {
            node.batch.Release();
            return NodeEnd::Stopped;
        }
        if (contents.subfolders.empty()) return NodeEnd::Entered;
        node.children.reserve(contents.subfolders.size());
        for (std::string& name : contents.subfolders) {
            node.children.push_back(std::make_unique<Node>());
            node.children.back()->parent = &node;
            node.children.back()->linked = std::binary_search(linked.begin(), linked.end(), name);
            node.children.back()->name = std::move(name);
        }
        node.unopenedChildren.store(node.children.size(), std::memory_order_relaxed);
        node.path = std::move(path);
        if (node.parent == nullptr || openFolders_.load(std::memory_order_relaxed) < kOpenFolderBudget) {
            openFolders_.fetch_add(1, std::memory_order_relaxed);
            node.folder = std::move(folder);
        }
        return NodeEnd::Entered;
    }

    std::unique_ptr<platform::OpenFolder> Open(Node& node, const std::string& path, std::error_code& error) {
        if (node.parent == nullptr) return FileSystemOf(context_, path).OpenFolderAt(path, error);
        Node& parent = *node.parent;
        std::unique_ptr<platform::OpenFolder> folder;
        if (parent.folder) {
            folder = parent.folder->OpenInside(node.name, error);
        } else if (path.size() < kShortPath) {
            folder = FileSystemOf(context_, path).OpenFolderAt(path, error);
        } else {
            folder = OpenFromStart(node, error);
        }
        ChildOpened(parent);
        return folder;
    }

    // The last subfolder opened closes its parent (never the start folder).
    void ChildOpened(Node& parent) {
        if (parent.unopenedChildren.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            std::string().swap(parent.path);
            if (parent.parent != nullptr && parent.folder) {
                parent.folder.reset();
                openFolders_.fetch_sub(1, std::memory_order_relaxed);
            }
        }
    }

    // One name at a time from the start folder, for a path too long to open whole.
    std::unique_ptr<platform::OpenFolder> OpenFromStart(const Node& node, std::error_code& error) {
        std::vector<const Node*> chain;
        for (const Node* at = &node; at->parent != nullptr; at = at->parent) chain.push_back(at);
        std::unique_ptr<platform::OpenFolder> current;
        const platform::OpenFolder* base = root_->folder.get();
        for (auto at = chain.rbegin(); at != chain.rend(); ++at) {
            std::unique_ptr<platform::OpenFolder> next = base->OpenInside((*at)->name, error);
            if (!next) return nullptr;
            current = std::move(next);
            base = current.get();
        }
        return current;
    }

    const FolderWalkOptions& options_;
    FolderWalkVisitor& visitor_;
    JobContext& context_;
    ThrottledPump pump_;  // the calling thread's only
    std::string path_;    // the folder being entered, in walk order
    std::vector<Frame> stack_;
    std::unique_ptr<Node> root_;

    std::mutex mutex_;
    std::condition_variable workReady_, folderDone_;
    std::vector<Node*> queue_;  // last in, first out: close to walk order
    std::size_t readAheadFolders_ = 0;
    std::size_t readAheadBytes_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<std::size_t> openFolders_{0};
    bool parallel_ = false;  // set before the workers start
    std::vector<std::thread> workers_;
};

}  // namespace

void FolderWalkVisitor::ReadFiles(const std::string&, const platform::OpenFolder&, const std::vector<std::string>&,
                                  FolderBatch&, const KeepReading&) const {}

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

std::chrono::steady_clock::duration ThrottledPump::UntilDue() const {
    return std::max(nextPump_ - std::chrono::steady_clock::now(), std::chrono::steady_clock::duration::zero());
}

std::size_t WalkThreadCount(std::size_t fileSystemHint) {
    if (const char* chosen = std::getenv("PELMORA_WALK_THREADS")) {
        const long count = std::strtol(chosen, nullptr, 10);
        if (count >= 1 && count <= 64) return static_cast<std::size_t>(count);
    }
    if (fileSystemHint != 0) return fileSystemHint;
    const std::size_t cores = std::thread::hardware_concurrency();
    return std::clamp<std::size_t>(cores, 1, kMostThreads);
}

void AppendChildPath(std::string& path, std::string_view name) { platform::AppendToPath(path, name); }

WalkEnd WalkFolderTree(const std::string& start, const FolderWalkOptions& options, FolderWalkVisitor& visitor,
                       JobContext& context) {
    return Walk(options, visitor, context).Run(start);
}

}  // namespace pelmora
