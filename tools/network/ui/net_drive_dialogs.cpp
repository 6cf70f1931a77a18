#include "tools/network/ui/net_drive_dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "tools/network/network_texts.h"
#include "tools/network/ui/network_names.h"
#include "tools/network/ui/password_edit.h"

namespace pelmora {
namespace {

namespace names = network_names;

QString Text(const char* text) { return QString::fromUtf8(text); }

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

NetDriveConnectDialog::NetDriveConnectDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(names::kConnectDialog);
    setWindowTitle(Text(network_texts::kConnectTitle));
    share_ = NamedEdit(names::kConnectShare, this);
    share_->setPlaceholderText(Text(network_texts::kConnectShareHint));
    user_ = NamedEdit(names::kConnectUser, this);
    domain_ = NamedEdit(names::kConnectDomain, this);
    password_ = NamedEdit(names::kConnectPassword, this);
    password_->setEchoMode(QLineEdit::Password);

    auto* form = new QFormLayout;
    form->addRow(Text(network_texts::kConnectShare), share_);
    form->addRow(Text(network_texts::kConnectUser), user_);
    form->addRow(Text(network_texts::kConnectDomain), domain_);
    form->addRow(Text(network_texts::kConnectPassword), password_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancel(this));
    share_->setMinimumWidth(260);
}

NetDriveRequest NetDriveConnectDialog::Request() const {
    return {share_->text().toStdString(), user_->text().toStdString(), domain_->text().toStdString(),
            TakePassword(*password_)};
}

NetDriveDisconnectDialog::NetDriveDisconnectDialog(const std::vector<std::string>& shares, QWidget* parent)
    : QDialog(parent) {
    setObjectName(names::kDisconnectDialog);
    setWindowTitle(Text(network_texts::kDisconnectTitle));
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

std::optional<std::string> AskNetDriveToDisconnect(const std::vector<std::string>& shares, QWidget* parent) {
    NetDriveDisconnectDialog dialog(shares, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Chosen();
}

}  // namespace pelmora
