#include "app/ui/browser_controller.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QListView>
#include <QPointer>
#include <QSignalBlocker>

#include "app/ui/drive_list.h"
#include "app/ui/file_list_model.h"
#include "app/ui/folder_list_widget.h"
#include "common/follow_target.h"
#include "common/ui/credential_questions.h"
#include "app/ui/main_window_names.h"
#include "app/ui/window_open.h"
#include "app/ui/main_window_texts.h"
#include "i18n/translation.h"
#include "listing/engine/folder_contents.h"
#include "platform/file_system.h"
#include "platform/smb_credentials.h"
#include "platform/smb_file_system.h"
#include "platform/volume_list.h"
#include "tools/aclview/ui/acl_view_names.h"
#include "tools/hexview/ui/hex_view_names.h"
#include "tools/network/net_drive_connection.h"

namespace pelmora {

struct FolderRead {
    std::string folder;
    bool withSubfolders = true;
    std::vector<std::string> subfolders;
    std::vector<std::string> files;
    std::error_code error;
    // The credential asker could ask on the reading's thread, so a refusal is final.
    bool couldAskBeside = false;
};

namespace {

FolderRead ReadFolderLists(const std::string& folder, bool withSubfolders, const std::string& pattern, bool showHidden,
                           bool showSystem, const SubfolderLister& listSubfolders) {
    FolderRead read;
    read.folder = folder;
    read.withSubfolders = withSubfolders;
    const platform::SmbCredentialAsker* asker = platform::SmbCredentialStore::ForThisRun().Asker();
    read.couldAskBeside = asker != nullptr && asker->CanAskOnThisThread();
    if (withSubfolders) {
        read.subfolders = listSubfolders(folder, showHidden, read.error);
        if (read.error) return read;
    }
    std::error_code filesError;
    read.files = ListFolderFiles(folder, pattern, showHidden, showSystem, filesError);
    if (!withSubfolders) read.error = filesError;
    return read;
}

// "share" of "//server/share/...".
std::string ShareNameOf(const std::string& path) {
    const std::string server = ServerOfShare(path);
    if (server.empty()) return {};
    const std::size_t start = 2 + server.size() + 1;
    if (start >= path.size()) return {};
    return path.substr(start, path.find('/', start) - start);
}

}  // namespace

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

BrowserController::~BrowserController() {
    pending_.reset();
    threads_.JoinAll();
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
    // A folder being read is read again with the new switches.
    if (pending_ && pending_->withSubfolders) {
        Read(pending_->folder, true, std::move(pending_->then));
        return;
    }
    // The folder list shows hidden folders by the same switch, so the walks see what it shows.
    if (folder_.empty()) return;
    // A folder that cannot be re-read keeps its folder list; its files still follow the switches.
    Read(folder_, true, [this](std::error_code error) {
        if (error) ReloadFiles();
    });
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

void BrowserController::SetFolder(const std::string& folder, ReadDone then) {
    Read(folder, true, [this, then = std::move(then)](std::error_code error) {
        // Dir1 changed: File1 followed, then the optional select-all.
        if (!error && folderChangeSelectsAll_) SelectAllFiles();
        if (then) then(error);
    });
}

void BrowserController::ReloadFiles(ReadDone then) { Read(folder_, false, std::move(then)); }

void BrowserController::Read(std::string folder, bool withSubfolders, ReadDone then) {
    // A newer choice wins: the reading under way is dropped when it ends.
    ++operation_;
    pending_.reset();
    if (!platform::IsNetworkPath(folder)) {
        FolderRead read = ReadFolderLists(folder, withSubfolders, pattern_, showHidden_, showSystem_, listSubfolders_);
        Show(read, then);
        return;
    }
    pending_ = PendingRead{operation_, std::move(folder), withSubfolders, std::move(then)};
    StartPending();
}

void BrowserController::StartPending() {
    if (!pending_ || pending_->started) return;
    const std::uint64_t operation = pending_->operation;
    pending_->started = threads_.Run([this, operation, folder = pending_->folder,
                                      withSubfolders = pending_->withSubfolders, pattern = pattern_,
                                      hidden = showHidden_, system = showSystem_,
                                      lister = listSubfolders_]() -> std::function<void()> {
        auto read = std::make_shared<FolderRead>(
            ReadFolderLists(folder, withSubfolders, pattern, hidden, system, lister));
        // The controller joins this thread before it goes, so it is there to receive the result.
        return [this, operation, read] {
            QMetaObject::invokeMethod(
                this, [this, operation, read] { ReadEnded(operation, std::move(*read)); }, Qt::QueuedConnection);
        };
    });
    // Otherwise every thread still waits for a server: the reading starts when one ends.
}

void BrowserController::ReadEnded(std::uint64_t operation, FolderRead read) {
    if (!pending_ || pending_->operation != operation) {
        StartPending();  // a thread given up has made room
        return;
    }
    if (AskForCredentials(read)) return;
    const ReadDone then = std::move(pending_->then);
    pending_.reset();
    Show(read, then);
}

bool BrowserController::AskForCredentials(const FolderRead& read) {
    // The reading thread cannot show a dialog: a share that refuses the guest is asked for
    // here, and read again with the answer; once more after a refused answer.
    const bool refused = read.error == std::errc::permission_denied || read.error == std::errc::operation_not_permitted;
    if (!refused || read.couldAskBeside) return false;
    const std::string server = ServerOfShare(pending_->folder);
    platform::SmbCredentialStore& store = platform::SmbCredentialStore::ForThisRun();
    if (pending_->credentialsAsked >= 2) {
        store.Forget(server);
        return false;
    }
    // Credentials that were accepted before: the refusal is about this folder.
    if (pending_->credentialsAsked == 0 && store.Find(server)) return false;
    CredentialQuestions& questions = CredentialQuestions::OfWindow();
    if (server.empty() || !questions.CanAsk()) return false;
    const bool again = pending_->credentialsAsked > 0;
    ++pending_->credentialsAsked;
    const std::uint64_t operation = pending_->operation;
    QPointer<BrowserController> self(this);
    questions.Ask(server, ShareNameOf(pending_->folder), again, [self, operation, read](bool given) {
        if (!self || !self->pending_ || self->pending_->operation != operation) return;
        if (given) {
            self->pending_->started = false;
            self->StartPending();
            return;
        }
        const ReadDone then = std::move(self->pending_->then);
        self->pending_.reset();
        self->Show(read, then);
    });
    return true;
}

void BrowserController::Show(const FolderRead& read, const ReadDone& then) {
    if (read.withSubfolders) {
        if (!read.error) {
            folder_ = read.folder;
            widgets_.folderList->ShowFolder(folder_, read.subfolders);
            widgets_.files->SetNames(read.files);
        }
    } else {
        // An unreadable folder shows what could be read, usually nothing.
        widgets_.files->SetNames(read.files);
    }
    if (then) then(read.error);
}

void BrowserController::AbandonReading() {
    if (!pending_) return;
    ++operation_;
    pending_.reset();
    widgets_.driveList->ShowVolumeOf(folder_);
}

void BrowserController::ChangeDrive(const std::string& mountPoint) {
    // A share chosen anew asks for credentials again, even right after a refused question.
    if (platform::IsNetworkPath(mountPoint)) platform::AskAgainForCredentials(ServerOfShare(mountPoint));
    SetFolder(mountPoint, [this, mountPoint](std::error_code error) {
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
    });
}

void BrowserController::OpenFolder(const std::string& folder) {
    SetFolder(folder, [this](std::error_code error) {
        if (!error) return;
        widgets_.folderList->HighlightShownFolder();
        widgets_.driveList->ShowVolumeOf(folder_);
        dialogs_.ShowMessage(Translated(texts::kFolderReadFailed));
    });
}

void BrowserController::BrowseFolder(const std::string& folder, ReadDone done) {
    widgets_.driveList->ShowVolumeOf(folder);
    SetFolder(folder, std::move(done));
}

void BrowserController::ChangePattern(const std::string& pattern) {
    pattern_ = pattern;
    if (pending_ && pending_->withSubfolders) {
        // The folder being read is read again with the pattern; should it fail, the folder
        // shown lists its files by the pattern.
        Read(pending_->folder, true, [this, then = std::move(pending_->then)](std::error_code error) {
            if (then) then(error);
            if (error) {
                ReloadFiles([this](std::error_code) { SelectAllFiles(); });
            } else {
                SelectAllFiles();
            }
        });
        return;
    }
    ReloadFiles([this](std::error_code) { SelectAllFiles(); });
}

void BrowserController::LeaveShare(const std::string& share) {
    if (pending_ && IsOnShare(pending_->folder, share)) AbandonReading();
    if (!IsOnShare(folder_, share)) return;
    const std::string root = platform::RootFolder();
    widgets_.driveList->ShowVolumeOf(root);
    SetFolder(root);
}

void BrowserController::Refresh() {
    const auto shown = [this](std::error_code error) {
        if (error) {
            dialogs_.ShowMessage(Translated(texts::kFolderReadFailed));
            return;
        }
        // SetFolder has read the file list again.
        SelectAllFiles();
    };
    if (!platform::IsNetworkPath(folder_) && !platform::FolderExists(folder_)) {
        // The root of the current volume; "/" when that is gone too.
        const std::string mountPoint = widgets_.driveList->CurrentMountPoint();
        const std::string root = !mountPoint.empty() && platform::FolderExists(mountPoint) ? mountPoint : platform::RootFolder();
        widgets_.driveList->ShowVolumeOf(root);
        SetFolder(root, shown);
        return;
    }
    // The folder shown is read again; a choice still being read gives way to it.
    widgets_.driveList->ShowVolumeOf(folder_);
    SetFolder(folder_, shown);
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
