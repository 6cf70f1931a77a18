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
    const SharedRgbPicture& picture = decoded.picture;
    if (!picture.pixels) return QImage();
    // The image reads the helper's block in place (read-only: a change would copy it) and
    // keeps it until the image and its copies are gone.
    auto* kept = new std::shared_ptr<const platform::SharedAnswerBytes>(picture.pixels);
    return QImage(
        static_cast<const uchar*>(picture.pixels->Data()), picture.width, picture.height,
        static_cast<qsizetype>(picture.width) * static_cast<qsizetype>(sizeof(std::uint32_t)), QImage::Format_RGB32,
        [](void* block) { delete static_cast<std::shared_ptr<const platform::SharedAnswerBytes>*>(block); }, kept);
}

}  // namespace pelmora
