#include "tools/choiview/ui/pdf_pages_view.h"

#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "tools/choiview/ui/pdf_document_read.h"

namespace pelmora {

PdfPagesView::PdfPagesView(QWidget* parent) : QPdfView(parent) {
    setPageMode(PageMode::MultiPage);
    setZoomMode(ZoomMode::FitToWidth);
    // The pages are drawn over the base colour; white is the paper's colour.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    setPalette(colours);
}

PdfPagesView::~PdfPagesView() { setDocument(nullptr); }

std::unique_ptr<QPdfDocument> PdfPagesView::ReadDocument(const std::string& path) { return ReadPdfDocument(path); }

void PdfPagesView::ShowDocument(std::unique_ptr<QPdfDocument> document) {
    FitWidth();
    setDocument(document.get());
    document_ = std::move(document);
    if (document_) pageNavigator()->jump(0, {}, 0);
}

int PdfPagesView::PageCount() const { return document_ ? document_->pageCount() : 0; }

double PdfPagesView::EffectiveZoom() const {
    if (zoomMode() == ZoomMode::Custom || !document_) return zoomFactor();
    // Fitting the width, the view scales the widest page to the viewport less its margins;
    // the zoom factor it reports stays what it was.
    double widest = 0;
    for (int page = 0; page < document_->pageCount(); ++page)
        widest = std::max(widest, document_->pagePointSize(page).width());
    // The view converts points with the primary screen's resolution.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double pointsToPixels = (screen != nullptr ? screen->logicalDotsPerInch() : 96.0) / 72.0;
    const int room = viewport()->width() - documentMargins().left() - documentMargins().right();
    return widest > 0 && room > 0 ? room / (widest * pointsToPixels) : 1.0;
}

void PdfPagesView::ZoomBy(double steps) {
    const double zoom = std::clamp(EffectiveZoom() * std::pow(kZoomStep, steps), kMinimumZoom, kMaximumZoom);
    setZoomMode(ZoomMode::Custom);
    setZoomFactor(zoom);
}

void PdfPagesView::FitWidth() {
    setZoomMode(ZoomMode::FitToWidth);
    setZoomFactor(1.0);
}

void PdfPagesView::wheelEvent(QWheelEvent* event) {
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        ZoomBy(WheelNotches(*event));
        event->accept();
        return;
    }
    if (!wheel_.Scroll(*event, horizontalScrollBar(), verticalScrollBar())) event->ignore();
}

void PdfPagesView::keyPressEvent(QKeyEvent* event) {
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    // Ctrl+plus is Ctrl+Shift+= on many keyboards, and Ctrl+= is taken for it too.
    if (event->matches(QKeySequence::ZoomIn) || (control && (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal))) {
        ZoomBy(1);
        return;
    }
    if (event->matches(QKeySequence::ZoomOut) || (control && event->key() == Qt::Key_Minus)) {
        ZoomBy(-1);
        return;
    }
    if (control && event->key() == Qt::Key_0) {
        FitWidth();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Home:
            verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
            return;
        case Qt::Key_End:
            verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
            return;
        case Qt::Key_Space:
            verticalScrollBar()->triggerAction(event->modifiers().testFlag(Qt::ShiftModifier)
                                                   ? QAbstractSlider::SliderPageStepSub
                                                   : QAbstractSlider::SliderPageStepAdd);
            return;
        default:
            // The arrows and the page keys scroll as in every scrolled view; Esc goes on.
            QPdfView::keyPressEvent(event);
    }
}

}  // namespace pelmora
