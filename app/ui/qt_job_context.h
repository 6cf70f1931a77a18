#pragma once
// The window program's side of a job: message boxes titled "Pelmora", the system clipboard
// and the save dialog.

#include <QPointer>
#include <QWidget>
#include <vector>

#include "listing/engine/job_context.h"

namespace pelmora {

class QtUserDialogs : public UserDialogs {
public:
    explicit QtUserDialogs(QWidget* parent) : parent_(parent) {}
    void ShowMessage(const std::string& text) override;
    void ShowWarning(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    void Beep() override;

private:
    void Show(int icon, const std::string& text);

    QPointer<QWidget> parent_;
};

class QtClipboardSink : public ClipboardSink {
public:
    // Text that is not valid UTF-8 goes on the clipboard as its own bytes.
    void SetText(const std::string& text) override;
    void Clear() override;
};

class QtSaveDialog : public SaveDialog {
public:
    explicit QtSaveDialog(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> AskSavePath(const SaveRequest& request) override;

private:
    QPointer<QWidget> parent_;
};

// "*.txt|*.txt|*.csv|*.csv|*.*|*.*" as the name filters of a file dialog; "*.*" matches
// every name, also names without a dot.
QStringList SaveDialogNameFilters(const std::string& filter);

}  // namespace pelmora
