#pragma once
// The network menu's "ネットワークドライブ接続" and "ネットワークドライブ切断": each runs in the
// busy state, and the drive list is read again afterwards whatever the dialog's result.

#include <QObject>
#include <QPointer>
#include <memory>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/background_threads.h"
#include "tools/network/net_drive_connection.h"

class QWidget;

namespace pelmora {

class BusyState;
class UserDialogs;

class NetDriveCommands : public QObject {
    Q_OBJECT
public:
    using AskConnect = std::function<std::optional<NetDriveRequest>()>;
    using AskDisconnect = std::function<std::optional<std::string>(const std::vector<std::string>& shares)>;

    NetDriveCommands(std::string iniPath, BusyState& busy, UserDialogs& dialogs, std::function<void()> refreshDrives,
                     QWidget* mainWindow);
    // Waits for the checks still running beside the window (each ends at its time-out).
    ~NetDriveCommands() override;

    void ConnectNetworkDrive();     // mnu_netAttach
    void DisconnectNetworkDrive();  // mnu_netDetach

    // Tests answer the dialogs and stand in for the share check.
    void SetDialogs(AskConnect askConnect, AskDisconnect askDisconnect);
    void SetShareCheck(ShareCheck check);

    // Told of a share connected, after the drive list was read again.
    void SetOnConnected(std::function<void(const std::string& share)> connected) { connected_ = std::move(connected); }
    // Told of each share disconnected, after the drive list was read again.
    void SetOnDisconnected(std::function<void(const std::string& share)> disconnected) {
        disconnected_ = std::move(disconnected);
    }

private:
    std::string iniPath_;
    BusyState& busy_;
    UserDialogs& dialogs_;
    std::function<void()> refreshDrives_;
    QPointer<QWidget> mainWindow_;
    AskConnect askConnect_;
    AskDisconnect askDisconnect_;
    ShareCheck check_;
    std::function<void(const std::string&)> disconnected_;
    std::function<void(const std::string&)> connected_;
    bool testDialogs_ = false;
    // A check given up may still wait for its server; a few at most.
    BackgroundThreads checks_{4};
};

}  // namespace pelmora
