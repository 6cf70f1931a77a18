#pragma once
// What the small tool windows (HexView, ACLView) share: their fixed-pitch font, their
// labels, the file path of a shell drop, and opening and closing at a remembered place in twips.

#include <QFont>
#include <cstdint>
#include <optional>
#include <string>

#include "common/window_placement.h"

class QLabel;
class QLayout;
class QMimeData;
class QUrl;
class QWidget;

namespace pelmora {

// "ＭＳ ゴシック" where that name gives a fixed-pitch font, otherwise the system's
// fixed-pitch font, at pointSize.
QFont ToolWindowFixedFont(int pointSize);

// A plain-text label added to layout; a long path in it is cut off rather than widening
// the window.
QLabel* AddToolWindowLabel(QWidget* parent, QLayout* layout, const char* objectName, const QString& caption);

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

// On close: the window's position into left and top and into the settings file under
// section. A position that cannot be written does not keep the window open.
void SaveToolWindowPosition(const QWidget& window, const char* section, const char* leftKey, const char* topKey,
                            std::int32_t& left, std::int32_t& top, const std::string& iniPath);

}  // namespace pelmora
