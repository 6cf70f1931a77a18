#pragma once
// Inside MediaPlayer1, in place of the video for a file without pictures (sound, MIDI): the
// file's name and its length, instead of an empty black box.

#include <QWidget>

class QLabel;
class QMediaPlayer;

namespace pelmora {

class MediaAudioInfo : public QWidget {
    Q_OBJECT
public:
    explicit MediaAudioInfo(QWidget* parent);

    // Follows the player of a new file: the video widget stays on show while the file may
    // have pictures; once it is known to have none, this takes the video's place.
    void Follow(QMediaPlayer* player, QWidget* video, const QString& path);

    QString NameText() const;
    QString LengthText() const;

private:
    QLabel* name_ = nullptr;
    QLabel* length_ = nullptr;
};

// A length as the player shows times: minutes and seconds, with hours from an hour on.
QString MediaLengthText(qint64 milliseconds);

}  // namespace pelmora
