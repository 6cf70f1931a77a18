#pragma once
// The browser of the main window: drive list, folder list, pattern box and file list, and
// the rule that every folder, pattern or list change selects all files. Events run in the
// order drive, folder, file list.
//
// A folder on a share is read on a thread beside the window, which keeps painting: the lists
// show the folder read before until the reading ends, and a newer choice supersedes it (its
// late result is dropped). The lists change only when a reading has ended, so a listing
// started meanwhile lists what is shown. Local folders are read at once.

#include <QObject>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <system_error>
#include <string>
#include <vector>

#include "common/background_threads.h"
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

// What one reading of a folder gives.
struct FolderRead;

class BrowserController : public QObject, public BrowserSettingsSink {
    Q_OBJECT
public:
    // Told how a reading ended: its error, none when the folder is shown.
    using ReadDone = std::function<void(std::error_code)>;

    BrowserController(const BrowserWidgets& widgets, UserDialogs& dialogs, QObject* parent = nullptr,
                      SubfolderLister listSubfolders = {});
    // Waits for the readings given up (each ends at its server's time-out).
    ~BrowserController() override;

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
    // the folder as it was; the drive list keeps the folder's volume. `done` is told the
    // error when the reading ends: before the return for a local folder.
    void BrowseFolder(const std::string& folder, ReadDone done = {});
    // Combo1 edited or chosen.
    void ChangePattern(const std::string& pattern);
    // Refresh (表示更新): re-read folder and file lists; a vanished folder gives way to its
    // volume's root. A choice still being read gives way to the folder shown.
    void Refresh();
    // A disconnected share is left: a folder on it goes to the root folder, read again.
    void LeaveShare(const std::string& share);
    // A click in File1: the first selected file goes to the open tool windows.
    void FileListClicked();
    // A folder on a share is being read beside the window.
    bool Reading() const { return pending_.has_value(); }
    // The reading threads still running, the ones given up included.
    std::size_t ReadingsUnderWay() const { return threads_.UnderWay(); }

    // A tool window that follows the file list while a window of that objectName is open.
    // They are asked in the order ACLView (Form9), HexView (Form6), ChoiView (Form5).
    void AddFollowTarget(const QString& windowName, FollowTarget* target);

    const std::string& CurrentFolder() const { return folder_; }
    const std::string& Pattern() const { return pattern_; }
    BrowserState State() const;
    // The first selected entry's path in list order, empty when nothing is selected.
    std::string FirstSelectedPath() const;

private:
    // A reading not yet shown.
    struct PendingRead {
        std::uint64_t operation = 0;
        std::string folder;
        bool withSubfolders = true;
        ReadDone then;
        bool started = false;  // false: waits for a thread given up to end
        int credentialsAsked = 0;
    };

    // Sets Dir1's path; the file list follows, then the optional select-all. A read error
    // leaves all as it was.
    void SetFolder(const std::string& folder, ReadDone then = {});
    // Reads the folder's lists (only the file list of the folder shown without
    // withSubfolders) and shows them; then runs once they are shown or the read failed.
    void Read(std::string folder, bool withSubfolders, ReadDone then);
    void ReloadFiles(ReadDone then = {});
    void StartPending();
    void ReadEnded(std::uint64_t operation, FolderRead read);
    // A share that refused the guest: asks on this thread and reads again. False when there
    // is nothing to ask.
    bool AskForCredentials(const FolderRead& read);
    void Show(const FolderRead& read, const ReadDone& then);
    // The pending reading is given up; the drive list goes back to the folder shown.
    void AbandonReading();

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
    std::uint64_t operation_ = 0;
    std::optional<PendingRead> pending_;
    // A share that keeps every request waiting holds a thread each time the user gives up on
    // it and chooses again: a few at most.
    BackgroundThreads threads_{4};
};

}  // namespace pelmora
