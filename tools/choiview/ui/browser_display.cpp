#include "tools/choiview/ui/browser_display.h"

#include <QLabel>
#include <QPdfDocument>
#include <QStackedLayout>
#include <QUrl>
#include <QWidget>

#include "i18n/ui/translated_text.h"
#include "listing/engine/path_ops.h"
#include "platform/file_system.h"
#include "platform/file_system_service.h"
#include "tools/choiview/choiview_texts.h"
#include "tools/choiview/converted_pdf_cache.h"
#include "tools/choiview/office_conversion.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/isolated_call_wait.h"
#include "tools/choiview/ui/pdf_document_read.h"
#include "tools/choiview/ui/pdf_pages_view.h"
#include "tools/choiview/ui/web_engine_view.h"
#include "tools/choiview/viewer_file_names.h"

namespace pelmora {

BrowserDisplay::BrowserDisplay(QWidget* window, const std::string& settingsFile) : window_(window) {
    container_ = new QWidget(window);
    container_->setObjectName(choi_view_names::kWebBrowser);
    pages_ = new QStackedLayout(container_);
    pages_->setContentsMargins(0, 0, 0, 0);
    note_ = new QLabel(container_);
    note_->setAlignment(Qt::AlignCenter);
    note_->setWordWrap(true);
    note_->setMargin(16);
    note_->setAutoFillBackground(true);
    QPalette paper = note_->palette();
    paper.setColor(QPalette::Window, Qt::white);
    paper.setColor(QPalette::WindowText, Qt::black);
    note_->setPalette(paper);
    pages_->addWidget(note_);
    container_->hide();

    const std::size_t separator = platform::LastSeparator(settingsFile);
    const std::string folder = separator == std::string::npos ? std::string(".") : settingsFile.substr(0, separator + 1);
    blankPage_ = platform::JoinPath(folder, "Message1.jpg");
}

BrowserDisplay::~BrowserDisplay() { AbandonWaiting(); }

void BrowserDisplay::AbandonWaiting() {
    if (waiting_) waiting_->Abandon();
    waiting_.reset();
}

ViewerDisplay::Loaded BrowserDisplay::Load(const std::string& path, std::string_view) {
    AbandonWaiting();
    const auto wait = std::make_shared<IsolatedCallWait>();
    waiting_ = wait;
    const bool opens = CanOpenFile(path, wait->Reader());
    // A newer file or the window's closing came meanwhile: this file is not shown, and the
    // display is not touched (it may be gone).
    if (wait->Abandoned()) return Loaded::Unchanged;
    if (!opens) return Loaded::Failed;
    const BrowserRoute route = BrowserRouteOfExtension(ViewerExtension(path));
    std::unique_ptr<QPdfDocument> pdf;
    std::unique_ptr<PrivateFileCopy> copy;
    if (route == BrowserRoute::Pdf) {
        // A damaged PDF is refused here, before the page on show is let go.
        pdf = ReadPdfDocument(path, wait->Reader());
        if (wait->Abandoned()) return Loaded::Unchanged;
        if (!pdf) return Loaded::Failed;
    } else if (route == BrowserRoute::WebPage && WebEngineView::NeedsLocalCopy(path)) {
        // A copy that cannot be made leaves the engine its error page.
        LocalPathOf(path, copy, wait->Reader());
        if (wait->Abandoned()) return Loaded::Unchanged;
    }
    waiting_.reset();
    loadedPath_ = path;
    loadedRoute_ = route;
    loadedPdf_ = std::move(pdf);
    loadedCopy_ = std::move(copy);
    return Loaded::Ready;
}

void BrowserDisplay::Present(const ViewerGeometry& geometry) {
    container_->setGeometry(geometry.ContentArea());
    switch (loadedRoute_) {
        case BrowserRoute::WebPage:
            EnsureWebView()->ShowFile(loadedPath_, std::move(loadedCopy_));
            pages_->setCurrentWidget(web_);
            break;
        case BrowserRoute::Pdf:
            ShowPdf(std::move(loadedPdf_));
            break;
        case BrowserRoute::OfficeDocument:
            StartConversion();
            break;
        case BrowserRoute::Flash:
            ShowNote(QTranslated(choiview_texts::kFlashNotPlayable));
            break;
    }
    container_->show();
    container_->raise();
    if (QWidget* mainWindow = window_->parentWidget()) mainWindow->activateWindow();
}

void BrowserDisplay::Reset() {
    AbandonWaiting();
    loadedCopy_.reset();
    ++generation_;
    conversion_.reset();
    if (pdf_) pdf_->ShowDocument(nullptr);
    if (web_ && web_->url() != WebEngineView::UrlOfFile(blankPage_)) web_->ShowFile(blankPage_);
    container_->hide();
}

void BrowserDisplay::Relayout(const ViewerGeometry& geometry) { container_->setGeometry(geometry.ContentArea()); }

bool BrowserDisplay::IsShowing() const { return !container_->isHidden(); }

WebEngineView* BrowserDisplay::EnsureWebView() {
    if (!web_) {
        web_ = new WebEngineView(container_);
        pages_->addWidget(web_);
    }
    return web_;
}

PdfPagesView* BrowserDisplay::EnsurePdfView() {
    if (!pdf_) {
        pdf_ = new PdfPagesView(container_);
        pages_->addWidget(pdf_);
    }
    return pdf_;
}

void BrowserDisplay::ShowNote(const QString& text) {
    note_->setText(text);
    pages_->setCurrentWidget(note_);
}

void BrowserDisplay::ShowPdf(std::unique_ptr<QPdfDocument> document) {
    if (!document) {
        ShowNote(QTranslated(choiview_texts::kConversionFailed));
        return;
    }
    EnsurePdfView()->ShowDocument(std::move(document));
    pages_->setCurrentWidget(pdf_);
}

void BrowserDisplay::StartConversion() {
    std::optional<OfficeConversionJob> conversionJob = OfficeConversionJobFor(loadedPath_);
    if (!conversionJob) {
        ShowNote(QTranslated(choiview_texts::kConversionFailed));
        return;
    }
    OfficeConversionJob job = std::move(*conversionJob);
    if (auto cached = ConvertedPdfCache(job.cacheFolder, job.cacheLimit).Find(job.entryName)) {
        if (auto document = PdfPagesView::ReadDocument(*cached)) {
            ShowPdf(std::move(document));
            return;
        }
    }
    ShowNote(QTranslated(choiview_texts::kConverting));
    const unsigned generation = generation_;
    // The display joins the conversion's thread before its widgets go, so the receiver lives.
    QObject* receiver = container_;
    conversion_ = std::make_unique<OfficeConversion>(std::move(job), [this, receiver, generation](const OfficeConversionResult& result) {
        // On the conversion's thread: the result goes to the window thread.
        QMetaObject::invokeMethod(
            receiver, [this, generation, result] { ConversionEnded(generation, result); }, Qt::QueuedConnection);
    });
}

void BrowserDisplay::ConversionEnded(unsigned generation, const OfficeConversionResult& result) {
    if (generation != generation_) return;  // another file is on show now
    conversion_.reset();
    switch (result.outcome) {
        case OfficeConversionOutcome::Converted:
            ShowPdf(PdfPagesView::ReadDocument(result.pdfPath));
            break;
        case OfficeConversionOutcome::ProgramMissing:
            ShowNote(QTranslated(choiview_texts::kNeedsLibreOffice));
            break;
        case OfficeConversionOutcome::Failed:
        case OfficeConversionOutcome::TimedOut:
            ShowNote(QTranslated(choiview_texts::kConversionFailed));
            break;
    }
}

}  // namespace pelmora
