#pragma once
// Form5 "ちょいView", the quick viewer: shows the file the main window's file list hands it,
// or the first file dropped on it, with the display its kind word names (viewer_kind.h): the
// text view, the picture box (also for the image-reader plug-ins), the web browser (with PDF
// and office documents) and the media player. One display is on show at a time; after opening it is the picture box with the default picture.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QPoint>
#include <QSize>

#include "settings/settings_record.h"
#include "tools/choiview/plugin_folders.h"
#include "tools/choiview/ui/viewer_display.h"
#include "tools/common/ui/tool_window.h"

class QCheckBox;

namespace pelmora {

class PictureDisplay;
class UserDialogs;

class ChoiViewWindow : public ToolWindow {
    Q_OBJECT
public:
    // dialogs: the message box of a file that cannot be shown, and the archive listing's;
    // plugins: where the image-reader plug-ins are looked for.
    ChoiViewWindow(Settings& settings, const std::string& iniPath, UserDialogs& dialogs, QWidget* parent = nullptr,
                   PluginFolders plugins = DefaultPluginFolders());
    ~ChoiViewWindow() override;

    // Prepares the window as it opens (default picture, caption, "前面" from CV_FrontView,
    // opacity) and shows it at its saved place or centred.
    void OpenAtPlacement();

    // Shows the file with the display of its kind and puts its path in the caption. A path
    // without a kind, or an other_TEXT file with a NUL in its head, changes nothing.
    void ShowInViewer(const std::string& path);
    void FollowPath(const std::string& path) override { ShowInViewer(path); }

    // Applies CV_use_stealth and CV_Stealth as they are now in the record: "1" makes the
    // window CV_Stealth / 255 opaque (where the window system can), otherwise opaque.
    void ApplyStealthOpacity();

    // The window's size in twips as its layout reads it (the outer size, frame included).
    TwipsSize SizeInTwips() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The window manager's frame becomes known only some time after the window is first
    // shown, and the layout and the centring count it; its arrival moves the window.
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    ViewerGeometry Geometry() const;
    void ResetDisplays();
    void Relayout();
    void FollowFrame();
    void KeepOnTop(bool onTop);

    Settings& settings_;
    UserDialogs& dialogs_;
    std::vector<std::unique_ptr<ViewerDisplay>> displays_;
    std::map<std::string, ViewerDisplay*, std::less<>> displayOfKind_;
    PictureDisplay* picture_ = nullptr;
    QCheckBox* frontCheck_ = nullptr;
    TwipsSize laidOut_;  // the window size the displays and "前面" were last placed for
    // Where OpenAtPlacement put the window and the frame it counted then; once the window
    // manager's frame is known the window is placed again, unless it was moved meanwhile.
    struct Placement {
        QPoint at;
        QSize frame;  // outer size - inner size
    };
    std::optional<Placement> placement_;
};

}  // namespace pelmora
