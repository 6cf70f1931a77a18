#pragma once
// The walk below a folder shared by the recursive listings: pre-order, the files of a folder
// before its subfolders, both in the browser lists' order and with their rules (see
// folder_contents.h). The walk keeps its own stack instead of the call stack, so any depth
// works, and opens each folder relative to its parent, so paths longer than the system
// accepts still work. A folder that is already on the current walk path (reached again
// through a link) is not entered again, which ends link loops. A folder that cannot be read
// asks whether to stop; "no" skips it and carries on. The folders are read through the
// context's file system.

#include <chrono>
#include <string>

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

private:
    ProgressSink& progress_;
    std::chrono::steady_clock::time_point nextPump_;
};

class FolderWalkVisitor {
public:
    virtual ~FolderWalkVisitor() = default;
    // A folder is entered; path without trailing separator (except the root "/").
    virtual void EnterFolder(const std::string& path) = 0;
    // A file of the folder just entered; folder is open for look-ups relative to it.
    virtual void VisitFile(const std::string& folderPath, const platform::OpenFolder& folder,
                           const std::string& name) = 0;
};

struct FolderWalkOptions {
    const WildcardPattern* filePattern = nullptr;  // null: folders only, no file is visited
    bool showHidden = false;
};

enum class WalkEnd { Completed, Cancelled };

// Walks from start (which is entered first). Cancelled when the cancel flag was raised,
// by the caller or by a "stop" answer to the unreadable-folder question.
WalkEnd WalkFolderTree(const std::string& start, const FolderWalkOptions& options, FolderWalkVisitor& visitor,
                       JobContext& context);

// start + separator + name, for the paths the walk reports.
void AppendChildPath(std::string& path, std::string_view name);

}  // namespace pelmora
