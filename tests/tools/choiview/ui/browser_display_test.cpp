// ChoiView's web-browser display shown for real (web engine and PDF library, offscreen):
// pages with their local resources but no other local file, pictures, the blank page, PDFs
// and the short pages.
#include <QApplication>
#include <QBuffer>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QScrollBar>
#include <QTest>
#include <QUrl>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebEngineView>

#include <filesystem>

#include "i18n/translation.h"
#include "i18n/ui/translated_text.h"
#include "listing/engine/job_context.h"
#include "tests/tools/choiview/ui/browser_display_fixture.h"
#include "tests/tools/common/ui/tool_window_fixture.h"
#include "tools/choiview/choiview_texts.h"
#include "tools/choiview/ui/choi_view_window.h"
#include "tools/choiview/ui/pdf_pages_view.h"
#include "tools/choiview/ui/web_engine_view.h"
#include "tests/support/fake_job_context.h"

namespace pelmora {

// Records the messages; every question is answered no.
using RecordedDialogs = testing::FakeDialogs;
using testing::BrowserOf;
using testing::HasColourNear;
using testing::NoteOf;
using testing::PdfViewOf;
using testing::PdfWithPages;
using testing::WebViewOf;

namespace {

// An animated GIF of two frames (red, then blue), w x h, written with 3-bit codes and a
// clear code every two pixels, so no table growth changes the code width.
QByteArray AnimatedGif(int w, int h) {
    QByteArray gif("GIF89a");
    auto word = [&gif](int v) { gif.append(char(v & 0xFF)).append(char(v >> 8)); };
    word(w);
    word(h);
    gif.append(char(0xF0)).append('\0').append('\0');               // global table of 2 colours
    gif.append("\xFF\0\0\0\0\xFF", 6);                              // red, blue
    gif.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\0\0\0", 19);       // loop for ever
    for (int colour = 0; colour < 2; ++colour) {
        gif.append("\x21\xF9\x04\x04\x32\0\0\0", 8);               // 0.5 s per frame
        gif.append(',');
        word(0), word(0), word(w), word(h);
        gif.append('\0').append('\x02');                            // no local table, code size 2
        QByteArray data;
        unsigned bits = 0, count = 0;
        auto code = [&](unsigned c) {
            bits |= c << count;
            count += 3;
            while (count >= 8) data.append(char(bits & 0xFF)), bits >>= 8, count -= 8;
        };
        for (int i = 0; i < w * h; i += 2) {
            code(4);
            code(unsigned(colour));
            if (i + 1 < w * h) code(unsigned(colour));
        }
        code(5);
        if (count > 0) data.append(char(bits & 0xFF));
        for (int at = 0; at < data.size(); at += 255) {
            const QByteArray block = data.mid(at, 255);
            gif.append(char(block.size())).append(block);
        }
        gif.append('\0');
    }
    gif.append(';');
    return gif;
}

// A web server on the loopback that records the path of every request and answers each with
// a page titled by it that links to "/next".
struct LoopbackListener {
    QTcpServer server;
    QStringList requests;
    LoopbackListener() {
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    const QByteArray head = socket->readAll();
                    const QString path = QString::fromLatin1(head.split(' ').value(1));
                    requests << path;
                    const QByteArray page = "<html><head><title>remote " + path.toLatin1() +
                                            "</title></head><body><a id=next href=/next>next</a></body></html>";
                    socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                                  QByteArray::number(page.size()) + "\r\n\r\n" + page);
                    socket->disconnectFromHost();
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
};

}  // namespace

class BrowserDisplayTest : public QObject {
    Q_OBJECT

    testing::ToolWindowFolder folder_;
    const std::string ini_ = folder_.ini;

    static Settings ViewerSettings() {
        Settings settings;
        settings.CV_txt = settings.CV_htm = settings.CV_gif = settings.CV_jpg = settings.CV_pdf = settings.CV_swf = "1";
        settings.CV_txt_CheckSize = 2048;
        return settings;
    }

private slots:
    // A page from a downloaded folder tries to read a file beside it and a private key
    // through a link in its folder (keys -> ../.ssh) by frame, fetch, request, worker and
    // canvas, and to send what it got to a server on the loopback. It shows its own picture
    // and style, reads nothing, and the server hears nothing.
    void localPageReadsNoOtherFileAndSendsNothing() {
        LoopbackListener listener;
        QVERIFY(listener.server.listen(QHostAddress::LocalHost));
        const QByteArray port = QByteArray::number(listener.server.serverPort());

        folder_.WriteFile(".ssh/id_rsa", "PRIVATE KEY material");
        QImage green(8, 8, QImage::Format_RGB32);
        green.fill(Qt::green);
        green.save(QString::fromStdString(folder_.WriteFile(".ssh/seen.png", "")));
        folder_.WriteFile("dl/tax.txt", "tax return 4711");
        folder_.WriteFile("dl/style.css", "body { background: rgb(0, 128, 255); }");
        folder_.WriteFile("dl/worker.js",
                          "fetch('tax.txt').then(r => r.text()).then(t => postMessage(t), () => postMessage(''));");
        QImage dot(8, 8, QImage::Format_RGB32);
        dot.fill(Qt::red);
        dot.save(QString::fromStdString(folder_.WriteFile("dl/pictures/dot.png", "")));
        const std::string dl = folder_.WriteFile("dl/page.html", "");
        QVERIFY(QFile::link("../.ssh", QString::fromStdString(dl).replace("page.html", "keys")));
        // The page's text names the listener's port as PORT.
        QFile source(QStringLiteral(PELMORA_CHOIVIEW_TEST_DATA "/exfiltration_page.html"));
        QVERIFY(source.open(QIODevice::ReadOnly));
        QByteArray html = source.readAll();
        html.replace("PORT", port);
        const std::string page = folder_.WriteFile("dl/page.html", html);

        QWidget mainWindow;
        mainWindow.show();
        Settings settings = ViewerSettings();
        RecordedDialogs dialogs;
        ChoiViewWindow w(settings, ini_, dialogs, &mainWindow);
        w.OpenAtPlacement();
        w.activateWindow();
        QVERIFY(WebViewOf(w) == nullptr);  // the engine waits until a page is to be shown

        w.ShowInViewer(page);
        QVERIFY(!BrowserOf(w)->isHidden());
        QCOMPARE(w.windowTitle(), "[" + QString::fromStdString(page) + "]");
        QVERIFY(WebViewOf(w) != nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(WebViewOf(w)->title(),
                                  QString("image=ok linked=missing taxFrame=blocked keyFrame=blocked taxFetch=blocked "
                                          "keyXhr=blocked worker=blocked canvas=blocked css=ok"),
                                  testing::kWebEngineWait);
        QTRY_VERIFY_WITH_TIMEOUT(HasColourNear(WebViewOf(w)->grab().toImage(), qRgb(0, 128, 255), 10), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(HasColourNear(WebViewOf(w)->grab().toImage(), qRgb(255, 0, 0), 10), 5000);
        QTRY_COMPARE(QApplication::activeWindow(), &mainWindow);
        QVERIFY(dialogs.messages.empty());
        QVERIFY2(listener.requests.isEmpty(), qPrintable(listener.requests.join(' ')));

        // A script sending the page away by itself is stopped; a link the user clicks opens,
        // and the remote page's own links work.
        const QString remote = "http://127.0.0.1:" + QString(port);
        WebViewOf(w)->page()->runJavaScript("location.href = '" + remote + "/by-script';");
        WebViewOf(w)->page()->runJavaScript(
            "document.body.insertAdjacentHTML('beforeend', '<a href=\"" + remote + "/clicked\" style=\"position:fixed;"
            "left:0;top:0;width:100%;height:100%;z-index:9;display:block\">out</a>'); document.title = 'link';");
        QTRY_COMPARE_WITH_TIMEOUT(WebViewOf(w)->title(), QString("link"), testing::kWebEngineWait);
        QVERIFY(WebViewOf(w)->focusProxy() != nullptr);
        QTest::mouseClick(WebViewOf(w)->focusProxy(), Qt::LeftButton, {}, QPoint(20, 20));
        QTRY_COMPARE_WITH_TIMEOUT(WebViewOf(w)->title(), QString("remote /clicked"), testing::kWebEngineWait);
        WebViewOf(w)->page()->runJavaScript("document.getElementById('next').click();");
        QTRY_COMPARE_WITH_TIMEOUT(WebViewOf(w)->title(), QString("remote /next"), testing::kWebEngineWait);
        QCOMPARE(listener.requests.filter("/by-script"), QStringList());
        QCOMPARE(listener.requests.filter("/clicked").size(), 1);

        // Another display sends the web view to the blank page.
        const std::string blank = folder_.WriteFile("Message1.jpg", "");
        QImage message(16, 16, QImage::Format_RGB32);
        message.fill(Qt::green);
        message.save(QString::fromStdString(blank), "JPEG");
        w.ShowInViewer(folder_.WriteFile("note.txt", "text"));
        QVERIFY(BrowserOf(w)->isHidden());
        QCOMPARE(WebViewOf(w)->url(), WebEngineView::UrlOfFile(blank));
        // The program's own files still show after a remote page.
        QTRY_VERIFY_WITH_TIMEOUT(WebViewOf(w)->title().startsWith("Message1.jpg"), testing::kWebEngineWait);
    }

    void picturesAndArchivedPagesShowInTheEngine() {
        Settings settings = ViewerSettings();
        RecordedDialogs dialogs;
        ChoiViewWindow w(settings, ini_, dialogs);
        w.OpenAtPlacement();

        const std::string gif = folder_.WriteFile("anim.gif", AnimatedGif(40, 30));
        w.ShowInViewer(gif);
        // The engine titles a picture it decoded with its size.
        QTRY_VERIFY_WITH_TIMEOUT(WebViewOf(w) && WebViewOf(w)->title().contains("40"), testing::kWebEngineWait);
        QVERIFY(WebViewOf(w)->title().contains("30"));

        QImage red(64, 48, QImage::Format_RGB32);
        red.fill(Qt::red);
        const std::string jpeg = folder_.WriteFile("photo.JPEG", "");
        red.save(QString::fromStdString(jpeg), "JPEG");
        w.ShowInViewer(jpeg);
        QTRY_VERIFY_WITH_TIMEOUT(WebViewOf(w)->title().contains("64"), testing::kWebEngineWait);
        QTRY_VERIFY_WITH_TIMEOUT(HasColourNear(WebViewOf(w)->grab().toImage(), qRgb(255, 0, 0)), 5000);

        const std::string mht = folder_.WriteFile("saved.mht", testing::WebArchive("archived page"));
        w.ShowInViewer(mht);
        QTRY_COMPARE_WITH_TIMEOUT(WebViewOf(w)->title(), QString("archived page"), testing::kWebEngineWait);
        QVERIFY(dialogs.messages.empty());
    }

    void pdfScrollsThroughItsPagesAtTheWidthOnWhite() {
        Settings settings = ViewerSettings();
        RecordedDialogs dialogs;
        ChoiViewWindow w(settings, ini_, dialogs);
        w.OpenAtPlacement();
        const std::string pdf = folder_.WriteFile("pages.pdf", PdfWithPages(3));
        w.ShowInViewer(pdf);
        QVERIFY(!BrowserOf(w)->isHidden());
        QVERIFY(WebViewOf(w) == nullptr);  // a PDF does not start the web engine
        PdfPagesView* view = PdfViewOf(w);
        QVERIFY(view != nullptr && view->isVisible());
        QCOMPARE(view->PageCount(), 3);
        QCOMPARE(view->zoomMode(), QPdfView::ZoomMode::FitToWidth);
        QVERIFY(view->verticalScrollBar()->maximum() > 0);
        QTRY_VERIFY_WITH_TIMEOUT(HasColourNear(view->grab().toImage(), qRgb(0, 0, 0), 10), 10000);
        const QImage shot = view->grab().toImage();
        QCOMPARE(shot.pixel(shot.width() / 2, shot.height() / 2) & 0xFFFFFF, 0xFFFFFFu);  // the paper is white

        // A damaged PDF is refused with the message, after the pages on show were let go.
        const QByteArray whole = PdfWithPages(3);
        w.ShowInViewer(folder_.WriteFile("cut.pdf", whole.left(whole.size() / 3)));
        QCOMPARE(dialogs.messages, std::vector<std::string>{Translated(choiview_texts::kOpenFailed)});
        QCOMPARE(view->PageCount(), 0);
        QVERIFY(BrowserOf(w)->isHidden());
        QCOMPARE(w.windowTitle(), "[" + QString::fromStdString(pdf) + "]");
        w.ShowInViewer(pdf);
        QCOMPARE(view->PageCount(), 3);

        // Flash: a short page, no failure.
        w.ShowInViewer(folder_.WriteFile("movie.swf", "FWS\x09"));
        QVERIFY(!BrowserOf(w)->isHidden() && NoteOf(w)->isVisible());
        QCOMPARE(NoteOf(w)->text(), QTranslated(choiview_texts::kFlashNotPlayable));
        QCOMPARE(dialogs.messages.size(), 1u);
        QCOMPARE(view->PageCount(), 0);  // the PDF was let go

        w.close();
        QVERIFY(BrowserOf(w)->isHidden());
    }

    // The scheme reads a page's files whole into memory, so a file past the limit is refused
    // before it is read, and one that reaches it exactly is still served whole.
    void pageFilesAreReadUpToTheLimitOnly() {
        using Outcome = PageFileAnswer::Outcome;
        const std::string page = folder_.WriteFile("capped/page.html", "<html></html>");
        const std::string exact = folder_.WriteFile("capped/exact.css", QByteArray(16, 'e'));
        const std::string over = folder_.WriteFile("capped/over.css", QByteArray(17, 'o'));
        const std::string hidden = folder_.WriteFile("capped/.private/key.css", "k");
        const std::string folder = folder_.WriteFile("capped/sub/x.css", "x");

        const PageFileAnswer served = ReadPageFile(page, exact, 16);
        QCOMPARE(served.outcome, Outcome::Served);
        QCOMPARE(served.bytes, QByteArray(16, 'e'));
        QCOMPARE(ReadPageFile(page, over, 16).outcome, Outcome::TooLarge);
        QVERIFY(ReadPageFile(page, over, 16).bytes.isEmpty());
        QCOMPARE(ReadPageFile(page, over, 17).bytes, QByteArray(17, 'o'));
        QCOMPARE(ReadPageFile(page, hidden, 16).outcome, Outcome::Denied);
        QCOMPARE(ReadPageFile(page, folder.substr(0, folder.size() - 5), 16).outcome, Outcome::NotFound);

        // The viewer's memory limit by default (a sparse file: nothing on the disk).
        const std::string huge = folder_.WriteFile("capped/huge.js", "");
        std::filesystem::resize_file(huge, kViewerMemoryReadLimit + 1);
        QCOMPARE(ReadPageFile(page, huge).outcome, Outcome::TooLarge);
    }
};

}  // namespace pelmora

int main(int argc, char** argv) { return pelmora::testing::RunPageTest<pelmora::BrowserDisplayTest>(argc, argv); }
#include "browser_display_test.moc"
