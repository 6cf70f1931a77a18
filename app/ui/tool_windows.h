#pragma once
// The tool windows the main window's menus open. A menu entry stays disabled while its
// window is open; the window follows the file list meanwhile.

#include <QObject>
#include <QPointer>
#include <string>

#include "settings/settings_record.h"

class QAction;
class QWidget;

namespace pelmora {

class AclViewWindow;
class BrowserController;
class ChoiViewWindow;
class HexViewWindow;
class UserDialogs;

class ToolWindows : public QObject {
    Q_OBJECT
public:
    // dialogs: where ChoiView reports a file it cannot show.
    ToolWindows(Settings& settings, std::string iniPath, BrowserController& browser, UserDialogs& dialogs,
                QWidget* mainWindow);

    void OpenHexView();  // mnu_HexView
    void OpenAclView();  // mnu_ACLView
    void OpenChoiView();  // mnu_ChiView

    // The main window was closed: the open tool windows go with it at once, without their
    // own close handling.
    void HideAll();

    HexViewWindow* HexView() const;
    AclViewWindow* AclView() const;
    ChoiViewWindow* ChoiView() const;

private:
    QAction* MenuEntry(const char* name) const;

    Settings& settings_;
    std::string iniPath_;
    BrowserController& browser_;
    UserDialogs& dialogs_;
    QPointer<QWidget> mainWindow_;
    QPointer<HexViewWindow> hexView_;
    QPointer<AclViewWindow> aclView_;
    QPointer<ChoiViewWindow> choiView_;
};

}  // namespace pelmora
