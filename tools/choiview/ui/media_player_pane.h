#pragma once
// MediaPlayer1: plays a sound or video file with play, pause and stop buttons, a position
// bar and the volume; a video fills the area above the controls with its aspect kept. The
// engine (QMediaPlayer through GStreamer, its audio output and video view) is made when
// a file is given, so a viewer that never plays pays nothing for it.

#include <QString>
#include <QWidget>

#include "tools/choiview/media_play_state.h"

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QPushButton;
class QSlider;
class QVBoxLayout;

namespace pelmora {

class MediaAudioInfo;
class VideoFrameView;

class MediaPlayerPane : public QWidget {
    Q_OBJECT
public:
    explicit MediaPlayerPane(QWidget* parent);
    ~MediaPlayerPane() override;

    // The control's file name: a path starts playing it; empty stops and lets go of the file.
    void SetFileName(const QString& path);
    QString FileName() const { return fileName_; }

    MediaPlayState PlayState() const;
    void Play();
    void Pause();
    void Stop();

    // The engine's parts: the player exists while a file is given, the video view from the
    // first file on.
    QMediaPlayer* Player() const { return player_; }
    VideoFrameView* Video() const { return video_; }

signals:
    // The file given last cannot be played. Known only after SetFileName returned; sent once
    // per file, after the player has let go of it.
    void OpenFailed();

private:
    void MakePlayer();
    void DropPlayer();
    void Fail();
    void FailIfStillLoading(unsigned generation);
    void ShowProgress();
    void UpdateButtons();

    QVBoxLayout* layout_ = nullptr;
    QPushButton* play_ = nullptr;
    QPushButton* pause_ = nullptr;
    QPushButton* stop_ = nullptr;
    QSlider* position_ = nullptr;
    QLabel* time_ = nullptr;
    QSlider* volume_ = nullptr;

    QMediaPlayer* player_ = nullptr;
    QAudioOutput* audio_ = nullptr;
    VideoFrameView* video_ = nullptr;
    MediaAudioInfo* audioInfo_ = nullptr;  // in the video's place for a file without pictures

    QString fileName_;
    bool failed_ = false;
    // How long a file may take to open before it counts as one that cannot be played.
    static constexpr int kOpenTimeLimitMs = 5000;
    // Counts the files given, so a late report about an earlier file is ignored.
    unsigned generation_ = 0;
};

}  // namespace pelmora
