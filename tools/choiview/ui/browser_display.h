#pragma once
// The web-browser display (WebBrowser1), for files of the "IE" kind: web pages and GIF/JPEG
// pictures in the web engine, PDFs drawn by the PDF library, office documents shown as the
// PDF LibreOffice makes of them ("変換中…" while it works, a short page when it is missing
// or fails), and a short page for Flash movies. Letting go of a page sends the web view to
// the blank page, Message1.jpg beside the settings. After a file is shown the keyboard focus
// goes back to the main window, so the file list keeps its keys. A share's PDF is read, and
// its web archive copied, beside the window: a newer file or the window's closing abandons
// it.

#include <QString>

#include <memory>
#include <string>

#include "tools/choiview/browser_route.h"
#include "tools/choiview/ui/viewer_display.h"

class QLabel;
class QPdfDocument;
class QStackedLayout;
class QWidget;

namespace pelmora {

class IsolatedCallWait;
class OfficeConversion;
class PrivateFileCopy;
class PdfPagesView;
class WebEngineView;
struct OfficeConversionResult;

class BrowserDisplay : public ViewerDisplay {
public:
    // settingsFile: Pelmora.ini, beside which the blank page lies.
    BrowserDisplay(QWidget* window, const std::string& settingsFile);
    ~BrowserDisplay() override;

    Loaded Load(const std::string& path, std::string_view kind) override;
    void Present(const ViewerGeometry& geometry) override;
    void Reset() override;
    void Relayout(const ViewerGeometry& geometry) override;
    bool IsShowing() const override;

    // The parts on show, for the tests and the benchmark: null until first needed.
    WebEngineView* WebView() const { return web_; }
    PdfPagesView* PdfView() const { return pdf_; }
    QLabel* NotePage() const { return note_; }

private:
    void AbandonWaiting();
    WebEngineView* EnsureWebView();
    PdfPagesView* EnsurePdfView();
    void ShowNote(const QString& text);
    void ShowPdf(std::unique_ptr<QPdfDocument> document);
    void StartConversion();
    void ConversionEnded(unsigned generation, const OfficeConversionResult& result);

    QWidget* window_;
    QWidget* container_ = nullptr;
    QStackedLayout* pages_ = nullptr;
    QLabel* note_ = nullptr;
    WebEngineView* web_ = nullptr;
    PdfPagesView* pdf_ = nullptr;
    std::string blankPage_;

    // What Load read, for Present.
    std::string loadedPath_;
    BrowserRoute loadedRoute_ = BrowserRoute::WebPage;
    std::unique_ptr<QPdfDocument> loadedPdf_;
    std::unique_ptr<PrivateFileCopy> loadedCopy_;  // a share's web archive, for the engine
    // The wait of the file being read from a share, shared with its Load, which may outlive
    // this display.
    std::shared_ptr<IsolatedCallWait> waiting_;

    std::unique_ptr<OfficeConversion> conversion_;
    unsigned generation_ = 0;  // a conversion's result counts only for the file it was started for
};

}  // namespace pelmora
