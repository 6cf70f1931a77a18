#pragma once
// The media player display (MediaPlayer1) for MPLAYER files: sound, video and MIDI. Whether
// a file plays is known only once the engine has tried it, so a file that cannot be decoded
// is reported after it was put on show, with the same message as a file that cannot be read.
// The engine plays local files; one on a share plays from a private copy, kept while it shows,
// made beside the window (which paints meanwhile): a newer file or the window's closing
// abandons a copy still being made.

#include <QString>

#include <memory>

#include "tools/choiview/ui/viewer_display.h"
#include "tools/choiview/viewer_file_bytes.h"

class QWidget;

namespace pelmora {

class IsolatedCallWait;
class MediaPlayerPane;
class UserDialogs;

class MediaDisplay : public ViewerDisplay {
public:
    // dialogs: where a file that cannot be played is reported.
    MediaDisplay(QWidget* window, UserDialogs& dialogs);
    ~MediaDisplay() override;

    Loaded Load(const std::string& path, std::string_view kind) override;
    void Present(const ViewerGeometry& geometry) override;
    void Reset() override;
    void Relayout(const ViewerGeometry& geometry) override;
    bool IsShowing() const override;
    void PausePlayback() override;
    void StopPlayback() override;

private:
    void AbandonWaiting();

    MediaPlayerPane* pane_ = nullptr;
    QString loaded_;
    std::unique_ptr<PrivateFileCopy> loadedCopy_;  // of the file loaded, until it is shown
    std::unique_ptr<PrivateFileCopy> shownCopy_;   // of the file on show
    // The wait of the file being copied, shared with its Load, which may outlive this display.
    std::shared_ptr<IsolatedCallWait> waiting_;
};

}  // namespace pelmora
