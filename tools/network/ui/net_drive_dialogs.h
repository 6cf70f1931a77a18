#pragma once
// The dialogs of "ネットワークドライブ接続" and "ネットワークドライブ切断": the share with the
// credentials to connect it, and the choice of a connected share to remove.

#include <QDialog>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/network/net_drive_connection.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace pelmora {

class UserDialogs;

// What the connect dialog does with its values once OK is pressed.
struct NetDriveConnecting {
    // Waits on the network: called on another thread, given to runBeside.
    std::function<NetDriveOutcome(const NetDriveRequest&)> check;
    // Runs a piece of work on a thread beside the window (its owner outlives the dialog);
    // false when too many checks given up still wait for their servers.
    std::function<bool(std::function<void()>)> runBeside;
    // On the window's thread, for a share that opened.
    std::function<NetDriveOutcome(NetDriveOutcome)> save;
    UserDialogs* dialogs = nullptr;
};

// With a NetDriveConnecting, OK checks the share beside the window: the dialog keeps
// answering, "キャンセル" closes it at once (a late result is dropped), an error is shown
// and the dialog stays with its values, focus on the field at fault; a share that opened
// and was saved closes it.
class NetDriveConnectDialog : public QDialog {
    Q_OBJECT
public:
    explicit NetDriveConnectDialog(QWidget* parent, NetDriveConnecting connecting = {});
    NetDriveRequest Request() const;
    // The share connected, once the dialog closed on success.
    const std::string& Connected() const { return connected_; }
    bool Checking() const { return checking_; }

    void accept() override;
    void reject() override;

private:
    void Checked(std::uint64_t check, NetDriveOutcome outcome, const platform::SecretText& password);
    void SetChecking(bool checking);

    NetDriveConnecting connecting_;
    std::uint64_t check_ = 0;
    bool checking_ = false;
    std::string connected_;
    QPushButton* okButton_ = nullptr;
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
// Modal, connecting as it goes: the share connected, or nothing when cancelled.
std::optional<std::string> ConnectNetDriveInDialog(QWidget* parent, NetDriveConnecting connecting);
std::optional<std::string> AskNetDriveToDisconnect(const std::vector<std::string>& shares, QWidget* parent);

}  // namespace pelmora
