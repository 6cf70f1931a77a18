#pragma once
// Form7 "Jump": ten folder bookmarks docked at the main window's left. A register button
// stores the main window's folder in its row at once; a jump button makes the main window
// browse its row's folder.

#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <system_error>

#include "settings/settings_record.h"

namespace pelmora {

class ElidedPathButton;
class UserDialogs;
class WindowDock;

// What the window needs of the main window.
struct JumpTarget {
    std::function<std::string()> currentFolder;
    // Browses the folder as if chosen in the main window; the callback is told the error of a
    // folder that cannot be read (a folder on a share is read beside the window).
    std::function<void(const std::string&, std::function<void(std::error_code)>)> browseFolder;
    UserDialogs* dialogs = nullptr;
};

class JumpWindow : public QWidget {
    Q_OBJECT
public:
    JumpWindow(Settings& settings, std::string iniPath, JumpTarget target, QWidget* parent);

    // Loads the rows and fonts, docks at the main window's left and shows; chase mode from
    // ChaseJumpWindow.
    void Open(QWidget& mainWindow);

    // The jump buttons take the JumpFont… keys (also when the settings dialog changes them).
    void ApplyJumpFont();

    void RegisterRow(int row);
    void JumpToRow(int row);

    ElidedPathButton* JumpButton(int row) const { return jumpButtons_[static_cast<std::size_t>(row - 1)]; }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowSlots();

    Settings& settings_;
    std::string iniPath_;
    JumpTarget target_;
    WindowDock* dock_;
    std::array<ElidedPathButton*, 10> jumpButtons_{};
};

}  // namespace pelmora
