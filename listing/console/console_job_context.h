#pragma once
// The job context of a run without a window (the headless lister, and the program's
// command-line run where there is no display): the clipboard text goes to standard output
// byte for byte; messages, questions and progress go to standard error. A question is
// answered yes when the caller says so (--yes), otherwise read from the terminal on standard
// input, and no without one; the question about an unreadable folder follows a rule of its
// own (UnreadableFolderRule). A save offered by a write switch is skipped with a note.

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "listing/engine/job_context.h"

namespace pelmora {

class ConsoleProgress : public ProgressSink {
public:
    explicit ConsoleProgress(bool onTerminal) : onTerminal_(onTerminal) {}
    void Open(const std::string& activity, bool cancellable) override;
    void SetActivity(const std::string& activity) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    void Pump() override;

private:
    void Show();
    bool onTerminal_;
    bool open_ = false;
    std::string activity_;
    std::chrono::steady_clock::time_point started_;
    std::chrono::steady_clock::time_point nextShow_;
};

// How the question about a folder a walk cannot read is answered. --yes is not taken for
// it: it answers the questions that start a command, and stopping a walk is no such one.
enum class UnreadableFolderRule {
    Ask,   // on the terminal; stop without one
    Skip,  // skip it and go on
    Stop,  // stop the walk
};

// A folder a walk could not read, and what became of it.
struct UnreadableFolder {
    std::string path;
    std::error_code reason;
    bool skipped = false;
};

class ConsoleDialogs : public UserDialogs {
public:
    ConsoleDialogs(bool answerYes, bool inputIsTerminal, UnreadableFolderRule unreadableRule = UnreadableFolderRule::Ask)
        : answerYes_(answerYes), inputIsTerminal_(inputIsTerminal), unreadableRule_(unreadableRule) {}
    // Nothing reaches a clipboard here: the line saying so is left out, a count after it kept.
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    // Answered by the rule; the rules Skip and Stop say nothing here, so the caller reports
    // the folders (UnreadableFolders) once the walk is over.
    bool AskStopAtUnreadableFolder(const std::string& folder, const std::error_code& reason,
                                   const std::string& text) override;
    void Beep() override;
    // Messages shown so far, so a caller can tell a failure that said nothing.
    std::size_t MessageCount() const { return messageCount_; }
    // Every folder a walk could not read, in walk order.
    const std::vector<UnreadableFolder>& UnreadableFolders() const { return unreadable_; }

private:
    bool ReadAnswerFromTerminal();
    bool answerYes_;
    bool inputIsTerminal_;
    UnreadableFolderRule unreadableRule_;
    std::size_t messageCount_ = 0;
    std::vector<UnreadableFolder> unreadable_;
};

class StandardOutputClipboard : public ClipboardSink {
public:
    // Held: the text is kept until WriteHeld, so a caller that fails later can leave
    // standard output empty (the clipboard's rule: the last text given wins).
    explicit StandardOutputClipboard(bool held = false) : held_(held) {}
    void SetText(const std::string& text) override;
    // Held, the text is kept shared with the caller, not copied.
    void SetSharedText(const std::shared_ptr<const std::string>& text) override;
    void Clear() override { heldText_.reset(); }
    // Writes the held text; false (and WriteFailed) when standard output refuses it.
    bool WriteHeld();
    bool WriteFailed() const { return writeFailed_; }

private:
    bool Write(const std::string& text);
    bool held_;
    std::shared_ptr<const std::string> heldText_;  // null: nothing held
    bool writeFailed_ = false;
};

class SkippedSaveDialog : public SaveDialog {
public:
    // note: what standard error is told, followed by the proposed file name.
    explicit SkippedSaveDialog(std::string note) : note_(std::move(note)) {}
    std::optional<std::string> AskSavePath(const SaveRequest& request) override;

private:
    std::string note_;
};

struct ConsoleJobContext {
    // holdOutput: see StandardOutputClipboard.
    ConsoleJobContext(bool answerYes, bool errorIsTerminal, bool inputIsTerminal, std::string saveSkippedNote,
                      UnreadableFolderRule unreadableRule = UnreadableFolderRule::Ask, bool holdOutput = false)
        : progress(errorIsTerminal),
          dialogs(answerYes, inputIsTerminal, unreadableRule),
          clipboard(holdOutput),
          saveDialog(std::move(saveSkippedNote)) {}
    ConsoleProgress progress;
    CancelFlag cancel;
    ConsoleDialogs dialogs;
    StandardOutputClipboard clipboard;
    SkippedSaveDialog saveDialog;
    JobContext context{progress, cancel, dialogs, clipboard, saveDialog};
};

// The program's CR LF texts with plain line ends, for a terminal.
std::string ForTerminal(const std::string& text);

}  // namespace pelmora
