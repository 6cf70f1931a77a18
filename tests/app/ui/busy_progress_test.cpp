// The busy state and the progress dialog Form2.

#include <QAction>
#include <QLabel>

#include "app/ui/busy_state.h"
#include "app/ui/command_dispatcher.h"
#include "app/ui/progress_dialog.h"
#include "tests/app/ui/window_fixture.h"

using namespace pelmora;
using namespace pelmora::testing;

namespace {

// Enabled state of every named control and menu entry of the main window.
std::map<QString, bool> EnabledStates(QWidget& window) {
    std::map<QString, bool> states;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->window() == &window && !widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_")) {
            states[widget->objectName()] = widget->isEnabled();
        }
    }
    for (QAction* action : window.findChildren<QAction*>()) {
        if (action->objectName().startsWith("mnu_")) states[action->objectName()] = action->isEnabled();
    }
    return states;
}

}  // namespace

class BusyProgressTest : public QObject {
    Q_OBJECT

private slots:
    void busyStateDisablesExactlyTheListedControls() {
        WindowFixture f;
        QVERIFY(f.Start());
        const auto before = EnabledStates(*f.window);
        f.window->Busy().EnterBusyState();
        const auto during = EnabledStates(*f.window);
        const QSet<QString> listed = {"Command1", "Command3", "Command4", "Command5", "Command6",
                                      "Command7", "Command9", "Command10", "Command11", "Command12",
                                      "Drive1", "Dir1", "File1", "Combo1", "mnu_Jump",
                                      "mnu_Setting", "mnu_view", "mnu_net", "mnu_ver"};
        for (const auto& name : listed) QVERIFY2(before.count(name), qPrintable(name));  // all exist
        for (const auto& [name, enabled] : before) {
            QVERIFY2(enabled, qPrintable(name));
            // A control inside a listed one (a list's viewport) follows its parent.
            const bool expectDisabled = listed.contains(name);
            if (expectDisabled) QVERIFY2(!during.at(name), qPrintable(name));
        }
        for (const char* stays : {"mnu_help", "mnu_readme", "Frame1", "Frame2", "UserControl11", "mnu_ChiView"}) {
            QVERIFY2(during.at(stays), stays);
        }
        f.window->Busy().LeaveBusyState();
        QCOMPARE(EnabledStates(*f.window), before);
    }

    void leavingKeepsTheMenuOfAnOpenToolWindowDisabled() {
        WindowFixture f;
        QVERIFY(f.Start());
        QWidget jump, hex;
        jump.setObjectName("Form7");
        hex.setObjectName("Form6");
        jump.show();
        hex.show();
        f.window->Busy().EnterBusyState();
        QVERIFY(!jump.isEnabled());  // docked windows are disabled for the busy period
        QVERIFY(hex.isEnabled());
        f.window->Busy().LeaveBusyState();
        QVERIFY(jump.isEnabled());
        for (const auto& [entry, enabled] : {std::pair{"mnu_Jump", false}, {"mnu_HexView", false},
                                             {"mnu_ChiView", true}, {"mnu_Setting", true}, {"mnu_ver", true}}) {
            QVERIFY2(f.window->findChild<QAction*>(entry)->isEnabled() == enabled, entry);
        }
    }

    void commandThatThrowsStillLeavesTheBusyState() {
        WindowFixture f;
        QVERIFY(f.Start());
        f.window->Commands().RunBusy(
            [&] {
                QVERIFY(f.window->Busy().IsBusy());
                f.window->Progress().Open("work", true);
                throw std::runtime_error("broken");
            },
            "failed");
        QCOMPARE(f.dialogs.messages, std::vector<std::string>{"failed"});
        QVERIFY(!f.window->Busy().IsBusy());
        QVERIFY(!f.window->Progress().IsOpen());
        QVERIFY(f.window->findChild<QWidget*>("Combo1")->isEnabled());
    }

    // Where it opens and what it shows mid-listing is checked by the commands' cancel test.
    void progressDialogClosesOnlyThroughTheWork() {
        WindowFixture f;
        QVERIFY(f.Start());
        ProgressDialog& progress = f.window->Progress();
        QCOMPARE(progress.objectName(), QString("Form2"));
        auto* cancel = progress.findChild<QPushButton*>("Command1");

        progress.Open("ツリー作成中", false);
        QVERIFY(!cancel->isVisible());
        // Without a cancel button a close through the frame changes nothing.
        progress.close();
        QVERIFY(progress.IsOpen());
        QVERIFY(!f.window->Cancel().IsRaised());
        progress.Close();

        progress.Open("サブフォルダを検索中", true);
        progress.SetActivity("ファイル名を並び替え中(100/300)");
        QCOMPARE(progress.findChild<QLabel*>("Label2")->text(), QString("ファイル名を並び替え中(100/300)"));
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(f.window->Cancel().IsRaised());
        QVERIFY(progress.IsOpen());  // the dialog never closes itself
        f.window->Cancel().Reset();

        // Closing through the frame while the work runs stops it; the work's next use of
        // the dialog still works and removes it.
        progress.close();
        QVERIFY(f.window->Cancel().IsRaised());
        progress.SetActivity("next");
        progress.Pump();
        progress.Close();
        QVERIFY(!progress.IsOpen());
        QVERIFY(f.window->Cancel().IsRaised());  // closing does not clear the flag
    }

    void mainWindowPassesItsFocusToTheOpenProgressDialog() {
        WindowFixture f;
        QVERIFY(f.Start());
        ProgressDialog& progress = f.window->Progress();
        progress.Open("work", true);
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), static_cast<QWidget*>(&progress), 2000);
        f.window->activateWindow();
        QTest::qWait(100);  // the main window's activation arrives, and is passed on
        QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&progress));
        progress.Close();
        f.window->activateWindow();
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), static_cast<QWidget*>(f.window.get()), 2000);
    }

    void label1BlinksEveryHalfSecond() {
        WindowFixture f;
        QVERIFY(f.Start());
        ProgressDialog& progress = f.window->Progress();
        auto* label1 = progress.findChild<QLabel*>("Label1");
        progress.Open("work", true);
        for (int blink = 0; blink < 2; ++blink) {
            const int state = ProgressDialog::BlinkState();
            QTRY_VERIFY_WITH_TIMEOUT(ProgressDialog::BlinkState() != state, 1500);
            QCOMPARE(label1->isVisible(), ProgressDialog::BlinkState() == 1);
        }
        progress.Close();
    }
};

QTEST_MAIN(BusyProgressTest)
#include "busy_progress_test.moc"
