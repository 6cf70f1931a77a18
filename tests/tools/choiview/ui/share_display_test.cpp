// ChoiView's displays fed from a real Samba share on this machine: a plug-in picture, a PDF,
// a web page with its own picture and style sheet, a web archive, a sound, a video and an
// office document each show as their twin on the local disk does; a share that is gone gives
// the open failure message at once.
#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QElapsedTimer>
#include <QLabel>
#include <QMediaPlayer>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QTest>
#include <QTimer>
#include <QVideoFrame>
#include <QVideoSink>
#include <QWebEngineView>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "i18n/translation.h"
#include "i18n/ui/translated_text.h"
#include "listing/engine/job_context.h"
#include "platform/smb_credentials.h"
#include "tests/support/fake_job_context.h"
#include "tests/support/paint_counter.h"
#include "tests/support/smb_test_server.h"
#include "tests/tools/choiview/media_bytes.h"
#include "tests/tools/choiview/ui/browser_display_fixture.h"
#include "tests/tools/common/ui/tool_window_fixture.h"
#include "tools/choiview/choiview_texts.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/choi_view_window.h"
#include "tools/choiview/ui/media_player_pane.h"
#include "tools/choiview/ui/pdf_pages_view.h"
#include "tools/choiview/ui/picture_box.h"
#include "tools/choiview/ui/video_frame_view.h"

extern "C" const char* __lsan_default_suppressions() { return pelmora::testing::kSmbClientLeakSuppressions; }

namespace pelmora {

namespace names = choi_view_names;
using RecordedDialogs = testing::FakeDialogs;
using testing::BrowserOf;
using testing::HasColourNear;
using testing::NoteOf;
using testing::PdfViewOf;
using testing::PdfWithPages;
using testing::SmbTestServer;
using testing::WebViewOf;

namespace {

constexpr int kMediaWait = 10000;
constexpr int kConversionWait = 120000;  // LibreOffice, twice, on a loaded machine

QByteArray SampleFile(const char* name) {
    QFile file(QStringLiteral(PELMORA_CHOIVIEW_TEST_DATA "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray PngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A picture whose every quarter has a colour of its own, so a turned or cut picture shows.
QImage Quarters(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const int w = size.width() / 2, h = size.height() / 2;
    painter.fillRect(0, 0, w, h, Qt::red);
    painter.fillRect(w, 0, size.width() - w, h, Qt::green);
    painter.fillRect(0, h, w, size.height() - h, Qt::blue);
    painter.fillRect(w, h, size.width() - w, size.height() - h, Qt::yellow);
    return image;
}

}  // namespace

class ShareDisplayTest : public QObject {
    Q_OBJECT

    SmbTestServer server_;
    testing::ToolWindowFolder folder_;
    testing::TempTree cache_;
    const std::string ini_ = folder_.ini;
    RecordedDialogs dialogs_;
    // name: the file on the share and its twin on the local disk.
    std::map<std::string, std::pair<std::string, std::string>> twins_;

    static Settings ViewerSettings() {
        Settings settings;
        settings.CV_txt = settings.CV_htm = settings.CV_pdf = settings.CV_doc = "1";
        settings.CV_wav = settings.CV_avi = "1";
        settings.CV_Su_png = "1";
        settings.CV_txt_CheckSize = 2048;
        return settings;
    }
    static PictureBox* Box(const ChoiViewWindow& w) { return w.findChild<PictureBox*>(names::kPicture); }
    static MediaPlayerPane& Pane(const ChoiViewWindow& w) { return *w.findChild<MediaPlayerPane*>(names::kMediaPlayer); }

    // The same bytes as a file on the share and as its twin on the local disk. All are
    // written before the share is first read: a folder's listing is reused for a moment.
    void AddTwins(const std::string& name, const QByteArray& bytes) {
        testing::WriteFile(server_.GuestFolder() + "/" + name, bytes.toStdString());
        twins_[name] = {SmbTestServer::GuestShare() + "/" + name, folder_.WriteFile(QString::fromStdString(name), bytes)};
    }
    std::pair<std::string, std::string> Twins(const std::string& name) { return twins_.at(name); }
    // The first page of the PDF on show, drawn at a fixed size.
    static QImage FirstPage(const ChoiViewWindow& w) {
        QPdfDocument* document = PdfViewOf(w) ? PdfViewOf(w)->document() : nullptr;
        if (document == nullptr) return {};
        // The page is drawn on paper: what the library leaves transparent is white.
        QImage paper(60, 80, QImage::Format_RGB32);
        paper.fill(Qt::white);
        QPainter(&paper).drawImage(0, 0, document->render(0, paper.size()));
        return paper;
    }
    // The middle pixel of the first frame the video sink gets after `show` ran.
    static QColor FirstFrameMiddle(ChoiViewWindow& w, const std::string& path, QSize& size) {
        w.ShowInViewer(path);
        if (Pane(w).Video() == nullptr) return {};
        QColor middle;
        QObject receiver;
        connect(Pane(w).Video()->videoSink(), &QVideoSink::videoFrameChanged, &receiver, [&](const QVideoFrame& frame) {
            if (middle.isValid() || !frame.isValid()) return;
            const QImage image = frame.toImage();
            size = frame.size();
            middle = image.pixelColor(image.width() / 2, image.height() / 2);
        });
        if (!QTest::qWaitFor([&] { return middle.isValid(); }, kMediaWait)) return {};
        return middle;
    }

private slots:
    void initTestCase() {
        QVERIFY2(server_.Started(), server_.Log().c_str());
        // Converted documents go to a cache of the test's own.
        qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(cache_.path()));
        AddTwins("pic.png", PngOf(Quarters(QSize(57, 41))));
        AddTwins("doc.pdf", PdfWithPages(3));
        AddTwins("sound.wav", testing::WavTone(1500));
        AddTwins("film.avi", testing::MjpegAvi(25, QSize(64, 48), {Qt::red, Qt::blue}));
        const QByteArray word = SampleFile("word.doc");
        QVERIFY(!word.isEmpty());
        AddTwins("letter.doc", word);
        QImage blue(120, 90, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        testing::WriteFile(server_.GuestFolder() + "/site/pics/blue.png", PngOf(blue).toStdString());
        testing::WriteFile(server_.GuestFolder() + "/site/look.css", "body { background: rgb(0, 255, 0); }");
        testing::WriteFile(server_.GuestFolder() + "/site/page.html",
                           "<html><head><title>shared page</title><link rel=stylesheet href=look.css></head>"
                           "<body><img id=pic src=pics/blue.png onload=\"document.title='shared page loaded'\">"
                           "</body></html>");
        testing::WriteFile(server_.GuestFolder() + "/saved.mht", testing::WebArchive("shared archive").toStdString());
        for (const char* name : {"gone.png", "gone.pdf", "gone.wav", "gone.html", "gone.mht"})
            testing::WriteFile(server_.GuestFolder() + "/" + name, "x");
    }
    void init() {
        dialogs_.messages.clear();
        platform::SmbCredentialStore::ForThisRun().Forget("127.0.0.1");
    }

    void pluginPicturesAndPdfsFromAShareShowAsTheirLocalTwins() {
        Settings settings = ViewerSettings();
        ChoiViewWindow w(settings, ini_, dialogs_);
        w.OpenAtPlacement();

        const auto [sharedPng, localPng] = Twins("pic.png");
        w.ShowInViewer(localPng);
        const QImage local = Box(w)->Picture().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(local.size(), QSize(57, 41));
        w.ShowInViewer(sharedPng);
        QVERIFY(Box(w)->isVisible());
        QCOMPARE(Box(w)->Picture().convertToFormat(QImage::Format_RGB32), local);
        QCOMPARE(local.pixelColor(50, 35), QColor(Qt::yellow));
        QCOMPARE(w.windowTitle(), "[" + QString::fromStdString(sharedPng) + "]");

        const auto [sharedPdf, localPdf] = Twins("doc.pdf");
        w.ShowInViewer(localPdf);
        QCOMPARE(PdfViewOf(w)->PageCount(), 3);
        const QImage localPage = FirstPage(w);
        w.ShowInViewer(sharedPdf);
        QVERIFY(!BrowserOf(w)->isHidden() && PdfViewOf(w)->isVisible());
        QCOMPARE(PdfViewOf(w)->PageCount(), 3);
        QCOMPARE(FirstPage(w), localPage);
        // The black square is on it, the paper white around.
        QVERIFY(HasColourNear(localPage, qRgb(0, 0, 0), 60) && qGray(localPage.pixel(55, 75)) > 200);
        QVERIFY(dialogs_.messages.empty());
    }

    void pagesFromAShareLoadTheirOwnPicturesAndStyles() {
        Settings settings = ViewerSettings();
        ChoiViewWindow w(settings, ini_, dialogs_);
        w.OpenAtPlacement();
        const std::string page = SmbTestServer::GuestShare() + "/site/page.html";
        w.ShowInViewer(page);
        QTRY_COMPARE_WITH_TIMEOUT(WebViewOf(w) ? WebViewOf(w)->title() : QString(), QString("shared page loaded"), testing::kWebEngineWait);
        QTRY_VERIFY_WITH_TIMEOUT(HasColourNear(WebViewOf(w)->grab().toImage(), qRgb(0, 255, 0)), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(HasColourNear(WebViewOf(w)->grab().toImage(), qRgb(0, 0, 255)), 5000);

        // A web archive opens only from a file: URL; the share's is shown from a private copy
        // that goes with the next file.
        w.ShowInViewer(SmbTestServer::GuestShare() + "/saved.mht");
        QTRY_COMPARE_WITH_TIMEOUT(WebViewOf(w)->title(), QString("shared archive"), testing::kWebEngineWait);
        const QString copy = WebViewOf(w)->url().toLocalFile();
        QVERIFY2(copy.endsWith("/saved.mht") && QFile::exists(copy), qPrintable(copy));
        QCOMPARE(QFile(copy).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ReadOwner | QFile::WriteOwner),
                 QFile::Permissions());
        w.ShowInViewer(page);
        QTRY_COMPARE_WITH_TIMEOUT(WebViewOf(w)->title(), QString("shared page loaded"), testing::kWebEngineWait);
        QVERIFY(!QFile::exists(copy));
        QVERIFY(dialogs_.messages.empty());
    }

    void soundAndVideoFromAShareDecodeAsTheirLocalTwins() {
        Settings settings = ViewerSettings();
        ChoiViewWindow w(settings, ini_, dialogs_);
        w.OpenAtPlacement();
        const auto [sharedWav, localWav] = Twins("sound.wav");
        w.ShowInViewer(sharedWav);
        QTRY_COMPARE_WITH_TIMEOUT(Pane(w).Player()->duration(), 1500, kMediaWait);
        // The tone is heard: the player moves on through it.
        QTRY_VERIFY_WITH_TIMEOUT(Pane(w).Player()->position() > 0, kMediaWait);
        w.ShowInViewer(localWav);
        QTRY_COMPARE_WITH_TIMEOUT(Pane(w).Player()->duration(), 1500, kMediaWait);

        const auto [sharedAvi, localAvi] = Twins("film.avi");
        QSize localSize, sharedSize;
        const QColor local = FirstFrameMiddle(w, localAvi, localSize);
        const QColor shared = FirstFrameMiddle(w, sharedAvi, sharedSize);
        QVERIFY2(shared.isValid() && shared.red() > 200 && shared.blue() < 60, qPrintable(shared.name()));
        QCOMPARE(sharedSize, localSize);
        QVERIFY(std::abs(shared.red() - local.red()) < 16 && std::abs(shared.blue() - local.blue()) < 16);
        QVERIFY(dialogs_.messages.empty());
    }

    void officeDocumentFromAShareConvertsAsItsLocalTwin() {
        Settings settings = ViewerSettings();
        ChoiViewWindow w(settings, ini_, dialogs_);
        w.OpenAtPlacement();
        const auto [shared, local] = Twins("letter.doc");
        const auto converted = [&] {
            QLabel* note = NoteOf(w);
            return (PdfViewOf(w) && PdfViewOf(w)->isVisible() && PdfViewOf(w)->PageCount() >= 1) ||
                   (note->isVisible() && note->text() != QTranslated(choiview_texts::kConverting));
        };
        w.ShowInViewer(local);
        QTRY_VERIFY_WITH_TIMEOUT(converted(), kConversionWait);
        if (!PdfViewOf(w) || !PdfViewOf(w)->isVisible()) QSKIP("LibreOffice cannot convert documents on this machine");
        const int pages = PdfViewOf(w)->PageCount();
        const QImage localPage = FirstPage(w);
        w.ShowInViewer(shared);
        QTRY_VERIFY_WITH_TIMEOUT(converted(), kConversionWait);
        QVERIFY(PdfViewOf(w) && PdfViewOf(w)->isVisible());
        QCOMPARE(PdfViewOf(w)->PageCount(), pages);
        QCOMPARE(FirstPage(w).size(), localPage.size());
        // The share's entry is one of its own, and the private copy is gone.
        int entries = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(cache_.path()))
            entries += entry.path().extension() == ".pdf";
        QCOMPARE(entries, 2);
        QVERIFY(dialogs_.messages.empty());
    }

    // A share that stops answering holds neither the window nor the next file: the window
    // paints while a file is opened, read or copied from it, another file chosen meanwhile
    // shows, and the copy that was being made goes once its read ends.
    void aFileStillComingFromAShareGivesWayToTheNext() {
        testing::TempTree scratch;  // the private copies go here
        // Whatever fails below, the server answers again and the copies go where they went.
        struct Restore {
            SmbTestServer& server;
            QByteArray temporary = qgetenv("TMPDIR");
            ~Restore() {
                server.Thaw();
                if (temporary.isEmpty()) qunsetenv("TMPDIR");
                else qputenv("TMPDIR", temporary);
            }
        } restore{server_};
        qputenv("TMPDIR", QByteArray::fromStdString(scratch.path()));
        Settings settings = ViewerSettings();
        ChoiViewWindow w(settings, ini_, dialogs_);
        w.OpenAtPlacement();
        testing::PaintCounter paints;
        qApp->installEventFilter(&paints);
        const auto [sharedPng, localPng] = Twins("pic.png");
        const auto copies = [&] {
            return std::distance(std::filesystem::directory_iterator(scratch.path()), {});
        };

        for (const char* name : {"pic.png", "doc.pdf", "saved.mht", "sound.wav"}) {
            const std::string shared = SmbTestServer::GuestShare() + "/" + name;
            // The window's own look at the file is answered from the listing just read.
            QVERIFY2(platform::FileSystemFor(shared).Facts(shared), name);
            server_.Freeze();
            bool showing = true;
            bool pendingWhileShowing = false;
            int paintsBefore = 0;
            long copiesPending = 0;
            QTimer::singleShot(100, &w, [&] {
                paintsBefore = paints.paints;
                w.update();
                for (QWidget* part : w.findChildren<QWidget*>()) part->update();
            });
            QTimer::singleShot(400, &w, [&] {
                pendingWhileShowing = showing && paints.paints > paintsBefore;
                copiesPending = copies();
                w.ShowInViewer(localPng);
            });
            w.ShowInViewer(shared);
            showing = false;
            QVERIFY2(pendingWhileShowing, name);
            QCOMPARE(copiesPending, std::string_view(name) == "pic.png" ? 1L : 0L);
            QCOMPARE(w.windowTitle(), "[" + QString::fromStdString(localPng) + "]");
            QVERIFY(Box(w)->isVisible());
            QCOMPARE(Box(w)->Picture().convertToFormat(QImage::Format_RGB32).pixelColor(50, 35), QColor(Qt::yellow));
            server_.Thaw();
            QTRY_COMPARE_WITH_TIMEOUT(copies(), 0L, kMediaWait);
        }
        QVERIFY(dialogs_.messages.empty());
    }

    void aShareThatIsGoneGivesTheMessageAtOnce() {
        Settings settings = ViewerSettings();
        ChoiViewWindow w(settings, ini_, dialogs_);
        w.OpenAtPlacement();
        std::vector<std::string> files;
        for (const char* name : {"gone.png", "gone.pdf", "gone.wav", "gone.html", "gone.mht"})
            files.push_back(SmbTestServer::GuestShare() + "/" + name);
        // Seen once while the server was there: a later look is no first acquaintance.
        for (const std::string& file : files) QVERIFY2(platform::FileSystemFor(file).Facts(file), file.c_str());
        qputenv("PELMORA_SMB_TIMEOUT", "2");
        server_.Kill();
        QElapsedTimer timer;
        timer.start();
        for (const std::string& file : files) w.ShowInViewer(file);
        QVERIFY2(timer.elapsed() < 5 * 4000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(dialogs_.messages, std::vector<std::string>(files.size(), Translated(choiview_texts::kOpenFailed)));
        qunsetenv("PELMORA_SMB_TIMEOUT");
    }
};

}  // namespace pelmora

int main(int argc, char** argv) { return pelmora::testing::RunPageTest<pelmora::ShareDisplayTest>(argc, argv); }
#include "share_display_test.moc"
