#pragma once
// The windows docked beside the main window: Jump and the network window at its left (one
// place: opening one closes the other), the settings dialog at its right. A menu entry
// stays disabled while its window is open.

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include "settings/font_setting.h"
#include "settings/program_choice.h"
#include "settings/settings_record.h"

class QAction;
class QMainWindow;

namespace pelmora {

class BrowserController;
class JumpWindow;
class KnownServerDiscovery;
class NetworkWindow;
namespace platform {
class NetworkDiscovery;
}
class SettingsDialog;
class UserDialogs;

class DockedWindows : public QObject {
    Q_OBJECT
public:
    DockedWindows(Settings& settings, std::string iniPath, BrowserController& browser, UserDialogs& dialogs,
                  QMainWindow* mainWindow);
    ~DockedWindows() override;

    void OpenJump();      // mnu_Jump
    void OpenNetwork();   // mnu_netView
    void OpenSettings();  // mnu_Setting

    // The main window was closed: the docked windows go with it at once.
    void HideAll();

    // The file and font dialogs of the settings dialogs opened from now on (tests answer them).
    void SetSettingsChoosers(std::function<std::optional<std::string>(const ProgramChoiceStart&)> chooseProgram,
                             std::function<std::optional<FontSetting>(const FontSetting&)> chooseFont);

    // Where the network window reads the network from; null: the system's SMB network.
    // The window opened from then on uses it (tests give a fake).
    void SetNetworkDiscovery(platform::NetworkDiscovery* discovery);
    // Stands in for the dialog asking for a server to add (tests), for windows made from then on.
    void SetServerNameAsker(std::function<std::optional<std::string>()> ask) { askServerName_ = std::move(ask); }

    JumpWindow* Jump() const;
    NetworkWindow* Network() const;
    SettingsDialog* SettingsWindow() const;

    // What the settings dialog's opacity slider changes live (ChoiView's translucency).
    void SetViewerOpacityHook(std::function<void(int alpha)> applyOpacity);

private:
    QAction* MenuEntry(const char* name) const;
    // The Jump and network windows' way to browse a folder in the main window.
    std::function<void(const std::string&, std::function<void(std::error_code)>)> BrowseInMainWindow();

    Settings& settings_;
    std::string iniPath_;
    BrowserController& browser_;
    UserDialogs& dialogs_;
    QPointer<QMainWindow> mainWindow_;
    QPointer<JumpWindow> jump_;
    QPointer<NetworkWindow> network_;
    std::unique_ptr<platform::NetworkDiscovery> systemDiscovery_;
    platform::NetworkDiscovery* discovery_ = nullptr;
    std::unique_ptr<KnownServerDiscovery> knownDiscovery_;
    std::function<std::optional<std::string>()> askServerName_;
    QPointer<SettingsDialog> settingsDialog_;
    std::function<std::optional<std::string>(const ProgramChoiceStart&)> chooseProgram_;
    std::function<std::optional<FontSetting>(const FontSetting&)> chooseFont_;
    std::function<void(int alpha)> applyViewerOpacity_;
};

}  // namespace pelmora
