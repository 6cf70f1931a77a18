#pragma once
// What the small tool windows (HexView, ACLView) share: their fixed-pitch font, their
// labels and the file path of a shell drop.

#include <QFont>
#include <optional>
#include <string>

class QLabel;
class QLayout;
class QMimeData;
class QUrl;
class QWidget;

namespace pelmora {

class MiddleElidedLabel;

// "ＭＳ ゴシック" where that name gives a fixed-pitch font, otherwise the system's
// fixed-pitch font, at pointSize.
QFont ToolWindowFixedFont(int pointSize);

// font for all of text: when font's own family lacks some of its characters (Japanese in
// a Latin font), the family the system falls back to for them draws the whole text, so
// that digits and letters do not come from another font than the rest. font itself when it
// covers the text, or when no single family does.
QFont OneFontForText(const QFont& font, const QString& text);

// A plain-text label added to layout; a long text in it is cut off rather than widening
// the window.
QLabel* AddToolWindowLabel(QWidget* parent, QLayout* layout, const char* objectName, const QString& caption);

// The same for the "Path:[ … ]" label: a long path is cut in the middle.
MiddleElidedLabel* AddToolWindowPathLabel(QWidget* parent, QLayout* layout, const char* objectName,
                                          const QString& caption);

// The local path of a dropped file URL as the bytes the file system uses, so that names
// which are not valid UTF-8 survive. A URL with a host gives a "//host/..." network path.
// Nothing for a URL that is not a file URL.
std::optional<std::string> FilePathOfUrl(const QUrl& url);

// The first file of a drop carrying a file list; nothing for any other drop.
std::optional<std::string> FirstDroppedFilePath(const QMimeData* mime);

}  // namespace pelmora
