#pragma once
// A "SUSIE" picture for Picture1: decoded by its image-reader plug-in and made a QImage.

#include <QImage>
#include <string>

#include "tools/choiview/plugin_folders.h"
#include "tools/choiview/plugin_picture.h"

namespace pelmora {

class UserDialogs;

// The picture at its natural size; a null image when the plug-in decoded nothing (a plug-in
// that cannot be used at all is reported in a message box first).
QImage ReadPluginPicture(const std::string& path, const PluginFolders& where, UserDialogs& dialogs);

// What ReadPluginPicture makes of a plug-in's result.
QImage ShownPluginPicture(const PluginPicture& decoded, UserDialogs& dialogs);

}  // namespace pelmora
