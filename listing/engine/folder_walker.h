#pragma once
// The walk below a folder shared by the recursive listings: pre-order, the files of a folder
// before its subfolders, both in the browser lists' order and with their rules (see
// folder_contents.h). Each folder is opened relative to its parent where it can be, so paths
// longer than the system accepts still work. A folder that is already on the walk path
// (reached again through a link) is not entered again, which ends link loops. A folder that
// cannot be read asks whether to stop; "no" skips it and carries on. The folders are read
// through the context's file system.
//
// A small pool of threads (the calling one among them) reads folders and works on their
// files ahead of the walk order; the calling thread takes the folders in walk order, asks the
// questions and lets its events run, so the result does not depend on the threads' timing. Read-ahead is bounded in folders and
// in bytes, and a stop (cancel, or "yes" to the question) ends the workers and drops what
// they read past it.

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "listing/engine/folder_batch.h"
#include "listing/engine/folder_contents.h"
#include "listing/engine/job_context.h"
#include "listing/text/wildcard_pattern.h"
#include "platform/file_system_service.h"

namespace pelmora {

// Lets the caller's events run at most every few dozen milliseconds, however often it is
// called, so that per-item calls stay cheap and a cancel is still seen within 100 ms.
class ThrottledPump {
public:
    explicit ThrottledPump(ProgressSink& progress);
    // Pumps when due; true when the cancel flag is raised.
    bool PumpAndCheck(const CancelFlag& cancel);
    void PumpNow();
    // How long until the next pump is due (zero when it is).
    std::chrono::steady_clock::duration UntilDue() const;

private:
    ProgressSink& progress_;
    std::chrono::steady_clock::time_point nextPump_;
};

class FolderWalkVisitor {
public:
    virtual ~FolderWalkVisitor() = default;
    // What the files of one folder give, put into batch. Runs on a worker thread, several at
    // once for different folders, so it may not change the visitor. names are sorted; folder
    // is open for look-ups relative to it. Should return soon once keepGoing() is false.
    virtual void ReadFiles(const std::string& folderPath, const platform::OpenFolder& folder,
                           const std::vector<std::string>& names, FolderBatch& batch,
                           const KeepReading& keepGoing) const;
    // A folder is entered, on the calling thread and in walk order, with what ReadFiles gave
    // for its files and the number of its subfolders that the walk enters next. path without
    // trailing separator (except the root "/").
    virtual void EnterFolder(const std::string& path, FolderBatch& batch, std::size_t subfolders) = 0;
};

struct FolderWalkOptions {
    const WildcardPattern* filePattern = nullptr;  // null: folders only, no file is visited
    bool showHidden = false;
    // For drawing a tree, where every subfolder has its line: each one is entered. A link to
    // a folder is entered empty and not followed; a folder that cannot be read, or that is
    // reached again, is entered with what could be read, without a question.
    bool enterEverySubfolder = false;
    // Threads reading, the calling one among them; 0: WalkThreadCount(). 1 reads everything
    // on the calling thread.
    std::size_t threads = 0;
};

// The number of cores, at most 8, or PELMORA_WALK_THREADS from the environment (for
// benchmarks). fileSystemHint: what the file system asks for (FileSystem::PreferredWalkThreads;
// one for a network share, whose client library serves one request at a time); 0 for none.
std::size_t WalkThreadCount(std::size_t fileSystemHint = 0);

enum class WalkEnd { Completed, Cancelled };

// Walks from start (which is entered first). Cancelled when the cancel flag was raised,
// by the caller or by a "stop" answer to the unreadable-folder question.
WalkEnd WalkFolderTree(const std::string& start, const FolderWalkOptions& options, FolderWalkVisitor& visitor,
                       JobContext& context);

// start + separator + name, for the paths the walk reports.
void AppendChildPath(std::string& path, std::string_view name);

}  // namespace pelmora
