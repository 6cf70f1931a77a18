// Docking and chase of the network browse window on a real X server, with a window manager
// when one is installed (openbox, started by with_window_manager.sh), so that the frames
// are real: the window's frame meets the main window's frame on its left.

#include <QAction>
#include <QProcess>
#include <QTimer>

#include "app/ui/docked_windows.h"
#include "app/ui/main_window_names.h"
#include "tests/app/ui/window_fixture.h"
#include "tests/support/fake_network_discovery.h"
#include "tools/jump/ui/jump_window.h"
#include "tools/network/ui/network_names.h"
#include "tools/network/ui/network_window.h"

using namespace pelmora;
using namespace pelmora::testing;

class NetworkDockTest : public QObject {
    Q_OBJECT

    bool framed_ = false;

    static NetworkWindow* OpenNetwork(WindowFixture& f, FakeNetworkDiscovery& network) {
        f.window->Docked().SetNetworkDiscovery(&network);
        f.window->findChild<QAction*>(main_window_names::kNetViewMenu)->trigger();
        // The top level is read beside the window; the fake network must outlive that.
        NetworkWindow* window = f.window->Docked().Network();
        if (window && !QTest::qWaitFor([&] { return !window->Reading(); }, 5000)) qWarning("no top level in time");
        return window;
    }
    static bool Docked(const QWidget& main, const QWidget& docked) {
        const QRect m = main.frameGeometry();
        const QRect d = docked.frameGeometry();
        return d.right() + 1 == m.left() && d.top() == m.top();
    }
    static QString Describe(const QWidget& main, const QWidget& docked) {
        QString text;
        QDebug(&text) << "main" << main.frameGeometry() << "docked" << docked.frameGeometry();
        return text;
    }

private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
        QProcess xprop;
        xprop.start("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"});
        framed_ = xprop.waitForFinished(2000) && xprop.readAllStandardOutput().contains("window id");
    }

    void docksLeftWithTheMainWindowsHeightInJumpsPlace() {
        WindowFixture f;
        f.PrepareIni({{"ChaseNetViewWindow", "0"}});
        QVERIFY(f.Start());
        QTRY_VERIFY(f.window->isVisible());
        // Moved only once framed, as a user would: the frame's late arrival places it anew.
        if (framed_) QTRY_VERIFY(f.window->frameGeometry() != f.window->geometry());
        f.window->move(450, 40);
        QTRY_VERIFY(f.window->frameGeometry().left() > 400);
        f.window->findChild<QAction*>(main_window_names::kJumpMenu)->trigger();
        JumpWindow* jump = f.window->Docked().Jump();
        QTRY_VERIFY(jump->isVisible());

        FakeNetworkDiscovery network = FakeNetworkDiscovery::SmallNetwork();
        NetworkWindow* window = OpenNetwork(f, network);
        QVERIFY(!jump->isVisible());
        if (framed_) QTRY_VERIFY(window->frameGeometry() != window->geometry());
        QTRY_VERIFY2(Docked(*f.window, *window) &&
                         window->frameGeometry().height() == f.window->frameGeometry().height(),
                     qPrintable(Describe(*f.window, *window)));

        // Without chase each window stays where it is moved.
        QVERIFY(!window->findChild<QTimer*>(network_names::kChaseTimer)->isActive());
        const QRect before = window->frameGeometry();
        f.window->move(600, 100);
        QTRY_VERIFY(f.window->frameGeometry().left() > 550);
        QCOMPARE(window->frameGeometry(), before);
    }

    void inChaseModeEachWindowBringsTheOtherAlong() {
        WindowFixture f;
        f.PrepareIni({{"ChaseNetViewWindow", "1"}});
        QVERIFY(f.Start());
        QTRY_VERIFY(f.window->isVisible());
        // Moved only once framed, as a user would: the frame's late arrival places it anew.
        if (framed_) QTRY_VERIFY(f.window->frameGeometry() != f.window->geometry());
        f.window->move(500, 60);
        QTRY_VERIFY(f.window->frameGeometry().left() > 400);
        FakeNetworkDiscovery network = FakeNetworkDiscovery::SmallNetwork();
        NetworkWindow* window = OpenNetwork(f, network);
        if (framed_) QTRY_VERIFY(window->frameGeometry() != window->geometry());
        QTRY_VERIFY(Docked(*f.window, *window));
        QTimer* timer = window->findChild<QTimer*>(network_names::kChaseTimer);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 200);

        const QPoint mainBefore = f.window->frameGeometry().topLeft();
        f.window->move(mainBefore + QPoint(100, 60));
        QTRY_VERIFY_WITH_TIMEOUT(f.window->frameGeometry().topLeft() != mainBefore && Docked(*f.window, *window),
                                 5000);
        const QPoint windowBefore = window->frameGeometry().topLeft();
        window->move(windowBefore - QPoint(150, 30));
        QTRY_VERIFY_WITH_TIMEOUT(window->frameGeometry().topLeft() != windowBefore && Docked(*f.window, *window),
                                 5000);

        // Opening Jump closes the network window, which chases no more.
        f.window->findChild<QAction*>(main_window_names::kJumpMenu)->trigger();
        QVERIFY(!window->isVisible());
        QVERIFY(!timer->isActive());
    }
};

QTEST_MAIN(NetworkDockTest)
#include "network_dock_test.moc"
