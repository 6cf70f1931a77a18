#include "tools/tree/tree_drawing.h"

#include <vector>

#include "listing/engine/folder_walker.h"
#include "listing/engine/path_ops.h"
#include "listing/text/wildcard_pattern.h"

namespace pelmora {
namespace {

constexpr std::string_view kNoSubfolders = "サブフォルダーは存在しません";

struct Strokes {
    std::string_view branch;  // a subfolder that has siblings after it
    std::string_view last;    // the last subfolder of its folder
    std::string_view through; // the column below a non-last subfolder
};

constexpr Strokes kBoxStrokes{"├─", "└─", "│  "};
constexpr Strokes kAsciiStrokes{"+---", "\\---", "|   "};
constexpr std::string_view kBlank = "    ";

// Turns the walk, which enters the folders in pre-order with the number of subfolders of
// each, into the tree's lines: a folder's line needs to know whether it is the last
// subfolder of its parent, which the count of the parent tells.
class TreeDrawingVisitor : public FolderWalkVisitor {
public:
    TreeDrawingVisitor(const TreeOptions& options, TreeLineSink& sink)
        : options_(options), sink_(sink), strokes_(options.ascii ? kAsciiStrokes : kBoxStrokes) {}

    void ReadFiles(const std::string&, const platform::OpenFolder&, const std::vector<std::string>& names,
                   FolderBatch& batch, const KeepReading& keepGoing) const override {
        for (const std::string& name : names) {
            if (!keepGoing()) return;
            batch.lines.Add(name);
        }
    }

    void EnterFolder(const std::string& path, FolderBatch& batch, std::size_t subfolders) override {
        std::string prefix;
        if (!open_.empty()) {
            while (open_.back().subfoldersLeft == 0) open_.pop_back();
            Level& parent = open_.back();
            const bool last = --parent.subfoldersLeft == 0;
            line_.assign(parent.prefix).append(last ? strokes_.last : strokes_.branch).append(FileNameOf(path));
            sink_.Line(line_);
            prefix.assign(parent.prefix).append(last ? kBlank : strokes_.through);
        } else {
            startHasSubfolders_ = subfolders != 0;
        }
        if (options_.showFiles && batch.lines.Count() != 0) {
            const std::size_t length = prefix.size();
            prefix.append(subfolders == 0 ? kBlank : strokes_.through);
            for (std::size_t i = 0; i < batch.lines.Count(); ++i) {
                line_.assign(prefix).append(batch.lines.At(i));
                sink_.Line(line_);
            }
            sink_.Line(prefix);
            prefix.resize(length);
        }
        open_.push_back({std::move(prefix), subfolders});
    }

    bool StartHasSubfolders() const { return startHasSubfolders_; }

private:
    struct Level {
        std::string prefix;  // what stands before the lines of the folder's subfolders
        std::size_t subfoldersLeft;
    };

    const TreeOptions& options_;
    TreeLineSink& sink_;
    Strokes strokes_;
    std::vector<Level> open_;  // the folders on the walk path
    std::string line_;
    bool startHasSubfolders_ = false;
};

}  // namespace

bool DrawFolderTree(const std::string& start, const TreeOptions& options, JobContext& context, TreeLineSink& sink) {
    sink.Line(start);
    TreeDrawingVisitor visitor(options, sink);
    const WildcardPattern everyName("");
    FolderWalkOptions walk;
    walk.filePattern = options.showFiles ? &everyName : nullptr;
    walk.enterEverySubfolder = true;
    walk.threads = options.threads;
    if (WalkFolderTree(start, walk, visitor, context) == WalkEnd::Cancelled) return false;
    if (!visitor.StartHasSubfolders()) {
        sink.Line(kNoSubfolders);
        sink.Line("");
    }
    return true;
}

}  // namespace pelmora
