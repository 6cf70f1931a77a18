#include "listing/engine/folder_tree.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <utility>

#include "i18n/translation.h"
#include "listing/engine/listing_messages.h"
#include "listing/engine/listing_delivery.h"
#include "platform/command_script.h"
#include "platform/file_system.h"
#include "platform/native_path.h"

namespace pelmora {
namespace {

// The script and output file exist only while the command runs, whatever way it ends.
class TemporaryFiles {
public:
    TemporaryFiles(std::string script, std::string output) : script_(std::move(script)), output_(std::move(output)) {}
    ~TemporaryFiles() { Remove(); }
    void Remove() {
        std::remove(script_.c_str());
        std::remove(output_.c_str());
    }

private:
    std::string script_;
    std::string output_;
};

// Lines as the tree printer wrote them (CR LF or LF), after the two volume header lines,
// joined with CR LF and followed by one more.
std::string KeptTreeLines(std::istream& in) {
    std::string result;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (++number <= 2) continue;
        if (number > 3) result += "\r\n";
        result += line;
    }
    result += "\r\n";
    return result;
}

}  // namespace

std::string TreeSwitchText(const Settings& settings) {
    std::string switches;
    if (settings.TreeFile == "1") switches += " /F";
    if (settings.TreeAscii == "1") switches += " /A";
    return switches;
}

std::string TreeScriptName() { return std::string("px_tree") + platform::kCommandScriptExtension; }

std::string TreeScriptLine(const std::string& treeProgram, const std::string& folder, const std::string& outputPath,
                           const std::string& switches) {
    return platform::RedirectedCommandLine({treeProgram, folder}, outputPath, switches);
}

ListingOutcome ListFolderTree(const std::string& folder, const Settings& settings, const std::string& treeProgram,
                              const std::string& tempFolder, JobContext& job, platform::ProcessStarter& starter) {
    ListingOutcome outcome;
    if (!platform::FileExists(treeProgram)) {
        job.dialogs.ShowMessage(Translated(kTreeProgramMissing));
        outcome.failed = true;
        return outcome;
    }
    if (!job.dialogs.AskYesNo(Translated(kAskTree))) {
        job.dialogs.ShowMessage(Translated(kCancelledMessage));
        outcome.declined = true;
        return outcome;
    }
    job.cancel.Reset();
    job.progress.Open(Translated(kTreeActivity), false);
    job.progress.Pump();

    const std::string scriptPath = platform::JoinPath(tempFolder, TreeScriptName());
    const std::string outputPath = platform::JoinPath(tempFolder, kTreeOutputName);
    TemporaryFiles temporary(scriptPath, outputPath);
    auto fail = [&](UiText message, const std::string& path) {
        temporary.Remove();
        job.progress.Close();
        job.dialogs.ShowMessage(Translated(message) + path);
        outcome.failed = true;
        return outcome;
    };

    if (!platform::WriteCommandScript(scriptPath,
                                      TreeScriptLine(treeProgram, folder, outputPath, TreeSwitchText(settings)))) {
        return fail(kTreeScriptWriteFailed, scriptPath);
    }
    job.progress.Pump();

    const int seconds = settings.TreeWaitTime > 0 ? settings.TreeWaitTime : 1;
    switch (starter.RunCommandScript(scriptPath, std::chrono::seconds(seconds))) {
        case platform::ScriptRunOutcome::ScriptNotStarted:
            return fail(kTreeStartFailed, scriptPath);
        case platform::ScriptRunOutcome::ProgramNotStarted:
            return fail(kTreeStartFailed, treeProgram);
        case platform::ScriptRunOutcome::Finished:
        case platform::ScriptRunOutcome::TimedOut:  // ended; what it wrote by then is delivered
            break;
    }

    std::ifstream output(platform::NativePath(outputPath), std::ios::binary);
    if (!output) return fail(kTreeOutputReadFailed, outputPath);
    std::string text = KeptTreeLines(output);
    output.close();
    temporary.Remove();
    job.progress.Pump();

    // The tree's lines are drawings, not entries: nothing is counted.
    DeliverListing(std::move(text), 0, {{}, settings.TreeWrite, settings.TreeWriteName}, Translated(kTransferredToClipboard),
                   job, outcome);
    return outcome;
}

}  // namespace pelmora
