#pragma once
// Recording stand-ins for what long work takes from its caller, shared by the listing tests.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "listing/engine/job_context.h"

namespace pelmora::testing {

class FakeProgress : public ProgressSink {
public:
    void Open(const std::string& activity, bool canCancel) override {
        open = true;
        cancellable = canCancel;
        activities.push_back(activity);
    }
    void SetActivity(const std::string& activity) override { activities.push_back(activity); }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    void Pump() override {
        ++pumps;
        if (onPump) onPump(pumps);
    }

    bool open = false;
    bool cancellable = false;
    int pumps = 0;
    std::vector<std::string> activities;
    std::function<void(int pumpCount)> onPump;  // e.g. press the cancel button at some point
};

class FakeDialogs : public UserDialogs {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        return answer;
    }
    void Beep() override { ++beeps; }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    bool answer = false;
    int beeps = 0;
};

class FakeClipboard : public ClipboardSink {
public:
    void SetText(const std::string& value) override {
        text = value;
        calls.push_back("SetText");
    }
    void Clear() override {
        text.clear();
        calls.push_back("Clear");
    }

    std::string text;
    std::vector<std::string> calls;
};

class FakeSaveDialog : public SaveDialog {
public:
    std::optional<std::string> AskSavePath(const SaveRequest& request) override {
        requests.push_back(request);
        return answer;
    }

    std::optional<std::string> answer;  // nothing: the user cancels
    std::vector<SaveRequest> requests;
};

// All fakes together with a JobContext wired to them.
struct FakeJobContext {
    FakeProgress progress;
    CancelFlag cancel;
    FakeDialogs dialogs;
    FakeClipboard clipboard;
    FakeSaveDialog saveDialog;
    JobContext context{progress, cancel, dialogs, clipboard, saveDialog};
};

// Every pump outlasts the pump interval, so every item pumps; the cancel button is
// pressed on the given pump.
inline void CancelOnPump(FakeJobContext& job, int pump) {
    job.progress.onPump = [&job, pump](int count) {
        std::this_thread::sleep_for(std::chrono::milliseconds(35));
        if (count == pump) job.cancel.Raise();
    };
}

}  // namespace pelmora::testing
