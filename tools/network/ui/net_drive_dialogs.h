#pragma once
// The dialogs of "ネットワークドライブ接続" and "ネットワークドライブ切断": the share with the
// credentials to connect it, and the choice of a connected share to remove.

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "tools/network/net_drive_connection.h"

class QLineEdit;
class QListWidget;

namespace pelmora {

class NetDriveConnectDialog : public QDialog {
    Q_OBJECT
public:
    explicit NetDriveConnectDialog(QWidget* parent);
    NetDriveRequest Request() const;

private:
    QLineEdit* share_;
    QLineEdit* user_;
    QLineEdit* domain_;
    QLineEdit* password_;
};

class NetDriveDisconnectDialog : public QDialog {
    Q_OBJECT
public:
    NetDriveDisconnectDialog(const std::vector<std::string>& shares, QWidget* parent);
    // The chosen share, or nothing when none is selected.
    std::optional<std::string> Chosen() const;

private:
    QListWidget* list_;
};

// Modal: what the user asked for, or nothing when cancelled.
std::optional<NetDriveRequest> AskNetDriveToConnect(QWidget* parent);
std::optional<std::string> AskNetDriveToDisconnect(const std::vector<std::string>& shares, QWidget* parent);

}  // namespace pelmora
