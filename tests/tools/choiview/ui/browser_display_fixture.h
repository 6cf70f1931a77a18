#pragma once
// What the tests of ChoiView's web-browser display share: the display's parts in a window,
// the documents they show, the colour checks of what was drawn, and a main() that sets up
// the viewer's URL scheme as the program does.

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QLabel>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>
#include <QWebEngineView>

#include <cstdlib>

#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/choi_view_window.h"
#include "tools/choiview/ui/page_file_scheme.h"
#include "tools/choiview/ui/pdf_pages_view.h"

namespace pelmora::testing {

inline constexpr int kWebEngineWait = 30000;  // the web engine's first start on a loaded machine

inline QWidget* BrowserOf(const ChoiViewWindow& w) { return w.findChild<QWidget*>(choi_view_names::kWebBrowser); }
// Null until the display first shows a page.
inline QWebEngineView* WebViewOf(const ChoiViewWindow& w) { return BrowserOf(w)->findChild<QWebEngineView*>(); }
inline PdfPagesView* PdfViewOf(const ChoiViewWindow& w) { return BrowserOf(w)->findChild<PdfPagesView*>(); }
// The short page: a note in place of what cannot be shown.
inline QLabel* NoteOf(const ChoiViewWindow& w) { return BrowserOf(w)->findChild<QLabel*>(); }

// A PDF of `pages` A4 pages, each with a black square in its top left quarter and its number
// below it, on white.
inline QByteArray PdfWithPages(int pages) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        painter.fillRect(QRect(20, 20, 250, 250), Qt::black);
        painter.drawText(QPoint(20, 300), QString("page %1").arg(page + 1));
    }
    painter.end();
    return bytes;
}

// A saved web page archive (MHTML) of one page titled `title`.
inline QByteArray WebArchive(const QByteArray& title) {
    return "From: <Saved by Pelmora test>\r\n"
           "Subject: archived\r\n"
           "MIME-Version: 1.0\r\n"
           "Content-Type: multipart/related; type=\"text/html\"; boundary=\"XX\"\r\n\r\n"
           "--XX\r\n"
           "Content-Type: text/html; charset=utf-8\r\n"
           "Content-Location: http://archived.invalid/\r\n\r\n"
           "<html><head><title>" +
           title +
           "</title></head><body>mht</body></html>\r\n"
           "--XX--\r\n";
}

// Whether a pixel of the picture (every third row and column) is within tolerance of colour
// in each channel.
inline bool HasColourNear(const QImage& image, QRgb colour, int tolerance = 40) {
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - qRed(colour)) <= tolerance && std::abs(qGreen(p) - qGreen(colour)) <= tolerance &&
                std::abs(qBlue(p) - qBlue(colour)) <= tolerance)
                return true;
        }
    return false;
}

// main() of a test that shows pages: the viewer's URL scheme is registered before the
// application object, as the program does.
template <typename Test>
int RunPageTest(int argc, char** argv) {
    RegisterPageFileScheme();
    QApplication app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace pelmora::testing
