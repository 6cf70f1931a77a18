#include "tools/network/ui/net_drive_dialogs.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPointer>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "i18n/translation.h"
#include "i18n/ui/translated_text.h"
#include "listing/engine/job_context.h"
#include "tools/network/network_texts.h"
#include "tools/network/network_tree.h"
#include "tools/network/ui/network_names.h"
#include "tools/network/ui/password_edit.h"

namespace pelmora {
namespace {

namespace names = network_names;

QLineEdit* NamedEdit(const char* objectName, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    return edit;
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace

NetDriveConnectDialog::NetDriveConnectDialog(QWidget* parent, NetDriveConnecting connecting)
    : QDialog(parent), connecting_(std::move(connecting)) {
    setObjectName(names::kConnectDialog);
    setWindowTitle(QTranslated(network_texts::kConnectTitle));
    share_ = NamedEdit(names::kConnectShare, this);
    share_->setPlaceholderText(QTranslated(network_texts::kConnectShareHint));
    user_ = NamedEdit(names::kConnectUser, this);
    domain_ = NamedEdit(names::kConnectDomain, this);
    password_ = NamedEdit(names::kConnectPassword, this);
    password_->setEchoMode(QLineEdit::Password);

    auto* form = new QFormLayout;
    form->addRow(QTranslated(network_texts::kConnectShare), share_);
    form->addRow(QTranslated(network_texts::kConnectUser), user_);
    form->addRow(QTranslated(network_texts::kConnectDomain), domain_);
    form->addRow(QTranslated(network_texts::kConnectPassword), password_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    QDialogButtonBox* buttons = OkCancel(this);
    okButton_ = buttons->button(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Cancel)->setText(QTranslated(network_texts::kCancelButton));
    layout->addWidget(buttons);
    share_->setMinimumWidth(260);
}

void NetDriveConnectDialog::accept() {
    if (!connecting_.check || !connecting_.runBeside) {
        QDialog::accept();
        return;
    }
    if (checking_) return;
    const std::uint64_t check = ++check_;
    NetDriveRequest request = Request();
    // The field was emptied into secret memory; it gets the text back after a failure.
    platform::SecretText password = request.password;
    SetChecking(true);
    QPointer<NetDriveConnectDialog> self(this);
    auto run = connecting_.check;
    const std::string share = request.share;
    const bool started = connecting_.runBeside([self, run, check, request = std::move(request), password]() mutable {
        NetDriveOutcome outcome = run(request);
        // To the window's thread; a dialog gone or given up meanwhile drops the result there.
        QMetaObject::invokeMethod(
            qApp,
            [self, check, outcome = std::move(outcome), password]() mutable {
                if (self) self->Checked(check, std::move(outcome), password);
            },
            Qt::QueuedConnection);
    });
    if (started) return;
    NetDriveOutcome busy;
    busy.result = NetDriveResult::CannotOpen;
    busy.message = share + Translated(network_texts::kConnectFailedSuffix) + "\n" +
                   NetworkErrorText(std::make_error_code(std::errc::resource_unavailable_try_again));
    Checked(check, std::move(busy), password);
}

void NetDriveConnectDialog::reject() {
    ++check_;  // a check under way is given up
    SetChecking(false);
    QDialog::reject();
}

void NetDriveConnectDialog::SetChecking(bool checking) {
    checking_ = checking;
    okButton_->setEnabled(!checking);
    for (QLineEdit* edit : {share_, user_, domain_, password_}) edit->setReadOnly(checking);
}

void NetDriveConnectDialog::Checked(std::uint64_t check, NetDriveOutcome outcome,
                                    const platform::SecretText& password) {
    if (!checking_ || check != check_) return;
    SetChecking(false);
    if (connecting_.save) outcome = connecting_.save(std::move(outcome));
    if (outcome.result == NetDriveResult::Connected) {
        connected_ = outcome.share;
        QDialog::accept();
        return;
    }
    const std::string_view text = password.View();
    password_->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    if (connecting_.dialogs && !outcome.message.empty()) connecting_.dialogs->ShowWarning(outcome.message);
    QLineEdit* fault = outcome.fault == NetDriveField::Password ? password_
                       : outcome.fault == NetDriveField::User   ? user_
                                                                : share_;
    fault->setFocus();
    fault->selectAll();
}

NetDriveRequest NetDriveConnectDialog::Request() const {
    return {share_->text().toStdString(), user_->text().toStdString(), domain_->text().toStdString(),
            TakePassword(*password_)};
}

NetDriveDisconnectDialog::NetDriveDisconnectDialog(const std::vector<std::string>& shares, QWidget* parent)
    : QDialog(parent) {
    setObjectName(names::kDisconnectDialog);
    setWindowTitle(QTranslated(network_texts::kDisconnectTitle));
    list_ = new QListWidget(this);
    list_->setObjectName(names::kDisconnectList);
    for (const std::string& share : shares) list_->addItem(QString::fromStdString(share));
    if (list_->count() > 0) list_->setCurrentRow(0);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(OkCancel(this));
}

std::optional<std::string> NetDriveDisconnectDialog::Chosen() const {
    const QListWidgetItem* item = list_->currentItem();
    if (!item || !item->isSelected()) return std::nullopt;
    return item->text().toStdString();
}

std::optional<NetDriveRequest> AskNetDriveToConnect(QWidget* parent) {
    NetDriveConnectDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Request();
}

std::optional<std::string> ConnectNetDriveInDialog(QWidget* parent, NetDriveConnecting connecting) {
    NetDriveConnectDialog dialog(parent, std::move(connecting));
    if (dialog.exec() != QDialog::Accepted || dialog.Connected().empty()) return std::nullopt;
    return dialog.Connected();
}

std::optional<std::string> AskNetDriveToDisconnect(const std::vector<std::string>& shares, QWidget* parent) {
    NetDriveDisconnectDialog dialog(shares, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Chosen();
}

}  // namespace pelmora
