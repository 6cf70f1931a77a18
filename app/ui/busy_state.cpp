#include "app/ui/busy_state.h"

#include <QAction>
#include <QApplication>

#include "app/ui/main_window_names.h"
#include "app/ui/window_open.h"
#include "tools/aclview/ui/acl_view_names.h"
#include "tools/hexview/ui/hex_view_names.h"

namespace pelmora {

namespace {

namespace names = main_window_names;

// Tool windows that are disabled for a busy period when open.
constexpr const char* kDockedWindows[] = {names::kSettingsWindow, names::kNetworkWindow, names::kJumpWindow};

// A window that is open keeps the menu entry that opens it disabled.
struct OpenWindowRule {
    const char* window;
    const char* menu;
};
constexpr OpenWindowRule kOpenWindowRules[] = {
    {names::kSettingsWindow, names::kSettingMenu},  {names::kNetworkWindow, names::kNetViewMenu},
    {names::kJumpWindow, names::kJumpMenu},         {names::kChoiViewWindow, names::kChoiViewMenu},
    {hex_view_names::kWindow, names::kHexViewMenu}, {acl_view_names::kWindow, names::kAclViewMenu},
    {names::kVersionWindow, names::kVersionMenu},
};

void SetWindowEnabled(const QString& windowName, bool enabled) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == windowName) window->setEnabled(enabled);
    }
}

}  // namespace

const QStringList& BusyState::BusyControlNames() {
    static const QStringList controls = {names::kListFilesButton,
                                         names::kSelectAllButton,
                                         names::kRefreshButton,
                                         names::kFolderTreeButton,
                                         names::kListFolderNameButton,
                                         names::kListAllFilesBelowButton,
                                         names::kListSubfoldersButton,
                                         names::kOpenWithAssociationButton,
                                         names::kListArchiveButton,
                                         names::kListAllSubfoldersButton,
                                         names::kDriveList,
                                         names::kFolderList,
                                         names::kFileList,
                                         names::kPatternBox};
    return controls;
}

const QStringList& BusyState::BusyMenuNames() {
    static const QStringList menus = {names::kJumpMenu, names::kSettingMenu, names::kViewMenu, names::kNetMenu,
                                      names::kVersionMenu};
    return menus;
}

BusyState::BusyState(QWidget* mainWindow) : mainWindow_(mainWindow) {}

void BusyState::SetEnabled(const QString& name, bool enabled) {
    if (!mainWindow_) return;
    // Only the main window's own controls: the progress dialog has a Command1 of its own.
    for (QWidget* widget : mainWindow_->findChildren<QWidget*>(name)) {
        if (widget->window() == mainWindow_) widget->setEnabled(enabled);
    }
    for (QAction* action : mainWindow_->findChildren<QAction*>(name)) action->setEnabled(enabled);
}

void BusyState::EnterBusyState() {
    busy_ = true;
    for (const auto& name : BusyControlNames()) SetEnabled(name, false);
    for (const auto& name : BusyMenuNames()) SetEnabled(name, false);
    for (const char* window : kDockedWindows) {
        if (IsWindowOpen(window)) SetWindowEnabled(window, false);
    }
}

void BusyState::LeaveBusyState() {
    for (const auto& name : BusyControlNames()) SetEnabled(name, true);
    for (const auto& name : BusyMenuNames()) SetEnabled(name, true);
    for (const auto& rule : kOpenWindowRules) {
        if (!IsWindowOpen(rule.window)) continue;
        SetEnabled(rule.menu, false);
        SetWindowEnabled(rule.window, true);
    }
    busy_ = false;
}

}  // namespace pelmora
