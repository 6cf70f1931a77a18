#pragma once
// Keeping a result on the clipboard after the program has ended. On X11 and Wayland the
// clipboard is served by the program that set it and is gone when that program ends, so a
// run without a window hands its text to a detached copy of itself: `pelmora
// --keep-clipboard` takes the clipboard and serves it until another program takes it.

#include <chrono>
#include <string>
#include <string_view>

#include "app/command_line.h"
#include "listing/engine/job_context.h"

namespace pelmora {

// Starts the keeper for the display that Qt's platform plugin `platformName` ("xcb",
// "wayland") reaches. True once the keeper reports that it owns the clipboard.
bool KeepTextOnClipboard(const std::string& text, const std::string& platformName,
                         std::chrono::milliseconds timeout = std::chrono::seconds(20));

// At the window program's end: when the program still owns the clipboard's text (the last
// result), a keeper takes it over, so it can still be pasted after the window closed.
void KeepOwnedClipboardText();

// The keeper itself (`pelmora --keep-clipboard -platform NAME`, text on standard input).
// Answers "owned" or "failed" on standard output, then serves the clipboard until another
// program takes it. Returns the exit status.
int RunClipboardKeeper(int argc, char** argv);

// The clipboard of a run without a window: each text goes to a keeper. When no keeper can
// take the clipboard the text is written to standard output instead and the user is told.
class KeptClipboard : public ClipboardSink {
public:
    KeptClipboard(std::string platformName, UserDialogs& dialogs);
    void SetText(const std::string& text) override;
    void Clear() override;

private:
    std::string platformName_;
    UserDialogs& dialogs_;
};

}  // namespace pelmora
