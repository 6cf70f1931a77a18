#pragma once
// The job context of a run without a window (the headless lister, and the program's
// command-line run where there is no display): the clipboard text goes to standard output
// byte for byte; messages, questions and progress go to standard error. A question is
// answered yes when the caller says so (--yes), otherwise read from the terminal on standard
// input, and no without one. A save offered by a write switch is skipped with a note.

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <string>
#include <utility>

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

class ConsoleDialogs : public UserDialogs {
public:
    ConsoleDialogs(bool answerYes, bool inputIsTerminal) : answerYes_(answerYes), inputIsTerminal_(inputIsTerminal) {}
    // Nothing reaches a clipboard here: the line saying so is left out, a count after it kept.
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    void Beep() override;
    // Messages shown so far, so a caller can tell a failure that said nothing.
    std::size_t MessageCount() const { return messageCount_; }

private:
    bool answerYes_;
    bool inputIsTerminal_;
    std::size_t messageCount_ = 0;
};

class StandardOutputClipboard : public ClipboardSink {
public:
    void SetText(const std::string& text) override;
    void Clear() override {}
    bool WriteFailed() const { return writeFailed_; }

private:
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
    ConsoleJobContext(bool answerYes, bool errorIsTerminal, bool inputIsTerminal, std::string saveSkippedNote)
        : progress(errorIsTerminal), dialogs(answerYes, inputIsTerminal), saveDialog(std::move(saveSkippedNote)) {}
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
