#include "app/ui/tool_windows.h"

#include <QAction>
#include <QWidget>

#include "app/ui/browser_controller.h"
#include "app/ui/main_window_names.h"
#include "tools/aclview/ui/acl_view_names.h"
#include "tools/aclview/ui/acl_view_window.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/choi_view_window.h"
#include "tools/hexview/ui/hex_view_names.h"
#include "tools/hexview/ui/hex_view_window.h"

namespace pelmora {

ToolWindows::ToolWindows(Settings& settings, std::string iniPath, BrowserController& browser, UserDialogs& dialogs,
                         QWidget* mainWindow)
    : QObject(mainWindow),
      settings_(settings),
      iniPath_(std::move(iniPath)),
      browser_(browser),
      dialogs_(dialogs),
      mainWindow_(mainWindow) {}

HexViewWindow* ToolWindows::HexView() const { return hexView_; }
AclViewWindow* ToolWindows::AclView() const { return aclView_; }
ChoiViewWindow* ToolWindows::ChoiView() const { return choiView_; }

void ToolWindows::HideAll() {
    if (hexView_) hexView_->hide();
    if (aclView_) aclView_->hide();
    if (choiView_) choiView_->hide();
}

QAction* ToolWindows::MenuEntry(const char* name) const {
    return mainWindow_ ? mainWindow_->findChild<QAction*>(name) : nullptr;
}

// The windows are children of the main window, so they go with it when it closes, without
// running their own close handling.
void ToolWindows::OpenHexView() {
    if (!hexView_) {
        hexView_ = new HexViewWindow(settings_, iniPath_, mainWindow_);
        browser_.AddFollowTarget(hex_view_names::kWindow, hexView_);
        connect(hexView_, &HexViewWindow::closed, this, [this] {
            if (QAction* entry = MenuEntry(main_window_names::kHexViewMenu)) entry->setEnabled(true);
        });
    }
    hexView_->OpenAtPlacement();
    if (QAction* entry = MenuEntry(main_window_names::kHexViewMenu)) entry->setEnabled(false);
}

void ToolWindows::OpenAclView() {
    if (!aclView_) {
        aclView_ = new AclViewWindow(settings_, iniPath_, mainWindow_);
        browser_.AddFollowTarget(acl_view_names::kWindow, aclView_);
        connect(aclView_, &AclViewWindow::closed, this, [this] {
            if (QAction* entry = MenuEntry(main_window_names::kAclViewMenu)) entry->setEnabled(true);
        });
    }
    aclView_->OpenAtPlacement();
    if (QAction* entry = MenuEntry(main_window_names::kAclViewMenu)) entry->setEnabled(false);
}

void ToolWindows::OpenChoiView() {
    if (!choiView_) {
        choiView_ = new ChoiViewWindow(settings_, iniPath_, dialogs_, mainWindow_);
        browser_.AddFollowTarget(choi_view_names::kWindow, choiView_);
        connect(choiView_, &ChoiViewWindow::closed, this, [this] {
            if (QAction* entry = MenuEntry(main_window_names::kChoiViewMenu)) entry->setEnabled(true);
        });
    }
    choiView_->OpenAtPlacement();
    if (QAction* entry = MenuEntry(main_window_names::kChoiViewMenu)) entry->setEnabled(false);
}

}  // namespace pelmora
