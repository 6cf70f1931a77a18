#include "app/ui/browser_controller.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QListView>
#include <QSignalBlocker>

#include "app/ui/drive_list.h"
#include "app/ui/file_list_model.h"
#include "app/ui/folder_list_widget.h"
#include "common/follow_target.h"
#include "app/ui/main_window_names.h"
#include "app/ui/window_open.h"
#include "app/ui/main_window_texts.h"
#include "i18n/translation.h"
#include "listing/engine/folder_contents.h"
#include "platform/file_system.h"
#include "platform/smb_file_system.h"
#include "platform/volume_list.h"
#include "tools/aclview/ui/acl_view_names.h"
#include "tools/hexview/ui/hex_view_names.h"
#include "tools/network/net_drive_connection.h"

namespace pelmora {

BrowserController::BrowserController(const BrowserWidgets& widgets, UserDialogs& dialogs, QObject* parent,
                                     SubfolderLister listSubfolders)
    : QObject(parent),
      widgets_(widgets),
      dialogs_(dialogs),
      listSubfolders_(listSubfolders ? std::move(listSubfolders) : SubfolderLister(ListSubfolderNames)) {
    connect(widgets_.driveList, &DriveList::volumeChosen, this, &BrowserController::ChangeDrive);
    connect(widgets_.folderList, &FolderListWidget::folderClicked, this, &BrowserController::OpenFolder);
    connect(widgets_.patternBox, &QComboBox::editTextChanged, this,
            [this](const QString& text) { ChangePattern(text.toStdString()); });
    // A chosen item has changed the text already, which read the list; choosing the item
    // that is shown again only selects every file.
    connect(widgets_.patternBox, &QComboBox::activated, this, [this](int) {
        const std::string text = widgets_.patternBox->currentText().toStdString();
        if (text == pattern_) {
            SelectAllFiles();
        } else {
            ChangePattern(text);
        }
    });
    connect(widgets_.fileList, &QListView::clicked, this, [this](const QModelIndex&) { FileListClicked(); });
    // A selection moved by the keyboard counts as a click too; one made with the mouse is
    // handed over once, when the click ends.
    connect(widgets_.fileList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (QGuiApplication::mouseButtons() == Qt::NoButton) FileListClicked();
    });
}

void BrowserController::SetDirPath(const std::string& path) {
    widgets_.driveList->ShowVolumeOf(path);
    SetFolder(path);
}

void BrowserController::SetPattern(const std::string& pattern) {
    {
        const QSignalBlocker blocker(widgets_.patternBox);
        widgets_.patternBox->setEditText(QString::fromUtf8(pattern));
    }
    ChangePattern(pattern);
}

void BrowserController::SetHiddenSystemDisplay(bool hidden, bool system) {
    // Re-reading drops the user's selection, so only a real change re-reads.
    if (hidden == showHidden_ && system == showSystem_) return;
    showHidden_ = hidden;
    showSystem_ = system;
    // The folder list shows hidden folders by the same switch, so the walks see what it shows.
    if (folder_.empty()) return;
    // A folder that cannot be re-read keeps its folder list; its files still follow the switches.
    if (ReadFolder(folder_)) ReloadFiles();
}

void BrowserController::SelectAllFiles() {
    selectingAllFiles_ = true;
    const int rows = widgets_.files->rowCount();
    QItemSelectionModel* selection = widgets_.fileList->selectionModel();
    if (rows > 0) {
        const QItemSelection all(widgets_.files->index(0), widgets_.files->index(rows - 1));
        selection->select(all, QItemSelectionModel::ClearAndSelect);
    } else {
        selection->clearSelection();
    }
    selectingAllFiles_ = false;
}

std::error_code BrowserController::SetFolder(const std::string& folder) {
    const std::error_code error = ReadFolder(folder);
    if (error) return error;
    // Dir1 changed: File1 followed, then the optional select-all.
    if (folderChangeSelectsAll_) SelectAllFiles();
    return {};
}

std::error_code BrowserController::ReadFolder(const std::string& folder) {
    std::error_code error;
    std::vector<std::string> subfolders = listSubfolders_(folder, showHidden_, error);
    if (error) return error;
    folder_ = folder;
    widgets_.folderList->ShowFolder(folder_, subfolders);
    ReloadFiles();
    return {};
}

void BrowserController::ReloadFiles() {
    std::error_code error;
    std::vector<std::string> names = ListFolderFiles(folder_, pattern_, showHidden_, showSystem_, error);
    // An unreadable folder shows what could be read, usually nothing.
    widgets_.files->SetNames(std::move(names));
}

void BrowserController::ChangeDrive(const std::string& mountPoint) {
    // A share chosen anew asks for credentials again, even right after a refused question.
    if (platform::IsNetworkPath(mountPoint)) platform::AskAgainForCredentials(ServerOfShare(mountPoint));
    const std::error_code error = SetFolder(mountPoint);
    if (!error) return;
    // The list goes back to the volume of the folder still shown, so that what is listed
    // is what the lists show, and choosing the volume again tries again.
    widgets_.driveList->ShowVolumeOf(folder_);
    if (platform::IsDeviceUnavailable(error)) {
        dialogs_.Beep();
        dialogs_.ShowMessage(Translated(texts::kDriveUnavailable));
    } else if (platform::IsNetworkPath(mountPoint)) {
        dialogs_.ShowMessage(Translated(texts::kFolderReadFailed));
    }
}

void BrowserController::OpenFolder(const std::string& folder) {
    if (!SetFolder(folder)) return;
    widgets_.folderList->HighlightShownFolder();
    dialogs_.ShowMessage(Translated(texts::kFolderReadFailed));
}

std::error_code BrowserController::BrowseFolder(const std::string& folder) {
    widgets_.driveList->ShowVolumeOf(folder);
    return SetFolder(folder);
}

void BrowserController::ChangePattern(const std::string& pattern) {
    pattern_ = pattern;
    ReloadFiles();
    SelectAllFiles();
}

void BrowserController::LeaveShare(const std::string& share) {
    if (!IsOnShare(folder_, share)) return;
    const std::string root = platform::RootFolder();
    widgets_.driveList->ShowVolumeOf(root);
    SetFolder(root);
}

void BrowserController::Refresh() {
    if (!platform::IsNetworkPath(folder_) && !platform::FolderExists(folder_)) {
        // The root of the current volume; "/" when that is gone too.
        const std::string mountPoint = widgets_.driveList->CurrentMountPoint();
        const std::string root = !mountPoint.empty() && platform::FolderExists(mountPoint) ? mountPoint : platform::RootFolder();
        widgets_.driveList->ShowVolumeOf(root);
        if (SetFolder(root)) {
            dialogs_.ShowMessage(Translated(texts::kFolderReadFailed));
            return;
        }
    } else if (SetFolder(folder_)) {
        dialogs_.ShowMessage(Translated(texts::kFolderReadFailed));
        return;
    }
    // SetFolder has read the file list again.
    SelectAllFiles();
}

std::string BrowserController::FirstSelectedPath() const {
    int first = -1;
    for (const QItemSelectionRange& range : widgets_.fileList->selectionModel()->selection()) {
        if (first < 0 || range.top() < first) first = range.top();
    }
    const auto& names = widgets_.files->Names();
    if (first < 0 || first >= static_cast<int>(names.size())) return {};
    return platform::JoinPath(folder_, names[static_cast<std::size_t>(first)]);
}

void BrowserController::FileListClicked() {
    if (selectingAllFiles_) return;
    const std::string path = FirstSelectedPath();
    for (const char* windowName :
         {acl_view_names::kWindow, hex_view_names::kWindow, main_window_names::kChoiViewWindow}) {
        const auto follower = followers_.find(QString::fromLatin1(windowName));
        if (follower != followers_.end() && IsWindowOpen(follower->first)) follower->second->FollowPath(path);
    }
}

void BrowserController::AddFollowTarget(const QString& windowName, FollowTarget* target) {
    followers_[windowName] = target;
}

BrowserState BrowserController::State() const {
    BrowserState state;
    state.folder = folder_;
    state.pattern = pattern_;
    state.showHidden = showHidden_;
    state.showSystem = showSystem_;
    state.entries = widgets_.files->Names();
    state.selected.assign(state.entries.size(), false);
    for (const QItemSelectionRange& range : widgets_.fileList->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            if (row >= 0 && row < static_cast<int>(state.selected.size())) state.selected[static_cast<std::size_t>(row)] = true;
        }
    }
    return state;
}

}  // namespace pelmora
