#pragma once
// Form2 "処理中です・・・": the progress dialog long work shows through ProgressSink.
// Label1 blinks every 500 ms, Label2 carries the activity, Command1 "中止する" raises the
// cancel flag. The dialog never closes itself and never clears the flag.

#include <QPointer>
#include <QWidget>

#include "listing/engine/job_context.h"

class QLabel;
class QPushButton;
class QTimer;

namespace pelmora {

class ProgressDialog : public QWidget, public ProgressSink {
    Q_OBJECT
public:
    // The dialog is placed against the main window (its left edge, 2,300 twips below its top).
    ProgressDialog(CancelFlag& cancel, QWidget* mainWindow);

    void Open(const std::string& activity, bool cancellable) override;
    void SetActivity(const std::string& activity) override;
    void Close() override;
    bool IsOpen() const override;
    void Pump() override;

    // The main window was closed: the dialog goes at once, and the work that still unwinds
    // does not bring it back.
    void CloseForProgramEnd();

    // The blink state shared by every showing: 0 before the first tick, then 1 and 2.
    static int BlinkState();

protected:
    // A close through the window frame counts as the cancel button where the work can stop;
    // the collector itself removes the dialog at its next check.
    void closeEvent(QCloseEvent* event) override;

private:
    void Blink();

    CancelFlag& cancel_;
    QPointer<QWidget> mainWindow_;
    QLabel* blinkLabel_;
    QLabel* activityLabel_;
    QPushButton* cancelButton_;
    QTimer* blinkTimer_;
    bool cancellable_ = false;
    bool programEnding_ = false;
};

}  // namespace pelmora
