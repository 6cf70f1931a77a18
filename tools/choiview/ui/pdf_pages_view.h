#pragma once
// The PDF pages of ChoiView's browser display: all pages one below the other, scrolled,
// each as wide as the view, drawn on white (the PDF library leaves the paper transparent).
// The wheel scrolls (Shift+wheel sideways), Ctrl+wheel and Ctrl+plus/minus zoom from there,
// Ctrl+0 goes back to the width of the view; Home and End go to the first and last page.

#include <QPdfView>

#include <memory>

#include "tools/choiview/ui/wheel_scroll.h"

class QPdfDocument;

namespace pelmora {

class PdfPagesView : public QPdfView {
    Q_OBJECT
public:
    // How far one zoom step enlarges, and the bounds of the zoom.
    static constexpr double kZoomStep = 1.25;
    static constexpr double kMinimumZoom = 0.1;
    static constexpr double kMaximumZoom = 10.0;

    explicit PdfPagesView(QWidget* parent);
    ~PdfPagesView() override;

    // The PDF at path, read whole before anything changes; nothing when it cannot be read
    // (missing, damaged, locked with a password).
    static std::unique_ptr<QPdfDocument> ReadDocument(const QString& path);
    // The same for the file a viewed path names (the program's byte path), as the viewer and
    // pelmora-list render read it.
    static std::unique_ptr<QPdfDocument> ReadFileDocument(const std::string& path);

    // Shows the document from its first page, as wide as the view, owning it; null shows
    // nothing and lets go of the previous one.
    void ShowDocument(std::unique_ptr<QPdfDocument> document);
    int PageCount() const;

    // The scale the pages are drawn at, 1 being their printed size on this screen; also
    // while they fit the width of the view.
    double EffectiveZoom() const;
    // Zooms by kZoomStep to the power of steps (negative: out), within the bounds.
    void ZoomBy(double steps);
    // Back to pages as wide as the view.
    void FitWidth();

protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<QPdfDocument> document_;
    WheelScroller wheel_;
};

}  // namespace pelmora
