#pragma once
// The media player display (MediaPlayer1) for MPLAYER files: sound, video and MIDI. Whether
// a file plays is known only once the engine has tried it, so a file that cannot be decoded
// is reported after it was put on show, with the same message as a file that cannot be read.

#include <QString>

#include "tools/choiview/ui/viewer_display.h"

class QWidget;

namespace pelmora {

class MediaPlayerPane;
class UserDialogs;

class MediaDisplay : public ViewerDisplay {
public:
    // dialogs: where a file that cannot be played is reported.
    MediaDisplay(QWidget* window, UserDialogs& dialogs);

    Loaded Load(const std::string& path, std::string_view kind) override;
    void Present(const ViewerGeometry& geometry) override;
    void Reset() override;
    void Relayout(const ViewerGeometry& geometry) override;
    bool IsShowing() const override;
    void PausePlayback() override;
    void StopPlayback() override;

private:
    MediaPlayerPane* pane_ = nullptr;
    QString loaded_;
};

}  // namespace pelmora
