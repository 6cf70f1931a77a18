#include "app/ui/net_drive_commands.h"

#include <QWidget>

#include "app/ui/busy_state.h"
#include "i18n/translation.h"
#include "listing/engine/job_context.h"
#include "settings/net_drive_list.h"
#include "tools/network/network_texts.h"
#include "tools/network/ui/net_drive_dialogs.h"

namespace pelmora {

NetDriveCommands::NetDriveCommands(std::string iniPath, BusyState& busy, UserDialogs& dialogs,
                                   std::function<void()> refreshDrives, QWidget* mainWindow)
    : QObject(mainWindow),
      iniPath_(std::move(iniPath)),
      busy_(busy),
      dialogs_(dialogs),
      refreshDrives_(std::move(refreshDrives)),
      mainWindow_(mainWindow),
      askConnect_([this] { return AskNetDriveToConnect(mainWindow_); }),
      askDisconnect_([this](const std::vector<std::string>& shares) {
          return AskNetDriveToDisconnect(shares, mainWindow_);
      }),
      check_(OpenShareForCheck) {}

NetDriveCommands::~NetDriveCommands() { checks_.JoinAll(); }

void NetDriveCommands::SetDialogs(AskConnect askConnect, AskDisconnect askDisconnect) {
    testDialogs_ = true;
    askConnect_ = std::move(askConnect);
    askDisconnect_ = std::move(askDisconnect);
}

void NetDriveCommands::SetShareCheck(ShareCheck check) { check_ = std::move(check); }

void NetDriveCommands::ConnectNetworkDrive() {
    std::optional<std::string> connected;
    {
        BusyScope busy(busy_);
        if (testDialogs_) {
            if (const auto request = askConnect_()) {
                const NetDriveOutcome outcome = ConnectNetDrive(*request, check_, iniPath_);
                if (!outcome.message.empty()) dialogs_.ShowWarning(outcome.message);
            }
        } else {
            NetDriveConnecting connecting;
            connecting.check = [check = check_](const NetDriveRequest& request) {
                return CheckNetDrive(request, check);
            };
            connecting.runBeside = [this](std::function<void()> work) {
                return checks_.Run([work = std::move(work)]() -> std::function<void()> {
                    work();
                    return {};
                });
            };
            connecting.save = [this](NetDriveOutcome outcome) { return SaveNetDrive(std::move(outcome), iniPath_); };
            connecting.dialogs = &dialogs_;
            connected = ConnectNetDriveInDialog(mainWindow_, std::move(connecting));
        }
    }
    if (refreshDrives_) refreshDrives_();
    if (connected && connected_) connected_(*connected);
}

void NetDriveCommands::DisconnectNetworkDrive() {
    std::optional<std::string> disconnected;
    {
        BusyScope busy(busy_);
        const std::vector<std::string> shares = ReadNetDrives(iniPath_);
        if (shares.empty()) {
            dialogs_.ShowMessage(Translated(network_texts::kDisconnectNone));
        } else if (const auto share = askDisconnect_(shares)) {
            if (const std::string message = DisconnectNetDrive(*share, iniPath_); !message.empty()) {
                dialogs_.ShowMessage(message);
            } else {
                disconnected = *share;
            }
        }
    }
    if (refreshDrives_) refreshDrives_();
    if (disconnected && disconnected_) disconnected_(*disconnected);
}

}  // namespace pelmora
