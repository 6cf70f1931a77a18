// Docking and chase of the Jump window and the settings dialog on a real X server, with a window manager when one
// is installed (openbox, started by with_window_manager.sh), so that the frames are real:
// docked edges meet frame to frame.

#include <QAction>
#include <QProcess>
#include <QTimer>

#include "app/ui/docked_windows.h"
#include "app/ui/main_window_names.h"
#include "tools/settings/ui/settings_dialog.h"
#include "common/ui/window_dock.h"
#include "tests/app/ui/window_fixture.h"
#include "tools/jump/ui/jump_names.h"
#include "tools/jump/ui/jump_window.h"

using namespace pelmora;
using namespace pelmora::testing;

class JumpDockTest : public QObject {
    Q_OBJECT

    bool framed_ = false;

    static JumpWindow* OpenJump(WindowFixture& f) {
        f.window->findChild<QAction*>(main_window_names::kJumpMenu)->trigger();
        return f.window->Docked().Jump();
    }
    static bool Docked(const QWidget& main, const QWidget& jump) {
        const QRect m = main.frameGeometry();
        const QRect j = jump.frameGeometry();
        return j.right() + 1 == m.left() && j.top() == m.top();
    }
    static QString Describe(const QWidget& main, const QWidget& docked) {
        QString text;
        QDebug(&text) << "main" << main.frameGeometry() << main.geometry() << "docked" << docked.frameGeometry()
                      << docked.geometry();
        return text;
    }
    static bool WindowManagerRuns() {
        QProcess xprop;
        xprop.start("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"});
        return xprop.waitForFinished(2000) && xprop.readAllStandardOutput().contains("window id");
    }
    // The window manager has taken the window when it has a frame and sits where it was put.
    static bool Settled(const QWidget& window, QPoint at) {
        return window.frameGeometry().topLeft() == at;
    }

private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
        // with_window_manager.sh starts openbox when it is installed.
        framed_ = WindowManagerRuns();
    }

    // Off the screen is tested without a window manager (jump_window_tests): a manager may
    // keep a new window partly on the screen.
    void opensAgainstTheMainWindowsLeftWithItsHeight() {
        WindowFixture f;
        f.PrepareIni({{"ChaseJumpWindow", "0"}});
        QVERIFY(f.Start());
        QTRY_VERIFY(f.window->isVisible());
        // Moved only once framed, as a user would: the frame's late arrival places it anew.
        if (framed_) QTRY_VERIFY(f.window->frameGeometry() != f.window->geometry());
        f.window->move(450, 40);
        QTRY_VERIFY(f.window->frameGeometry().left() > 400);
        JumpWindow* jump = OpenJump(f);
        // A window manager frames the window a moment after it shows.
        if (framed_) QTRY_VERIFY(jump->frameGeometry() != jump->geometry());
        QTRY_VERIFY2(Docked(*f.window, *jump) && jump->frameGeometry().height() == f.window->frameGeometry().height(),
                     qPrintable(Describe(*f.window, *jump)));

        // Without chase each window stays where it is moved.
        QVERIFY(!jump->findChild<QTimer*>(jump_names::kChaseTimer)->isActive());
        const QRect jumpBefore = jump->frameGeometry();
        f.window->move(600, 100);
        QTRY_VERIFY(f.window->frameGeometry().left() > 550);
        QCOMPARE(jump->frameGeometry(), jumpBefore);
    }

    void inChaseModeEachWindowBringsTheOtherAlong() {
        WindowFixture f;
        f.PrepareIni({{"ChaseJumpWindow", "1"}});
        QVERIFY(f.Start());
        QTRY_VERIFY(f.window->isVisible());
        // Moved only once framed, as a user would: the frame's late arrival places it anew.
        if (framed_) QTRY_VERIFY(f.window->frameGeometry() != f.window->geometry());
        f.window->move(500, 60);
        QTRY_VERIFY(f.window->frameGeometry().left() > 400);
        JumpWindow* jump = OpenJump(f);
        if (framed_) QTRY_VERIFY(jump->frameGeometry() != jump->geometry());
        QTRY_VERIFY(Docked(*f.window, *jump));
        QTimer* timer = jump->findChild<QTimer*>(jump_names::kChaseTimer);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 200);

        // Dragging the main window brings the Jump window along on its left...
        const QPoint mainBefore = f.window->frameGeometry().topLeft();
        f.window->move(mainBefore + QPoint(100, 60));
        QTRY_VERIFY_WITH_TIMEOUT(f.window->frameGeometry().topLeft() != mainBefore && Docked(*f.window, *jump), 5000);

        // ...and dragging the Jump window brings the main window along on its right.
        const QPoint jumpBefore = jump->frameGeometry().topLeft();
        jump->move(jumpBefore - QPoint(150, 30));
        QTRY_VERIFY_WITH_TIMEOUT(jump->frameGeometry().topLeft() != jumpBefore && Docked(*f.window, *jump), 5000);
        QVERIFY(f.window->frameGeometry().left() < mainBefore.x() + 100);

        // Closed, it chases no more.
        jump->close();
        QVERIFY(!timer->isActive());
    }

    // The settings dialog shares the docking: at the right, frame against frame, as high.
    void theSettingsDialogDocksAtTheRight() {
        WindowFixture f;
        f.PrepareIni({{"ChaseSettingWindow", "0"}});
        QVERIFY(f.Start());
        QTRY_VERIFY(f.window->isVisible());
        // Moved only once framed, as a user would: the frame's late arrival places it anew.
        if (framed_) QTRY_VERIFY(f.window->frameGeometry() != f.window->geometry());
        f.window->move(100, 50);
        QTRY_VERIFY(f.window->frameGeometry().left() < 200);
        f.window->findChild<QAction*>(main_window_names::kSettingMenu)->trigger();
        QWidget* dialog = f.window->Docked().SettingsWindow();
        QVERIFY(dialog);
        auto dockedRight = [&] {
            const QRect m = f.window->frameGeometry();
            const QRect d = dialog->frameGeometry();
            return d.left() == m.right() + 1 && d.top() == m.top() && d.height() == m.height();
        };
        if (framed_) QTRY_VERIFY(dialog->frameGeometry() != dialog->geometry());
        QTRY_VERIFY(dockedRight());
    }
};

QTEST_MAIN(JumpDockTest)
#include "jump_dock_test.moc"
