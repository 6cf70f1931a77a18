#pragma once
// Drive1: the mounted volumes, each shown with its label where it has one.

#include <QComboBox>
#include <string>
#include <vector>

#include "platform/volume_list.h"

namespace pelmora {

class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    void SetVolumes(const std::vector<platform::Volume>& volumes);
    // Shows the volume the path lies on (the one with the longest matching mount point).
    void ShowVolumeOf(const std::string& path);
    std::string CurrentMountPoint() const;

signals:
    // The user chose a volume.
    void volumeChosen(const std::string& mountPoint);
};

// Index of the volume holding the path, or -1.
int VolumeIndexOf(const std::vector<std::string>& mountPoints, const std::string& path);

}  // namespace pelmora
