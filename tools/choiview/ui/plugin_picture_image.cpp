#include "tools/choiview/ui/plugin_picture_image.h"

#include "listing/engine/job_context.h"

namespace pelmora {

QImage ReadPluginPicture(const std::string& path, const PluginFolders& where, UserDialogs& dialogs) {
    return ShownPluginPicture(LoadPluginPicture(path, where), dialogs);
}

QImage ShownPluginPicture(const PluginPicture& decoded, UserDialogs& dialogs) {
    if (decoded.failureMessage) {
        dialogs.ShowMessage(*decoded.failureMessage);
        return QImage();
    }
    if (decoded.code != plugin_code::kSuccess) return QImage();
    const RgbPicture& picture = decoded.picture;
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    if (image.isNull()) return image;
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = picture.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width);
        std::copy(row, row + picture.width, reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    }
    return image;
}

}  // namespace pelmora
