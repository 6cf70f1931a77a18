#pragma once
// What long work takes from its caller: progress display, the cancel flag, questions,
// messages, the clipboard, the save dialog and the file system it reads. The window, the headless lister and the
// tests each supply their own implementations, so one engine serves all three.

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/file_system_service.h"

namespace pelmora {

// Raised by the progress dialog's cancel button or by a "stop?" question answered yes.
// Kept between commands; only the next collector (or the result sort) clears it.
class CancelFlag {
public:
    void Reset() { value_.store(0, std::memory_order_relaxed); }
    void Raise() { value_.store(1, std::memory_order_relaxed); }
    bool IsRaised() const { return value_.load(std::memory_order_relaxed) != 0; }

private:
    std::atomic<int> value_{0};
};

// The progress dialog as the engine sees it. Placement and blinking are the window's business.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Shows the dialog with its activity text; the cancel button only when the work can stop.
    virtual void Open(const std::string& activity, bool cancellable) = 0;
    virtual void SetActivity(const std::string& activity) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Lets pending window events run (the cancel button among them). The engine calls it
    // between work items, throttled by time, so a cancel is seen within 100 ms.
    virtual void Pump() = 0;
};

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    virtual void ShowMessage(const std::string& text) = 0;  // OK box with the title "Pelmora"
    // The same with the warning or the error icon, where the window has icons.
    virtual void ShowWarning(const std::string& text) { ShowMessage(text); }
    virtual void ShowError(const std::string& text) { ShowMessage(text); }
    virtual bool AskYesNo(const std::string& text) = 0;     // true for Yes
    // Whether to stop at a folder a walk cannot read (text: the whole question; reason: why
    // the folder could not be read). True stops the walk; false skips the folder. The
    // window asks it as any other question; a run in a terminal may have a rule for it.
    virtual bool AskStopAtUnreadableFolder(const std::string& folder, const std::error_code& reason,
                                           const std::string& text) {
        (void)folder;
        (void)reason;
        return AskYesNo(text);
    }
    virtual void Beep() = 0;
};

class ClipboardSink {
public:
    virtual ~ClipboardSink() = default;
    virtual void SetText(const std::string& text) = 0;  // replaces the clipboard's text
    // The same for a text nobody changes any more: a sink that keeps the text until later
    // (rather than handing it on at once) shares it instead of copying, so a big listing is
    // not held twice.
    virtual void SetSharedText(const std::shared_ptr<const std::string>& text) { SetText(*text); }
    virtual void Clear() = 0;
};

struct SaveRequest {
    std::string title;         // "取得したファイル名を保存します"
    std::string filter;        // "*.txt|*.txt|*.csv|*.csv|*.*|*.*"
    std::string startFolder;   // empty: the user's home folder
    std::string proposedName;  // name + "(" + mmdd-hhmmss + ")"
};

class SaveDialog {
public:
    virtual ~SaveDialog() = default;
    // The chosen path, or nothing when the user cancelled. The dialog asks before overwriting.
    virtual std::optional<std::string> AskSavePath(const SaveRequest& request) = 0;
};

struct JobContext {
    ProgressSink& progress;
    CancelFlag& cancel;
    UserDialogs& dialogs;
    ClipboardSink& clipboard;
    SaveDialog& saveDialog;
    // Null: each path is read through the file system the platform picks for it.
    platform::FileSystem* fileSystem = nullptr;
};

// The file system the job reads path through.
inline platform::FileSystem& FileSystemOf(const JobContext& context, std::string_view path) {
    return context.fileSystem != nullptr ? *context.fileSystem : platform::FileSystemFor(path);
}

}  // namespace pelmora
