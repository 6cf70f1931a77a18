// The About box on a real X server with a window manager (openbox, started by
// with_window_manager.sh): it stays above the main window when the main window is activated,
// and a drag by its background ends when the button is released.

#include <QAction>
#include <QCursor>
#include <QProcess>
#include <QRegularExpression>

#include "app/ui/help_commands.h"
#include "app/ui/main_window_names.h"
#include "tests/app/ui/window_fixture.h"
#include "tests/support/fake_process_starter.h"
#include "tools/help/ui/about_box.h"

using namespace pelmora;
using namespace pelmora::testing;

namespace {

QString XpropRoot(const char* property) {
    QProcess xprop;
    xprop.start("xprop", {"-root", property});
    return xprop.waitForFinished(2000) ? QString::fromLatin1(xprop.readAllStandardOutput()) : QString();
}

// The managed windows from the bottom of the stack to its top.
QList<WId> StackingOrder() {
    QList<WId> order;
    const QRegularExpression id(QStringLiteral("0x[0-9a-f]+"));
    for (const QRegularExpressionMatch& match : id.globalMatch(XpropRoot("_NET_CLIENT_LIST_STACKING"))) {
        order.append(match.captured().toULongLong(nullptr, 16));
    }
    return order;
}

bool IsAbove(const QWidget& upper, const QWidget& lower) {
    const QList<WId> order = StackingOrder();
    const qsizetype up = order.indexOf(upper.winId());
    const qsizetype low = order.indexOf(lower.winId());
    return up >= 0 && low >= 0 && up > low;
}

}  // namespace

class AboutBoxStackingTest : public QObject {
    Q_OBJECT

    bool managed_ = false;

    AboutBox* OpenAbout(WindowFixture& f) {
        f.window->findChild<QAction*>(main_window_names::kVersionMenu)->trigger();
        return f.window->Help().About();
    }

private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
        managed_ = XpropRoot("_NET_SUPPORTING_WM_CHECK").contains("window id");
    }

    void activatingTheMainWindowKeepsTheBoxAboveIt() {
        if (!managed_) QSKIP("needs a window manager (openbox)");
        WindowFixture f;
        FakeProcessStarter starter;
        f.starter = &starter;
        QVERIFY(f.Start());
        QTRY_VERIFY(f.window->isVisible());
        AboutBox* box = OpenAbout(f);
        QVERIFY(box != nullptr);
        QTRY_VERIFY(IsAbove(*box, *f.window));

        // What a click on the main window does: the manager activates and raises it.
        f.window->activateWindow();
        f.window->raise();
        QTRY_VERIFY(QGuiApplication::focusWindow() == f.window->windowHandle());
        // The manager restacks a moment after the raise: the box must not drop below meanwhile.
        QVERIFY(!QTest::qWaitFor([&] { return !IsAbove(*box, *f.window); }, 500));
        QVERIFY(box->isVisible());
    }

    void aDragByTheBackgroundEndsOnRelease() {
        WindowFixture f;
        FakeProcessStarter starter;
        f.starter = &starter;
        QVERIFY(f.Start());
        AboutBox* box = OpenAbout(f);
        QVERIFY(box != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(box));
        const QPoint start = box->pos();

        const QPoint grip(4, 4);  // the background, left of the picture
        QTest::mousePress(box, Qt::LeftButton, {}, grip);
        QTest::mouseMove(box, grip + QPoint(30, 20));
        QTRY_COMPARE(box->pos(), start + QPoint(30, 20));
        QTest::mouseRelease(box, Qt::LeftButton, {}, grip + QPoint(30, 20));
        const QPoint dropped = box->pos();

        // The pointer moves on with no button held: the box stays where it was dropped.
        QCursor::setPos(box->mapToGlobal(grip) + QPoint(80, 60));
        QTest::mouseMove(box, box->mapFromGlobal(QCursor::pos()));
        QVERIFY(!QTest::qWaitFor([&] { return box->pos() != dropped; }, 300));
        QCOMPARE(box->pos(), dropped);
    }
};

QTEST_MAIN(AboutBoxStackingTest)
#include "about_box_stacking_test.moc"
