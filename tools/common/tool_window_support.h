#pragma once
// What the small tool windows (HexView, ACLView) share: their fixed-pitch font, the
// file path of a shell drop, and opening and closing at a remembered place in twips.

#include <QFont>
#include <optional>
#include <string>

#include "app/window_placement.h"

class QMimeData;
class QUrl;
class QWidget;

namespace pelmora {

// "ＭＳ ゴシック" where that name gives a fixed-pitch font, otherwise the system's
// fixed-pitch font, at pointSize.
QFont ToolWindowFixedFont(int pointSize);

// The local path of a dropped file URL as the bytes the file system uses, so that names
// which are not valid UTF-8 survive. A URL with a host gives a "//host/..." network path.
// Nothing for a URL that is not a file URL.
std::optional<std::string> FilePathOfUrl(const QUrl& url);

// The first file of a drop carrying a file list; nothing for any other drop.
std::optional<std::string> FirstDroppedFilePath(const QMimeData* mime);

// Moves window to its saved place (twips, relative to its screen) when useSaved and the
// place lies inside the screen, otherwise to the centre of the screen.
void PlaceToolWindow(QWidget& window, bool useSaved, int savedLeft, int savedTop);

// PlaceToolWindow and show. Placed once more when showing reveals the window frame, so
// that a centred window is centred with its frame.
void OpenToolWindow(QWidget& window, bool useSaved, int savedLeft, int savedTop);

// The window's current left and top in twips, relative to its screen.
TwipsPoint ToolWindowPosition(const QWidget& window);

}  // namespace pelmora
