#include "app/ui/docked_windows.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <exception>

#include "app/ui/browser_controller.h"
#include "app/ui/main_window.h"
#include "app/ui/main_window_names.h"
#include "tools/settings/ui/settings_dialog.h"
#include "platform/network_discovery.h"
#include "platform/volume_list.h"
#include "settings/net_drive_list.h"
#include "tools/network/known_server_discovery.h"
#include "tools/network/known_servers.h"
#include "tools/jump/ui/jump_window.h"
#include "tools/network/ui/network_window.h"

namespace pelmora {
namespace {

namespace names = main_window_names;

// The left docking place is one window's: Jump and the network window give way to each other.
void CloseWindowNamed(const char* name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String(name) && window->isVisible()) window->close();
    }
}

}  // namespace

DockedWindows::DockedWindows(Settings& settings, std::string iniPath, BrowserController& browser,
                             UserDialogs& dialogs, QMainWindow* mainWindow)
    : QObject(mainWindow),
      settings_(settings),
      iniPath_(std::move(iniPath)),
      browser_(browser),
      dialogs_(dialogs),
      mainWindow_(mainWindow) {}

DockedWindows::~DockedWindows() {
    // The network window may still wait for a reading that uses the discovery kept here.
    delete network_.data();
}

JumpWindow* DockedWindows::Jump() const { return jump_; }
NetworkWindow* DockedWindows::Network() const { return network_; }

void DockedWindows::SetNetworkDiscovery(platform::NetworkDiscovery* discovery) {
    discovery_ = discovery;
    // A window made for another source reads from the new one when it opens next.
    if (network_ && !network_->isVisible()) delete network_;
}
SettingsDialog* DockedWindows::SettingsWindow() const { return settingsDialog_; }

QAction* DockedWindows::MenuEntry(const char* name) const {
    return mainWindow_ ? mainWindow_->findChild<QAction*>(name) : nullptr;
}

void DockedWindows::HideAll() {
    if (jump_) jump_->hide();
    if (network_) network_->hide();
    if (settingsDialog_) settingsDialog_->hide();
}

std::function<void(const std::string&, std::function<void(std::error_code)>)> DockedWindows::BrowseInMainWindow() {
    return [this](const std::string& folder, BrowserController::ReadDone done) {
        browser_.BrowseFolder(folder, std::move(done));
    };
}

void DockedWindows::OpenJump() {
    if (!mainWindow_) return;
    CloseWindowNamed(names::kNetworkWindow);
    if (!jump_) {
        JumpTarget target{[this] { return browser_.CurrentFolder(); }, BrowseInMainWindow(), &dialogs_};
        jump_ = new JumpWindow(settings_, iniPath_, std::move(target), mainWindow_);
        connect(jump_, &JumpWindow::closed, this, [this] {
            if (QAction* entry = MenuEntry(names::kJumpMenu)) entry->setEnabled(true);
        });
    }
    jump_->Open(*mainWindow_);
    if (QAction* entry = MenuEntry(names::kJumpMenu)) entry->setEnabled(false);
}

void DockedWindows::OpenNetwork() {
    if (!mainWindow_) return;
    CloseWindowNamed(names::kJumpWindow);
    if (!network_) {
        platform::NetworkDiscovery* discovery = discovery_;
        if (!discovery) {
            if (!systemDiscovery_) systemDiscovery_ = platform::MakeSmbNetworkDiscovery();
            discovery = systemDiscovery_.get();
        }
        // Read on the window's reading thread: only copies and thread-safe sources.
        knownDiscovery_ = std::make_unique<KnownServerDiscovery>(*discovery, [iniPath = iniPath_] {
            return KnownServersFrom(ReadNetDrives(iniPath), platform::ListVolumes(), TypedServers());
        });
        NetworkTarget target{BrowseInMainWindow(), &dialogs_, askServerName_};
        network_ = new NetworkWindow(settings_, *knownDiscovery_, std::move(target), mainWindow_);
        connect(network_, &NetworkWindow::closed, this, [this] {
            if (QAction* entry = MenuEntry(names::kNetViewMenu)) entry->setEnabled(true);
        });
    }
    if (QAction* entry = MenuEntry(names::kNetViewMenu)) entry->setEnabled(false);
    network_->Open(*mainWindow_);
}

void DockedWindows::SetSettingsChoosers(
    std::function<std::optional<std::string>(const ProgramChoiceStart&)> chooseProgram,
    std::function<std::optional<FontSetting>(const FontSetting&)> chooseFont) {
    chooseProgram_ = std::move(chooseProgram);
    chooseFont_ = std::move(chooseFont);
}

void DockedWindows::OpenSettings() {
    if (!mainWindow_) return;
    if (settingsDialog_) {
        settingsDialog_->raise();
        return;
    }
    SettingsDialogServices services;
    services.dialogs = &dialogs_;
    services.chooseProgram = chooseProgram_;
    services.chooseFont = chooseFont_;
    services.showHiddenSystem = [this](bool hidden, bool system) { browser_.SetHiddenSystemDisplay(hidden, system); };
    services.selectAllFiles = [this] { browser_.SelectAllFiles(); };
    services.currentListFont = [this](int row) {
        const QWidget* list =
            mainWindow_ ? mainWindow_->findChild<QWidget*>(row == 1 ? names::kFolderList : names::kFileList) : nullptr;
        const QFont font = list ? list->font() : QFont();
        return FontSetting{font.family().toStdString(), FontSizeText(font.pointSizeF()), font.bold(), font.italic()};
    };
    services.applyFonts = [this] {
        // A font chosen in the font dialog always has a size, so the lists take it.
        try {
            if (auto* main = qobject_cast<MainWindow*>(mainWindow_.data())) main->ApplyListFonts();
        } catch (const std::exception&) {
        }
        if (jump_ && jump_->isVisible()) jump_->ApplyJumpFont();
        if (network_ && network_->isVisible()) network_->ApplyNetViewFont();
    };
    services.applyOpacity = applyViewerOpacity_;
    settingsDialog_ = new SettingsDialog(settings_, iniPath_, std::move(services), mainWindow_);
    connect(settingsDialog_, &SettingsDialog::closed, this, [this] {
        if (QAction* entry = MenuEntry(names::kSettingMenu)) entry->setEnabled(true);
    });
    settingsDialog_->Open(*mainWindow_);
    if (QAction* entry = MenuEntry(names::kSettingMenu)) entry->setEnabled(false);
}

void DockedWindows::SetViewerOpacityHook(std::function<void(int alpha)> applyOpacity) {
    applyViewerOpacity_ = std::move(applyOpacity);
}

}  // namespace pelmora
