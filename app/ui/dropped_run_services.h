#pragma once
// The progress side of a run without the main window. Its messages, questions and output go
// through the console job context where there is no display, and through the window
// program's message boxes, save dialog and the clipboard keeper where there is one.

#include <string>

#include "listing/engine/job_context.h"

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

}  // namespace pelmora
