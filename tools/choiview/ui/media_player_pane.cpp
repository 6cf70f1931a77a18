#include "tools/choiview/ui/media_player_pane.h"

#include <QAudioOutput>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

#include "i18n/ui/translated_text.h"
#include "platform/allocator_tuning.h"
#include "tools/choiview/choiview_texts.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/media_audio_info.h"
#include "tools/choiview/ui/media_backend.h"
#include "tools/choiview/ui/video_frame_view.h"

namespace pelmora {

namespace {

namespace names = choi_view_names;
namespace texts = choiview_texts;

constexpr int kDefaultVolume = 80;  // percent

MediaTransport TransportOf(QMediaPlayer::PlaybackState state) {
    switch (state) {
        case QMediaPlayer::PlayingState:
            return MediaTransport::Playing;
        case QMediaPlayer::PausedState:
            return MediaTransport::Paused;
        case QMediaPlayer::StoppedState:
            break;
    }
    return MediaTransport::Stopped;
}

MediaLoading LoadingOf(QMediaPlayer::MediaStatus status) {
    switch (status) {
        case QMediaPlayer::NoMedia:
            return MediaLoading::NoMedia;
        case QMediaPlayer::LoadingMedia:
            return MediaLoading::Loading;
        case QMediaPlayer::LoadedMedia:
            return MediaLoading::Loaded;
        case QMediaPlayer::StalledMedia:
            return MediaLoading::Stalled;
        case QMediaPlayer::BufferingMedia:
            return MediaLoading::Buffering;
        case QMediaPlayer::BufferedMedia:
            return MediaLoading::Buffered;
        case QMediaPlayer::EndOfMedia:
            return MediaLoading::EndOfMedia;
        case QMediaPlayer::InvalidMedia:
            break;
    }
    return MediaLoading::Invalid;
}

QString Clock(qint64 ms) {
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QPushButton* Button(QWidget* parent, const char* name, UiText text) {
    auto* button = new QPushButton(QTranslated(text), parent);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

MediaPlayerPane::MediaPlayerPane(QWidget* parent) : QWidget(parent) {
    setObjectName(names::kMediaPlayer);
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(2);

    auto* controls = new QHBoxLayout;
    controls->setContentsMargins(2, 0, 2, 2);
    play_ = Button(this, names::kMediaPlay, texts::kMediaPlay);
    pause_ = Button(this, names::kMediaPause, texts::kMediaPause);
    stop_ = Button(this, names::kMediaStop, texts::kMediaStop);
    position_ = new QSlider(Qt::Horizontal, this);
    position_->setObjectName(names::kMediaPosition);
    position_->setRange(0, 0);
    time_ = new QLabel(Clock(0) + QStringLiteral(" / ") + Clock(0), this);
    time_->setObjectName(names::kMediaTime);
    auto* volumeLabel = new QLabel(QTranslated(texts::kMediaVolume), this);
    volume_ = new QSlider(Qt::Horizontal, this);
    volume_->setObjectName(names::kMediaVolume);
    volume_->setRange(0, 100);
    volume_->setValue(kDefaultVolume);
    volume_->setFixedWidth(80);
    for (QWidget* w : {static_cast<QWidget*>(play_), static_cast<QWidget*>(pause_), static_cast<QWidget*>(stop_)})
        controls->addWidget(w);
    controls->addWidget(position_, 1);
    controls->addWidget(time_);
    controls->addSpacing(8);
    controls->addWidget(volumeLabel);
    controls->addWidget(volume_);
    layout_->addStretch(1);  // the video's place until the engine is made
    layout_->addLayout(controls);

    connect(play_, &QPushButton::clicked, this, &MediaPlayerPane::Play);
    connect(pause_, &QPushButton::clicked, this, &MediaPlayerPane::Pause);
    connect(stop_, &QPushButton::clicked, this, &MediaPlayerPane::Stop);
    connect(position_, &QSlider::sliderMoved, this, [this](int ms) {
        if (player_ != nullptr && player_->isSeekable()) player_->setPosition(ms);
    });
    connect(volume_, &QSlider::valueChanged, this, [this](int percent) {
        if (audio_ != nullptr) audio_->setVolume(static_cast<float>(percent) / 100.0F);
    });
    UpdateButtons();
}

MediaPlayerPane::~MediaPlayerPane() { DropPlayer(); }

void MediaPlayerPane::MakePlayer() {
    UseGStreamerMediaBackend();
    if (video_ == nullptr) {
        video_ = new VideoFrameView(this);
        video_->setObjectName(names::kMediaVideo);
        delete layout_->takeAt(0);  // the stretch that held the place
        layout_->insertWidget(0, video_, 1);
        audioInfo_ = new MediaAudioInfo(this);
        layout_->insertWidget(1, audioInfo_, 1);
    }
    player_ = new QMediaPlayer(this);
    audio_ = new QAudioOutput(this);
    audio_->setVolume(static_cast<float>(volume_->value()) / 100.0F);
    player_->setAudioOutput(audio_);
    player_->setVideoSink(video_->videoSink());
    audioInfo_->Follow(player_, video_, fileName_);

    connect(player_, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error) {
        if (error != QMediaPlayer::NoError) Fail();
    });
    connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::InvalidMedia) Fail();
        UpdateButtons();
    });
    connect(player_, &QMediaPlayer::playbackStateChanged, this, &MediaPlayerPane::UpdateButtons);
    connect(player_, &QMediaPlayer::durationChanged, this, &MediaPlayerPane::ShowProgress);
    connect(player_, &QMediaPlayer::positionChanged, this, &MediaPlayerPane::ShowProgress);
}

void MediaPlayerPane::DropPlayer() {
    if (player_ == nullptr) return;
    player_->stop();
    delete player_;
    player_ = nullptr;
    delete audio_;
    audio_ = nullptr;
    // The pipeline just let go of its buffers and threads; what the allocator keeps of them
    // would otherwise stay resident until it happens to be reused.
    platform::ReturnFreeHeapMemory();
    // No frame of the file let go stays on show.
    video_->videoSink()->setVideoFrame(QVideoFrame());
}

void MediaPlayerPane::SetFileName(const QString& path) {
    ++generation_;
    failed_ = false;
    fileName_ = path;
    // One player per file: Qt 6.4's player keeps memory for every file it was given, and a
    // fresh one hears nothing left over from the file before.
    DropPlayer();
    if (!path.isEmpty()) {
        MakePlayer();
        player_->setSource(QUrl::fromLocalFile(path));
        player_->play();
        // The engine at times never answers for a file it cannot type: it counts as failed.
        QTimer::singleShot(kOpenTimeLimitMs, this, [this, generation = generation_] { FailIfStillLoading(generation); });
    }
    ShowProgress();
    UpdateButtons();
}

MediaPlayState MediaPlayerPane::PlayState() const {
    if (player_ == nullptr || fileName_.isEmpty() || failed_) return MediaPlayState::Closed;
    return PlayStateOf(TransportOf(player_->playbackState()), LoadingOf(player_->mediaStatus()),
                       player_->position() > 0);
}

void MediaPlayerPane::Play() {
    if (player_ != nullptr && !fileName_.isEmpty() && !failed_) player_->play();
}

void MediaPlayerPane::Pause() {
    if (player_ != nullptr && !fileName_.isEmpty() && !failed_) player_->pause();
}

void MediaPlayerPane::Stop() {
    if (player_ != nullptr) player_->stop();
}

void MediaPlayerPane::Fail() {
    // The engine reports some faults twice, and a file given later must not be blamed.
    if (failed_ || fileName_.isEmpty()) return;
    failed_ = true;
    UpdateButtons();
    // The player is let go of outside its own signal.
    QMetaObject::invokeMethod(
        this,
        [this, generation = generation_] {
            if (generation != generation_) return;
            DropPlayer();
            ShowProgress();
            emit OpenFailed();
        },
        Qt::QueuedConnection);
}

void MediaPlayerPane::FailIfStillLoading(unsigned generation) {
    if (generation == generation_ && PlayState() == MediaPlayState::Waiting && player_->position() == 0) Fail();
}

void MediaPlayerPane::ShowProgress() {
    const qint64 duration = player_ != nullptr ? player_->duration() : 0;
    const qint64 position = player_ != nullptr ? player_->position() : 0;
    position_->setRange(0, static_cast<int>(std::min<qint64>(duration, INT_MAX)));
    if (!position_->isSliderDown()) position_->setValue(static_cast<int>(std::min<qint64>(position, INT_MAX)));
    time_->setText(Clock(position) + QStringLiteral(" / ") + Clock(duration));
}

void MediaPlayerPane::UpdateButtons() {
    const MediaPlayState state = PlayState();
    const bool open = state != MediaPlayState::Closed;
    play_->setEnabled(open && state != MediaPlayState::Playing);
    pause_->setEnabled(state == MediaPlayState::Playing);
    stop_->setEnabled(state == MediaPlayState::Playing || state == MediaPlayState::Paused);
    position_->setEnabled(open);
}

}  // namespace pelmora
