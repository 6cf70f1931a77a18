#include "app/ui/smb_credentials_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <QVBoxLayout>

#include "app/ui/smb_credentials_dialog_names.h"
#include "app/ui/smb_credentials_dialog_texts.h"
#include "i18n/ui/translated_text.h"
#include "tools/network/ui/password_edit.h"

namespace pelmora {

bool QtSmbCredentialAsker::CanAskOnThisThread() const {
    return qApp != nullptr && QThread::currentThread() == qApp->thread();
}

std::optional<platform::SmbCredentials> QtSmbCredentialAsker::Ask(const std::string& server, const std::string& share,
                                                                  bool again) {
    QDialog dialog(parent_);
    dialog.setObjectName(names::kSmbCredentialsDialog);
    dialog.setWindowTitle(QTranslated(kSmbCredentialsCaption));
    auto* layout = new QVBoxLayout(&dialog);
    // A server's list of shares is asked for without a share.
    const std::string path = "//" + server + (share.empty() ? "" : "/" + share);
    auto* prompt = new QLabel(QString::fromStdString(path) + QTranslated(kSmbCredentialsPrompt), &dialog);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);
    if (again) {
        auto* refused = new QLabel(QTranslated(kSmbCredentialsRefused), &dialog);
        refused->setObjectName(names::kSmbRefused);
        layout->addWidget(refused);
    }
    auto* form = new QFormLayout;
    auto* user = new QLineEdit(&dialog);
    user->setObjectName(names::kSmbUser);
    auto* domain = new QLineEdit(&dialog);
    domain->setObjectName(names::kSmbDomain);
    auto* password = new QLineEdit(&dialog);
    password->setObjectName(names::kSmbPassword);
    password->setEchoMode(QLineEdit::Password);
    form->addRow(QTranslated(kSmbUserLabel), user);
    form->addRow(QTranslated(kSmbDomainLabel), domain);
    form->addRow(QTranslated(kSmbPasswordLabel), password);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    // The user given last time for this server is offered again.
    if (const auto known = platform::SmbCredentialStore::ForThisRun().Find(server)) {
        user->setText(QString::fromStdString(known->user));
        domain->setText(QString::fromStdString(known->domain));
    }
    if (dialog.exec() != QDialog::Accepted || user->text().isEmpty()) return std::nullopt;
    return platform::SmbCredentials{user->text().toStdString(), domain->text().toStdString(),
                                    TakePassword(*password)};
}

}  // namespace pelmora
