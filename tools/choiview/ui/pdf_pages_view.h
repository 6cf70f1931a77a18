#pragma once
// The PDF pages of ChoiView's browser display: all pages one below the other, scrolled,
// each as wide as the view, drawn on white (the PDF library leaves the paper transparent).

#include <QPdfView>

#include <memory>

class QPdfDocument;

namespace pelmora {

class PdfPagesView : public QPdfView {
    Q_OBJECT
public:
    explicit PdfPagesView(QWidget* parent);
    ~PdfPagesView() override;

    // The PDF at path, read whole before anything changes; nothing when it cannot be read
    // (missing, damaged, locked with a password).
    static std::unique_ptr<QPdfDocument> ReadDocument(const QString& path);

    // Shows the document from its first page, owning it; null shows nothing and lets go of
    // the previous one.
    void ShowDocument(std::unique_ptr<QPdfDocument> document);
    int PageCount() const;

private:
    std::unique_ptr<QPdfDocument> document_;
};

}  // namespace pelmora
