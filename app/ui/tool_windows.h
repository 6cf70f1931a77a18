#pragma once
// The tool windows the main window's menus open. A menu entry stays disabled while its
// window is open; the window follows the file list meanwhile.

#include <QObject>
#include <QPointer>
#include <memory>
#include <string>

#include "settings/settings_record.h"

class QAction;
class QWidget;

namespace pelmora {

class AclViewWindow;
class BrowserController;
class ChoiViewWindow;
class HexViewWindow;
class QtUserDialogs;

class ToolWindows : public QObject {
    Q_OBJECT
public:
    ToolWindows(Settings& settings, std::string iniPath, BrowserController& browser, QWidget* mainWindow);
    ~ToolWindows() override;

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
    QPointer<QWidget> mainWindow_;
    QPointer<HexViewWindow> hexView_;
    QPointer<AclViewWindow> aclView_;
    QPointer<ChoiViewWindow> choiView_;
    std::unique_ptr<QtUserDialogs> dialogs_;  // ChoiView's message boxes
};

}  // namespace pelmora
