#pragma once
// Form1 "Pelmora": the browser, the listing buttons, the picture panel and the menus.
// Browser state, commands and busy state live in their own classes; this one lays the
// window out, wires its events and keeps its position.

#include <QMainWindow>
#include <memory>
#include <string>

#include "app/app_paths.h"
#include "listing/engine/job_context.h"
#include "platform/process_starter.h"
#include "settings/settings_record.h"

class QComboBox;
class QListView;
class QPushButton;
class QAction;

namespace pelmora {

class BrowserController;
class BusyState;
class CommandDispatcher;
class DockedWindows;
class HelpCommands;
class NetDriveCommands;
class DriveList;
class FileListModel;
class FolderListWidget;
class PicturePanel;
class ProgressDialog;
class ToolWindows;

// What the window uses to talk to the user and the system; null members get the real
// Qt implementations. Tests supply their own.
struct MainWindowServices {
    UserDialogs* dialogs = nullptr;
    ClipboardSink* clipboard = nullptr;
    SaveDialog* saveDialog = nullptr;
    platform::ProcessStarter* starter = nullptr;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Settings& settings, AppPaths paths, MainWindowServices services = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    BrowserController& Browser() { return *browser_; }
    BusyState& Busy() { return *busy_; }
    ProgressDialog& Progress() { return *progress_; }
    CommandDispatcher& Commands() { return *commands_; }
    ToolWindows& Tools() { return *tools_; }
    DockedWindows& Docked() { return *docked_; }
    HelpCommands& Help() { return *help_; }
    NetDriveCommands& NetDrives() { return *netDrives_; }
    PicturePanel& Pictures() { return *pictures_; }
    UserDialogs& Dialogs() { return *dialogs_; }
    JobContext& Jobs() { return *jobs_; }
    CancelFlag& Cancel() { return cancel_; }
    QComboBox* PatternBox() const { return patternBox_; }
    FileListModel& Files() { return *files_; }
    QListView* FileList() const { return fileList_; }
    const AppPaths& Paths() const { return paths_; }

    // "1" to "5" picks one of the built-in icons; anything else keeps the window's own.
    void SetWindowIconNumber(const std::string& windowIcon);
    // Fills the pattern box without changing its text.
    void SetPatternItems(const std::vector<std::string>& patterns);
    // The saved position when asked for and inside the screen, else centred.
    void PlaceAtStart();
    // Drive1 read again: the mounted volumes and the connected network drives.
    void RefreshDrives();
    // The list fonts from the font keys. Throws std::invalid_argument for a size that is no number.
    void ApplyListFonts();

signals:
    // The window was closed by the user; the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    QAction* AddMenuAction(QMenu* menu, const char* objectName, const QString& caption);

    Settings& settings_;
    AppPaths paths_;
    std::unique_ptr<UserDialogs> ownDialogs_;
    std::unique_ptr<ClipboardSink> ownClipboard_;
    std::unique_ptr<SaveDialog> ownSaveDialog_;
    UserDialogs* dialogs_;
    CancelFlag cancel_;

    DriveList* driveList_ = nullptr;
    FolderListWidget* folderList_ = nullptr;
    QComboBox* patternBox_ = nullptr;
    QListView* fileList_ = nullptr;
    FileListModel* files_ = nullptr;
    PicturePanel* pictures_ = nullptr;
    ProgressDialog* progress_ = nullptr;

    std::unique_ptr<JobContext> jobs_;
    std::unique_ptr<BrowserController> browser_;
    std::unique_ptr<BusyState> busy_;
    std::unique_ptr<CommandDispatcher> commands_;
    ToolWindows* tools_ = nullptr;
    DockedWindows* docked_ = nullptr;
    HelpCommands* help_ = nullptr;
    NetDriveCommands* netDrives_ = nullptr;
};

}  // namespace pelmora
