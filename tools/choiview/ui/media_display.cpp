#include "tools/choiview/ui/media_display.h"

#include <QFile>

#include <system_error>

#include "i18n/translation.h"
#include "listing/engine/job_context.h"
#include "platform/file_system_service.h"
#include "tools/choiview/choiview_texts.h"
#include "tools/choiview/media_route.h"
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

ViewerDisplay::Loaded MediaDisplay::Load(const std::string& path, std::string_view) {
    loadedCopy_.reset();
    std::error_code error;
    if (!platform::FileSystemFor(path).OpenFileForReading(path, error)) return Loaded::Failed;
    if (MediaRouteOfExtension(ViewerExtension(path)) == MediaRoute::Synthesiser &&
        FindSoundFont(SoundFontFolders(qgetenv("XDG_DATA_DIRS").constData())).empty())
        return Loaded::Failed;
    // A copy that breaks off (a share that drops) is a file that cannot be read.
    const std::string local = LocalPathOf(path, loadedCopy_);
    if (local.empty()) return Loaded::Failed;
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
