#include "tools/help/ui/document_opener.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <fstream>
#include <iterator>
#include <mutex>

#include "i18n/translation.h"
#include "listing/engine/job_context.h"
#include "platform/process_starter.h"
#include "tools/help/help_texts.h"
#include "tools/help/ui/text_file_window_names.h"

namespace pelmora {

// The opener's thread posts its report here; the opener going away first closes the box,
// so a late report finds nobody and is dropped.
struct DocumentOpener::Mailbox {
    std::mutex mutex;
    DocumentOpener* receiver = nullptr;
};

DocumentOpener::DocumentOpener(platform::ProcessStarter& starter, UserDialogs& dialogs, QWidget* windowParent)
    : QObject(windowParent),
      starter_(starter),
      dialogs_(dialogs),
      windowParent_(windowParent),
      mailbox_(std::make_shared<Mailbox>()) {
    mailbox_->receiver = this;
}

DocumentOpener::~DocumentOpener() {
    const std::lock_guard lock(mailbox_->mutex);
    mailbox_->receiver = nullptr;
}

QPlainTextEdit* DocumentOpener::TextWindow() const { return textWindow_; }

void DocumentOpener::Open(const std::string& path) {
    starter_.OpenWithDefaultProgramReporting(path, [mailbox = mailbox_, path](platform::OpenerOutcome outcome) {
        const std::lock_guard lock(mailbox->mutex);
        if (mailbox->receiver == nullptr) return;
        // Posted while the receiver is alive; Qt drops it if the receiver goes before it runs.
        DocumentOpener* receiver = mailbox->receiver;
        QMetaObject::invokeMethod(
            receiver, [receiver, path, outcome] { receiver->Report(path, outcome); }, Qt::QueuedConnection);
    });
}

void DocumentOpener::Report(const std::string& path, platform::OpenerOutcome outcome) {
    switch (outcome) {
        case platform::OpenerOutcome::Opened:
            break;
        case platform::OpenerOutcome::Failed:
            dialogs_.ShowMessage(Translated(help_texts::kOpenFailed) + "\n" + path);
            break;
        case platform::OpenerOutcome::NoOpener:
            ShowText(path);
            break;
    }
    emit reported(outcome);
}

void DocumentOpener::ShowText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        dialogs_.ShowMessage(Translated(help_texts::kOpenFailed) + "\n" + path);
        return;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!textWindow_) {
        textWindow_ = new QPlainTextEdit(windowParent_);
        textWindow_->setWindowFlag(Qt::Window);
        textWindow_->setAttribute(Qt::WA_DeleteOnClose);
        textWindow_->setObjectName(text_file_window_names::kWindow);
        textWindow_->setReadOnly(true);
        textWindow_->setLineWrapMode(QPlainTextEdit::NoWrap);
        textWindow_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        textWindow_->resize(720, 560);
    }
    textWindow_->setWindowTitle(QFileInfo(QString::fromStdString(path)).fileName());
    textWindow_->setPlainText(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())));
    textWindow_->show();
    textWindow_->raise();
    textWindow_->activateWindow();
}

}  // namespace pelmora
