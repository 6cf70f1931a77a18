#pragma once
// Opens a document (the readme) with the desktop's program and follows up on what the
// opener reports: a failure is told in a message naming the file; with no opener at all the
// text is shown in a read-only window of the program's own. The report arrives later from
// the opener's waiting thread; the window thread never waits for it.

#include <QObject>
#include <QPointer>
#include <memory>
#include <string>

#include "platform/desktop_launch.h"

class QPlainTextEdit;
class QWidget;

namespace pelmora {

class UserDialogs;
namespace platform {
class ProcessStarter;
}

class DocumentOpener : public QObject {
    Q_OBJECT
public:
    // windowParent: the window the text window belongs to.
    DocumentOpener(platform::ProcessStarter& starter, UserDialogs& dialogs, QWidget* windowParent);
    ~DocumentOpener() override;

    void Open(const std::string& path);

    // The text window of the last document shown without an opener, if it is still there.
    QPlainTextEdit* TextWindow() const;

signals:
    // The opener's report for `path` was acted on.
    void reported(platform::OpenerOutcome outcome);

private:
    struct Mailbox;

    void Report(const std::string& path, platform::OpenerOutcome outcome);
    void ShowText(const std::string& path);

    platform::ProcessStarter& starter_;
    UserDialogs& dialogs_;
    QPointer<QWidget> windowParent_;
    QPointer<QPlainTextEdit> textWindow_;
    std::shared_ptr<Mailbox> mailbox_;
};

}  // namespace pelmora
