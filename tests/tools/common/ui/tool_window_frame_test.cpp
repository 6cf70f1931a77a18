// HexView and ACLView on a real X display with a window manager, whose frame is known only
// after the window shows: centred means centred with that frame, and a saved place is where
// the frame's corner goes.
#include <QScreen>
#include <QStandardPaths>
#include <QTest>

#include <functional>
#include <memory>

#include "common/window_placement.h"
#include "tests/tools/common/ui/tool_window_fixture.h"
#include "tools/aclview/ui/acl_view_window.h"
#include "tools/hexview/ui/hex_view_window.h"

namespace pelmora {

constexpr int kWait = 10000;

class ToolWindowFrameTest : public QObject {
    Q_OBJECT

    testing::ToolWindowFolder folder_;
    const std::string ini_ = folder_.ini;

    static bool FrameKnown(const QWidget& w) { return w.frameGeometry().size() != w.geometry().size(); }
    // The frame comes from the window manager the test command starts when it is installed.
    static bool HasWindowManager() { return !QStandardPaths::findExecutable("openbox").isEmpty(); }

    // Each tool window, opened with the settings.
    std::vector<std::pair<const char*, std::function<std::unique_ptr<QWidget>(Settings&)>>> Windows() {
        return {
            {"HexView",
             [this](Settings& settings) {
                 auto w = std::make_unique<HexViewWindow>(settings, ini_);
                 w->OpenAtPlacement();
                 return std::unique_ptr<QWidget>(std::move(w));
             }},
            {"ACLView",
             [this](Settings& settings) {
                 auto w = std::make_unique<AclViewWindow>(settings, ini_);
                 w->OpenAtPlacement();
                 return std::unique_ptr<QWidget>(std::move(w));
             }},
        };
    }

private slots:
    void centredWithTheFrame() {
        if (!HasWindowManager()) QSKIP("no window manager, so no frame");
        for (const auto& [name, open] : Windows()) {
            Settings settings;
            settings.Hex_LastFormPosition = settings.ACL_LastFormPosition = "0";
            const std::unique_ptr<QWidget> w = open(settings);
            QVERIFY2(QTest::qWaitForWindowExposed(w.get()), name);
            QTRY_VERIFY2_WITH_TIMEOUT(FrameKnown(*w), name, kWait);
            const QRect screen = w->screen()->geometry();
            auto offCentre = [&] {
                const QRect outer = w->frameGeometry();
                return QPoint(outer.left() - screen.left() - (screen.width() - outer.width()) / 2,
                              outer.top() - screen.top() - (screen.height() - outer.height()) / 2);
            };
            // Twips are rounded on the way: one pixel either way.
            QTRY_VERIFY2_WITH_TIMEOUT(std::abs(offCentre().x()) <= 1 && std::abs(offCentre().y()) <= 1,
                                      qPrintable(QString("%1 off by %2, %3").arg(name).arg(offCentre().x()).arg(offCentre().y())),
                                      kWait);
        }
    }

    void savedPlaceIsTheFramesCorner() {
        if (!HasWindowManager()) QSKIP("no window manager, so no frame");
        for (const auto& [name, open] : Windows()) {
            Settings settings;
            settings.Hex_LastFormPosition = settings.ACL_LastFormPosition = "1";
            settings.Hex_FormLeft = settings.ACL_FormLeft = 1500;
            settings.Hex_FormTop = settings.ACL_FormTop = 1200;
            const std::unique_ptr<QWidget> w = open(settings);
            QVERIFY2(QTest::qWaitForWindowExposed(w.get()), name);
            QTRY_VERIFY2_WITH_TIMEOUT(FrameKnown(*w), name, kWait);
            const double dpi = w->logicalDpiX();
            const QPoint saved =
                w->screen()->geometry().topLeft() + QPoint(TwipsToPixels(1500, dpi), TwipsToPixels(1200, dpi));
            QTRY_COMPARE_WITH_TIMEOUT(w->frameGeometry().topLeft(), saved, kWait);
        }
    }
};

}  // namespace pelmora

QTEST_MAIN(pelmora::ToolWindowFrameTest)
#include "tool_window_frame_test.moc"
