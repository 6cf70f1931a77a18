#include "tools/choiview/ui/media_display.h"

#include <QFile>


#include "i18n/translation.h"
#include "listing/engine/job_context.h"
#include "tools/choiview/choiview_texts.h"
#include "tools/choiview/media_route.h"
#include "tools/choiview/ui/isolated_call_wait.h"
#include "tools/choiview/ui/media_player_pane.h"
#include "tools/choiview/viewer_file_names.h"

namespace pelmora {

MediaDisplay::MediaDisplay(QWidget* window, UserDialogs& dialogs) {
    pane_ = new MediaPlayerPane(window);
    pane_->hide();
    // Queued: the message box waits until the engine's report has been handled.
    QObject::connect(
        pane_, &MediaPlayerPane::OpenFailed, pane_,
        [&dialogs] { dialogs.ShowMessage(Translated(choiview_texts::kOpenFailed)); }, Qt::QueuedConnection);
}

MediaDisplay::~MediaDisplay() { AbandonWaiting(); }

void MediaDisplay::AbandonWaiting() {
    if (waiting_) waiting_->Abandon();
    waiting_.reset();
}

ViewerDisplay::Loaded MediaDisplay::Load(const std::string& path, std::string_view) {
    AbandonWaiting();
    loadedCopy_.reset();
    const auto wait = std::make_shared<IsolatedCallWait>();
    waiting_ = wait;
    const bool opens = CanOpenFile(path, wait->Reader());
    // A newer file or the window's closing came meanwhile: this file is not shown, and the
    // display is not touched (it may be gone).
    if (wait->Abandoned()) return Loaded::Unchanged;
    if (!opens) return Loaded::Failed;
    if (MediaRouteOfExtension(ViewerExtension(path)) == MediaRoute::Synthesiser &&
        FindSoundFont(SoundFontFolders(qgetenv("XDG_DATA_DIRS").constData())).empty())
        return Loaded::Failed;
    // A copy that breaks off (a share that drops) is a file that cannot be read.
    std::unique_ptr<PrivateFileCopy> copy;
    const std::string local = LocalPathOf(path, copy, wait->Reader());
    if (wait->Abandoned()) return Loaded::Unchanged;
    waiting_.reset();
    if (local.empty()) return Loaded::Failed;
    loadedCopy_ = std::move(copy);
    loaded_ = QFile::decodeName(QByteArray::fromStdString(local));
    return Loaded::Ready;
}

void MediaDisplay::Present(const ViewerGeometry& geometry) {
    Relayout(geometry);
    pane_->show();
    pane_->SetFileName(loaded_);
    // The copy of the file before goes only once the engine has let go of it.
    shownCopy_ = std::move(loadedCopy_);
    loaded_.clear();
}

void MediaDisplay::Reset() {
    AbandonWaiting();
    pane_->SetFileName({});
    pane_->hide();
    shownCopy_.reset();
}

void MediaDisplay::Relayout(const ViewerGeometry& geometry) { pane_->setGeometry(geometry.ContentArea()); }

bool MediaDisplay::IsShowing() const { return !pane_->isHidden(); }

void MediaDisplay::PausePlayback() {
    if (pane_->PlayState() == MediaPlayState::Playing) pane_->Pause();
}

void MediaDisplay::StopPlayback() { pane_->Stop(); }

}  // namespace pelmora
