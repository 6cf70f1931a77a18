#include "app/ui/drive_list.h"

#include <QSignalBlocker>

#include "platform/file_system.h"

namespace pelmora {

int VolumeIndexOf(const std::vector<std::string>& mountPoints, const std::string& path) {
    int best = -1;
    std::size_t bestLength = 0;
    for (std::size_t i = 0; i < mountPoints.size(); ++i) {
        const std::string& mount = mountPoints[i];
        if (platform::IsInFolder(path, mount) && (best < 0 || mount.size() > bestLength)) {
            best = static_cast<int>(i);
            bestLength = mount.size();
        }
    }
    return best;
}

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::activated, this, [this](int) { emit volumeChosen(CurrentMountPoint()); });
}

void DriveList::SetVolumes(const std::vector<platform::Volume>& volumes) {
    const QSignalBlocker blocker(this);
    clear();
    for (const auto& volume : volumes) {
        QString text = QString::fromUtf8(volume.mountPoint);
        if (!volume.label.empty()) text += QStringLiteral(" [%1]").arg(QString::fromUtf8(volume.label));
        addItem(text, QByteArray::fromStdString(volume.mountPoint));
    }
}

void DriveList::ShowVolumeOf(const std::string& path) {
    std::vector<std::string> mountPoints;
    for (int i = 0; i < count(); ++i) mountPoints.push_back(itemData(i).toByteArray().toStdString());
    const int index = VolumeIndexOf(mountPoints, path);
    const QSignalBlocker blocker(this);
    if (index >= 0) setCurrentIndex(index);
}

std::string DriveList::CurrentMountPoint() const { return currentData().toByteArray().toStdString(); }

}  // namespace pelmora
