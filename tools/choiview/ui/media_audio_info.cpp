#include "tools/choiview/ui/media_audio_info.h"

#include <QFileInfo>
#include <QLabel>
#include <QMediaPlayer>
#include <QVBoxLayout>

#include <algorithm>

#include "tools/choiview/ui/choi_view_names.h"

namespace pelmora {

namespace names = choi_view_names;

QString MediaLengthText(qint64 milliseconds) {
    const qint64 seconds = std::max<qint64>(0, milliseconds) / 1000;
    const QString minutesAndSeconds =
        QStringLiteral("%1:%2").arg(seconds / 60 % 60, seconds >= 3600 ? 2 : 1, 10, QLatin1Char('0')).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return seconds >= 3600 ? QStringLiteral("%1:").arg(seconds / 3600) + minutesAndSeconds : minutesAndSeconds;
}

MediaAudioInfo::MediaAudioInfo(QWidget* parent) : QWidget(parent) {
    setObjectName(names::kMediaAudioInfo);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    name_ = new QLabel(this);
    name_->setObjectName(names::kMediaAudioName);
    name_->setAlignment(Qt::AlignCenter);
    name_->setTextFormat(Qt::PlainText);
    name_->setWordWrap(true);
    QFont larger = name_->font();
    if (larger.pointSizeF() > 0) larger.setPointSizeF(larger.pointSizeF() * 1.25);
    larger.setBold(true);
    name_->setFont(larger);
    length_ = new QLabel(this);
    length_->setObjectName(names::kMediaAudioLength);
    length_->setAlignment(Qt::AlignCenter);
    layout->addStretch(1);
    layout->addWidget(name_);
    layout->addWidget(length_);
    layout->addStretch(1);
    hide();
}

void MediaAudioInfo::Follow(QMediaPlayer* player, QWidget* video, const QString& path) {
    name_->setText(QFileInfo(path).fileName());
    length_->clear();
    hide();
    video->show();
    auto showFitting = [this, player, video] {
        const QMediaPlayer::MediaStatus status = player->mediaStatus();
        const bool known = status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferingMedia ||
                           status == QMediaPlayer::BufferedMedia || status == QMediaPlayer::EndOfMedia;
        if (player->hasVideo() || !known) {
            hide();
            video->show();
        } else {
            video->hide();
            show();
        }
    };
    connect(player, &QMediaPlayer::mediaStatusChanged, this, showFitting);
    connect(player, &QMediaPlayer::hasVideoChanged, this, showFitting);
    connect(player, &QMediaPlayer::durationChanged, this,
            [this](qint64 milliseconds) { length_->setText(MediaLengthText(milliseconds)); });
}

QString MediaAudioInfo::NameText() const { return name_->text(); }

QString MediaAudioInfo::LengthText() const { return length_->text(); }

}  // namespace pelmora
