#pragma once
// The job context of the headless lister: the clipboard text goes to standard output byte
// for byte; messages, questions and progress go to standard error. A question is answered
// yes with --yes, otherwise read from the terminal on standard input, and no without one.
// A save offered by a write switch is skipped: the lister never writes files.

#include <chrono>
#include <cstdio>
#include <string>

#include "listing/job_context.h"

namespace pelmora::cli {

class StderrProgress : public ProgressSink {
public:
    explicit StderrProgress(bool onTerminal) : onTerminal_(onTerminal) {}
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

class StderrDialogs : public UserDialogs {
public:
    StderrDialogs(bool answerYes, bool inputIsTerminal) : answerYes_(answerYes), inputIsTerminal_(inputIsTerminal) {}
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    void Beep() override;

private:
    bool answerYes_;
    bool inputIsTerminal_;
};

class StdoutClipboard : public ClipboardSink {
public:
    void SetText(const std::string& text) override;
    void Clear() override {}
    bool WriteFailed() const { return writeFailed_; }

private:
    bool writeFailed_ = false;
};

class SkippedSaveDialog : public SaveDialog {
public:
    std::optional<std::string> AskSavePath(const SaveRequest& request) override;
};

struct CliJobContext {
    CliJobContext(bool answerYes, bool errorIsTerminal, bool inputIsTerminal)
        : progress(errorIsTerminal), dialogs(answerYes, inputIsTerminal) {}
    StderrProgress progress;
    CancelFlag cancel;
    StderrDialogs dialogs;
    StdoutClipboard clipboard;
    SkippedSaveDialog saveDialog;
    JobContext context{progress, cancel, dialogs, clipboard, saveDialog};
};

// The program's CR LF texts with plain line ends, for a terminal.
std::string ForTerminal(const std::string& text);

}  // namespace pelmora::cli
