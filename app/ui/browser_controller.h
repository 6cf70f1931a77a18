#pragma once
// The browser of the main window: drive list, folder list, pattern box and file list, and
// the rule that every folder, pattern or list change selects all files. Events run in the
// order drive, folder, file list.

#include <QObject>
#include <functional>
#include <map>
#include <system_error>
#include <string>
#include <vector>

#include "listing/engine/browser_state.h"
#include "listing/engine/job_context.h"
#include "settings/settings_store.h"

class QComboBox;
class QListView;

namespace pelmora {

class DriveList;
class FileListModel;
class FolderListWidget;
class FollowTarget;

struct BrowserWidgets {
    DriveList* driveList;
    FolderListWidget* folderList;
    QComboBox* patternBox;
    QListView* fileList;
    FileListModel* files;
};

// How the browser reads a folder's subfolders (ListSubfolderNames; tests stand in devices
// that are not ready).
using SubfolderLister = std::function<std::vector<std::string>(const std::string& folder, bool showHidden,
                                                               std::error_code& error)>;

class BrowserController : public QObject, public BrowserSettingsSink {
    Q_OBJECT
public:
    BrowserController(const BrowserWidgets& widgets, UserDialogs& dialogs, QObject* parent = nullptr,
                      SubfolderLister listSubfolders = {});

    // BrowserSettingsSink: what settings normalisation points the browser at.
    void SetDirPath(const std::string& path) override;
    void SetPattern(const std::string& pattern) override;
    void SetHiddenSystemDisplay(bool hidden, bool system) override;

    void SelectAllFiles();
    bool SelectingAllFiles() const { return selectingAllFiles_; }
    bool FolderChangeSelectsAll() const { return folderChangeSelectsAll_; }
    void SetFolderChangeSelectsAll(bool value) { folderChangeSelectsAll_ = value; }

    // Drive1 changed: the folder list moves to the volume's root, unless it cannot be read.
    void ChangeDrive(const std::string& mountPoint);
    // Dir1 entry clicked: open that folder.
    void OpenFolder(const std::string& folder);
    // Drive1 and Dir1 set to the folder, as if chosen there (a jump). The read error leaves
    // the folder as it was; the drive list keeps the folder's volume.
    std::error_code BrowseFolder(const std::string& folder);
    // Combo1 edited or chosen.
    void ChangePattern(const std::string& pattern);
    // Refresh (表示更新): re-read folder and file lists; a vanished folder gives way to its volume's root.
    void Refresh();
    // A disconnected share is left: a folder on it goes to the root folder, read again.
    void LeaveShare(const std::string& share);
    // A click in File1: the first selected file goes to the open tool windows.
    void FileListClicked();

    // A tool window that follows the file list while a window of that objectName is open.
    // They are asked in the order ACLView (Form9), HexView (Form6), ChoiView (Form5).
    void AddFollowTarget(const QString& windowName, FollowTarget* target);

    const std::string& CurrentFolder() const { return folder_; }
    const std::string& Pattern() const { return pattern_; }
    BrowserState State() const;
    // The first selected entry's path in list order, empty when nothing is selected.
    std::string FirstSelectedPath() const;

private:
    // Sets Dir1's path; the file list follows. Returns the read error, leaving all as it was.
    std::error_code SetFolder(const std::string& folder);
    // SetFolder without the optional select-all: the lists are read again, nothing chosen.
    std::error_code ReadFolder(const std::string& folder);
    void ReloadFiles();

    BrowserWidgets widgets_;
    UserDialogs& dialogs_;
    SubfolderLister listSubfolders_;
    std::string folder_;
    std::string pattern_ = "*.*";
    bool showHidden_ = false;
    bool showSystem_ = false;
    bool selectingAllFiles_ = false;
    bool folderChangeSelectsAll_ = false;
    std::map<QString, FollowTarget*> followers_;
};

}  // namespace pelmora
