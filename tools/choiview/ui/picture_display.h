#pragma once
// The picture box (Picture1) with its scroll bars (HScroll1, VScroll1): PBOX pictures through
// Qt's image readers (EMF and WMF drawn from their SVG), SUSIE pictures through the
// image-reader plug-ins, and the default picture shown when the window opens. A picture larger than the content area scrolls; the ranges are in twips
// and not limited to 16 bits.

#include <QImage>
#include <memory>

#include "platform/isolated_call.h"
#include "tools/choiview/plugin_folders.h"
#include "tools/choiview/ui/viewer_display.h"

class QScrollBar;
class QWidget;

namespace pelmora {

class IsolatedCallWait;
class PictureBox;
class UserDialogs;

class PictureDisplay : public ViewerDisplay {
public:
    // dialogs: where a plug-in that cannot be used is reported.
    PictureDisplay(QWidget* window, UserDialogs& dialogs, PluginFolders plugins = DefaultPluginFolders());
    ~PictureDisplay() override;

    // Plug-ins and metafile libraries run apart from the program while the window's events
    // run on. A newer file, or Reset (the window closing), abandons a file still being read:
    // its child ends at once, and its Load returns Unchanged, even when it returns after the
    // newer file is on show.

    Loaded Load(const std::string& path, std::string_view kind) override;
    void Present(const ViewerGeometry& geometry) override;
    void Reset() override;
    void Relayout(const ViewerGeometry& geometry) override;
    bool IsShowing() const override;

    // The box over the whole content area with the picture of path, or empty when it cannot
    // be read (silently); no scroll bars.
    void ShowDefaultPicture(const std::string& path, const ViewerGeometry& geometry);

    // The picture file as Qt's readers decode it (the format told by its content, so DIB
    // and RLE files read as BMP), or an EMF or WMF drawn at its natural size; a null image
    // when they cannot, or when a bitmap is cut short. The metafile libraries' run is waited
    // for by `run`.
    static QImage ReadPicture(const std::string& path, const platform::IsolatedRunner& run = platform::WaitForIsolated);

private:
    ScrollBarThickness BarThickness(const ViewerGeometry& geometry) const;
    // Steps of a new size: bars placed and shown as the picture needs, ranges set, the box
    // placed for the bars' values.
    void FitToWindow(const ViewerGeometry& geometry);
    void PlaceScrolledBox();
    void AbandonWaiting();

    PictureBox* box_ = nullptr;
    QScrollBar* horizontal_ = nullptr;
    QScrollBar* vertical_ = nullptr;
    UserDialogs& dialogs_;
    PluginFolders plugins_;
    QImage loaded_;
    TwipsSize natural_;  // 0 x 0 for the default picture
    ViewerGeometry geometry_;
    // The wait of the file being read, shared with its Load, which may outlive this display.
    std::shared_ptr<IsolatedCallWait> waiting_;
};

}  // namespace pelmora
