// The main window on a real X display with a window manager, whose frame is known only after
// the window shows: opened without a saved place, it is centred with that frame.
#include <QScreen>
#include <QStandardPaths>

#include "tests/app/ui/window_fixture.h"

namespace pelmora {

class MainWindowFrameTest : public QObject {
    Q_OBJECT

private slots:
    void centredWithTheFrame() {
        // The frame comes from the window manager the test command starts when it is installed.
        if (QStandardPaths::findExecutable("openbox").isEmpty()) QSKIP("no window manager, so no frame");
        testing::WindowFixture f;
        f.PrepareIni({{"LastFormPosition", "0"}});
        QVERIFY(f.Start());
        MainWindow& w = *f.window;
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY_WITH_TIMEOUT(w.frameGeometry().size() != w.geometry().size(), 10000);
        const QRect screen = w.screen()->geometry();
        auto offCentre = [&] {
            const QRect outer = w.frameGeometry();
            return QPoint(outer.left() - screen.left() - (screen.width() - outer.width()) / 2,
                          outer.top() - screen.top() - (screen.height() - outer.height()) / 2);
        };
        // Twips are rounded on the way: one pixel either way.
        QTRY_VERIFY2_WITH_TIMEOUT(std::abs(offCentre().x()) <= 1 && std::abs(offCentre().y()) <= 1,
                                  qPrintable(QString("off by %1, %2").arg(offCentre().x()).arg(offCentre().y())), 10000);
    }
};

}  // namespace pelmora

QTEST_MAIN(pelmora::MainWindowFrameTest)
#include "main_window_frame_test.moc"
