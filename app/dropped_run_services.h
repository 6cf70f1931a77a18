#pragma once
// What a run without the main window supplies to the listing engine when there is no
// display: standard error and standard output. (With a display it uses the window program's
// message boxes and save dialog, and the clipboard keeper.)

#include <optional>
#include <string>

#include "listing/job_context.h"

namespace pelmora {

// The progress dialog is never shown in this run; pumping still lets the display's events
// (a clipboard request among them) run when there is a display.
class QuietProgress : public ProgressSink {
public:
    explicit QuietProgress(bool pumpEvents) : pumpEvents_(pumpEvents) {}
    void Open(const std::string&, bool) override {}
    void SetActivity(const std::string&) override {}
    void Close() override {}
    bool IsOpen() const override { return false; }
    void Pump() override;

private:
    bool pumpEvents_;
};

// Messages on standard error. A question is asked on the terminal when standard input is
// one; otherwise nobody can answer and it counts as "No".
class ConsoleDialogs : public UserDialogs {
public:
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    void Beep() override;
};

// Without a display there is no dialog to choose a file in: a note, and nothing is saved.
class NoDisplaySave : public SaveDialog {
public:
    std::optional<std::string> AskSavePath(const SaveRequest& request) override;
};

// Without a display the result is written to standard output, byte for byte.
class StandardOutputClipboard : public ClipboardSink {
public:
    void SetText(const std::string& text) override;
    void Clear() override {}
};

// The text with CR LF line ends turned into plain line feeds, for a terminal.
std::string WithPlainLineFeeds(const std::string& text);

}  // namespace pelmora
