// ChoiView on a real X display with a window manager: what depends on the window's frame and
// on its native window, which the first web view and the "前面" box make Qt re-create.

#include <QCheckBox>
#include <QMediaPlayer>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QVideoFrame>
#include <QVideoSink>
#include <QWebEngineView>

#include <cstdlib>

#include "tests/tools/choiview/media_bytes.h"
#include "tests/tools/common/ui/tool_window_fixture.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/choi_view_window.h"
#include "tools/choiview/ui/media_player_pane.h"
#include "tools/choiview/ui/video_frame_view.h"
#include "tools/choiview/viewer_layout.h"
#include "tests/support/fake_job_context.h"

namespace pelmora {

namespace names = choi_view_names;

constexpr int kEngineWait = 30000;  // the web engine's first start on a loaded machine
constexpr int kWait = 10000;

class ChoiViewFrameTest : public QObject {
    Q_OBJECT

    testing::ToolWindowFolder folder_;
    const std::string ini_ = folder_.ini;
    testing::FakeDialogs dialogs_;
    std::string clip_ = folder_.WriteFile("clip.avi", testing::MjpegAvi(50, QSize(64, 48), {Qt::red}));

    static Settings ViewerSettings() {
        Settings settings;
        settings.CV_txt = settings.CV_htm = settings.CV_avi = settings.CV_wav = settings.CV_bmp = "1";
        settings.CV_txt_CheckSize = 2048;
        return settings;
    }
    static MediaPlayerPane& Pane(const ChoiViewWindow& w) {
        return *w.findChild<MediaPlayerPane*>(names::kMediaPlayer);
    }
    static bool FrameKnown(const QWidget& w) { return w.frameGeometry().size() != w.geometry().size(); }
    // The frame comes from the window manager the test command starts when it is installed.
    static bool HasWindowManager() { return !QStandardPaths::findExecutable("openbox").isEmpty(); }
    static bool Reddish(QColor c) { return c.red() > 180 && c.green() < 80 && c.blue() < 80; }

    // Plays the clip and waits for a red frame at the video's sink and on the screen of the
    // video widget, so the picture really is drawn where the user looks.
    void ExpectClipDrawn(ChoiViewWindow& w) {
        w.ShowInViewer(clip_);
        QVERIFY(Pane(w).Video() != nullptr);
        QColor decoded;
        QObject receiver;
        connect(Pane(w).Video()->videoSink(), &QVideoSink::videoFrameChanged, &receiver, [&](const QVideoFrame& frame) {
            if (!frame.isValid()) return;
            const QImage image = frame.toImage();
            decoded = image.pixelColor(image.width() / 2, image.height() / 2);
        });
        QTRY_VERIFY_WITH_TIMEOUT(decoded.isValid(), kWait);
        QVERIFY2(Reddish(decoded), qPrintable(decoded.name()));
        QWidget& video = *Pane(w).Video();
        QTRY_VERIFY_WITH_TIMEOUT(Reddish(video.grab().toImage().pixelColor(video.width() / 2, video.height() / 2)),
                                 kWait);
        QVERIFY(dialogs_.messages.empty());
    }

private slots:
    void init() { dialogs_.messages.clear(); }

    // The first web view of a run re-creates the window's native window; a video shown
    // before it and one shown after it must both play on screen, without a crash.
    void videoPlaysBeforeAndAfterTheFirstWebPage() {
        Settings settings = ViewerSettings();
        ChoiViewWindow w(settings, ini_, dialogs_);
        w.OpenAtPlacement();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ExpectClipDrawn(w);
        const std::string page = folder_.WriteFile("page.html", "<html><body>page</body></html>");
        w.ShowInViewer(page);
        QWebEngineView* web = w.findChild<QWebEngineView*>();
        QVERIFY(web != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(web->page()->url().fileName() == "page.html" && !web->page()->isLoading(),
                                 kEngineWait);
        ExpectClipDrawn(w);
        // A sound after the page, as in the crash the users saw; it lays the video out again.
        w.ShowInViewer(folder_.WriteFile("tone.wav", testing::WavTone(500)));
        QTRY_VERIFY_WITH_TIMEOUT(Pane(w).Player() != nullptr && Pane(w).Player()->position() > 0, kWait);
        ExpectClipDrawn(w);
    }

    // Ticking and unticking "前面" also re-creates the native window.
    void videoPlaysAfterTheFrontBoxIsTickedAndUnticked() {
        Settings settings = ViewerSettings();
        ChoiViewWindow w(settings, ini_, dialogs_);
        w.OpenAtPlacement();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ExpectClipDrawn(w);
        auto* front = w.findChild<QCheckBox*>(names::kFrontCheck);
        for (bool ticked : {true, false}) {
            front->click();
            QCOMPARE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint), ticked);
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            ExpectClipDrawn(w);
        }
    }

    // "前面" sits below the content area, above every display, once the window manager's
    // frame is known, which is only after the window was first shown.
    void frontBoxStaysBelowTheContentWithTheFrame() {
        if (!HasWindowManager()) QSKIP("no window manager, so no frame");
        Settings settings = ViewerSettings();
        ChoiViewWindow w(settings, ini_, dialogs_);
        w.OpenAtPlacement();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY_WITH_TIMEOUT(FrameKnown(w), kWait);
        auto* front = w.findChild<QCheckBox*>(names::kFrontCheck);
        const double dpi = w.logicalDpiX();
        auto expectBelowContent = [&](const char* display) {
            const TwipsSize size = w.SizeInTwips();
            const TwipsRect place = ViewerFrontCheckPlace(size);
            const TwipsRect area = ViewerContentArea(size);
            QCOMPARE(front->pos(), QPoint(TwipsToPixels(place.left, dpi), TwipsToPixels(place.top, dpi)));
            const QWidget* shown = w.findChild<QWidget*>(display);
            QVERIFY2(!shown->isHidden(), display);
            QCOMPARE(shown->geometry().bottom(), TwipsToPixels(area.top, dpi) + TwipsToPixels(area.height, dpi) - 1);
            QVERIFY2(front->geometry().top() > shown->geometry().bottom(), display);
            QVERIFY2(front->geometry().bottom() < w.height(), display);
            // A click on the box reaches the box, whatever display was laid out last.
            QWidget* hit = w.childAt(front->geometry().center());
            QVERIFY2(hit == front || front->isAncestorOf(hit), display);
        };

        std::string lines;
        for (int i = 1; i <= 60; ++i) lines += "line " + std::to_string(i) + "\n";
        w.ShowInViewer(folder_.WriteFile("lines.txt", QByteArray::fromStdString(lines)));
        expectBelowContent(names::kText);
        QImage wide(4000, 50, QImage::Format_RGB32);
        wide.fill(Qt::white);
        const std::string picture = folder_.WriteFile("wide.bmp", "");
        QVERIFY(wide.save(QString::fromStdString(picture), "BMP"));
        w.ShowInViewer(picture);
        QVERIFY(!w.findChild<QWidget*>(names::kHorizontalScroll)->isHidden());
        QVERIFY(!front->geometry().intersects(w.findChild<QWidget*>(names::kHorizontalScroll)->geometry()));
        w.ShowInViewer(folder_.WriteFile("page.html", "<html><body>page</body></html>"));
        QTRY_VERIFY_WITH_TIMEOUT(!w.findChild<QWebEngineView*>()->page()->isLoading(), kEngineWait);
        expectBelowContent(names::kWebBrowser);
        w.ShowInViewer(clip_);
        expectBelowContent(names::kMediaPlayer);

        // Resized, it follows.
        const QSize larger = w.size() + QSize(40, 30);
        w.resize(larger);
        QTRY_COMPARE(w.size(), larger);
        expectBelowContent(names::kMediaPlayer);
    }

    // Centred means centred with the frame the window manager adds.
    void centredWithItsOuterSize() {
        if (!HasWindowManager()) QSKIP("no window manager, so no frame");
        Settings settings = ViewerSettings();
        settings.CV_LastFormPosition = "0";
        ChoiViewWindow w(settings, ini_, dialogs_);
        w.OpenAtPlacement();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY_WITH_TIMEOUT(FrameKnown(w), kWait);
        const QRect screen = w.screen()->geometry();
        auto offCentre = [&] {
            const QRect outer = w.frameGeometry();
            return QPoint(outer.left() - (screen.width() - outer.width()) / 2,
                          outer.top() - (screen.height() - outer.height()) / 2);
        };
        // Twips are rounded on the way: one pixel either way.
        QTRY_VERIFY2_WITH_TIMEOUT(std::abs(offCentre().x()) <= 1 && std::abs(offCentre().y()) <= 1,
                                  qPrintable(QString("off by %1, %2").arg(offCentre().x()).arg(offCentre().y())), kWait);
    }
};

}  // namespace pelmora

QTEST_MAIN(pelmora::ChoiViewFrameTest)
#include "choi_view_frame_test.moc"
