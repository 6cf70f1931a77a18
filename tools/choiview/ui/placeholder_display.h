#pragma once
// A display still to come (the web browser, the media player, the image-reader plug-ins):
// its widget holds the place and name, and a file of its kind leaves the window as it is.

#include "tools/choiview/ui/viewer_display.h"

class QWidget;

namespace pelmora {

class PlaceholderDisplay : public ViewerDisplay {
public:
    // objectName null: no widget of its own.
    PlaceholderDisplay(QWidget* window, const char* objectName);

    Loaded Load(const std::string& path, std::string_view kind) override;
    void Present(const ViewerGeometry& geometry) override;
    void Reset() override;
    void Relayout(const ViewerGeometry& geometry) override;
    bool IsShowing() const override;

private:
    QWidget* widget_ = nullptr;
};

}  // namespace pelmora
