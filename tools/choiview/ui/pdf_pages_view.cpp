#include "tools/choiview/ui/pdf_pages_view.h"

#include <QPdfDocument>
#include <QPdfPageNavigator>

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

std::unique_ptr<QPdfDocument> PdfPagesView::ReadDocument(const QString& path) {
    auto document = std::make_unique<QPdfDocument>();
    if (document->load(path) != QPdfDocument::Error::None || document->pageCount() < 1) return nullptr;
    return document;
}

void PdfPagesView::ShowDocument(std::unique_ptr<QPdfDocument> document) {
    setDocument(document.get());
    document_ = std::move(document);
    if (document_) pageNavigator()->jump(0, {}, 0);
}

int PdfPagesView::PageCount() const { return document_ ? document_->pageCount() : 0; }

}  // namespace pelmora
