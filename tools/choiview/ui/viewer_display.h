#pragma once
// One display of ChoiView: the text view, the picture box, the web browser, the media player.
// The window keeps one per kind word and shows one at a time. Every display is reset before
// a file is read, so a file that cannot be shown leaves an empty viewer (and its message).

#include <QRect>
#include <string>
#include <string_view>

#include "tools/choiview/viewer_layout.h"

namespace pelmora {

// The window's outer size in twips and the conversion to the pixels of its client area.
struct ViewerGeometry {
    TwipsSize window;
    double dpi = 96;

    int Pixels(int twips) const;
    int Twips(int pixels) const;
    QRect PixelRect(const TwipsRect& rect) const;
    QRect ContentArea() const { return PixelRect(ViewerContentArea(window)); }
};

class ViewerDisplay {
public:
    enum class Loaded {
        Ready,      // Present shows it
        Unchanged,  // nothing to show, and no message: the caption stays
        Failed,     // "ファイルオープンに失敗しました"
    };

    virtual ~ViewerDisplay() = default;

    // Reads the file for its kind word, after every display has been reset.
    virtual Loaded Load(const std::string& path, std::string_view kind) = 0;
    // Shows what Load read. Every display has been reset before.
    virtual void Present(const ViewerGeometry& geometry) = 0;
    // Lets go of what it shows and hides its widgets; runs before every display and on close.
    virtual void Reset() = 0;
    // The window's size changed (also while the display is hidden).
    virtual void Relayout(const ViewerGeometry& geometry) = 0;
    virtual bool IsShowing() const = 0;

    // Playback, for a display that plays: paused when the window is minimised, stopped when
    // it closes.
    virtual void PausePlayback() {}
    virtual void StopPlayback() {}
};

}  // namespace pelmora
