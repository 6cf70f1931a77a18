// The busy state and the progress dialog Form2.

#include <QAction>
#include <QLabel>

#include "app/ui/main_window_names.h"
#include "app/ui/busy_state.h"
#include "app/ui/command_dispatcher.h"
#include "app/ui/progress_dialog.h"
#include "tests/app/ui/window_fixture.h"
#include "tools/aclview/ui/acl_view_names.h"
#include "tools/hexview/ui/hex_view_names.h"

using namespace pelmora;
using namespace pelmora::testing;
namespace names = pelmora::main_window_names;

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


// Counts the activations a window receives.
class ActivationSpy : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate) ++count;
        return false;
    }
};

class BusyProgressTest : public QObject {
    Q_OBJECT

private slots:
    void busyStateDisablesExactlyTheListedControls() {
        WindowFixture f;
        QVERIFY(f.Start());
        const auto before = EnabledStates(*f.window);
        f.window->Busy().EnterBusyState();
        const auto during = EnabledStates(*f.window);
        const QSet<QString> listed = {names::kListFilesButton,
                                      names::kSelectAllButton,
                                      names::kRefreshButton,
                                      names::kFolderTreeButton,
                                      names::kListFolderNameButton,
                                      names::kListAllFilesBelowButton,
                                      names::kListSubfoldersButton,
                                      names::kOpenWithAssociationButton,
                                      names::kListArchiveButton,
                                      names::kListAllSubfoldersButton,
                                      names::kDriveList,
                                      names::kFolderList,
                                      names::kFileList,
                                      names::kPatternBox,
                                      names::kJumpMenu,
                                      names::kSettingMenu,
                                      names::kViewMenu,
                                      names::kNetMenu,
                                      names::kVersionMenu};
        for (const auto& name : listed) QVERIFY2(before.count(name), qPrintable(name));  // all exist
        for (const auto& [name, enabled] : before) {
            QVERIFY2(enabled, qPrintable(name));
            // A control inside a listed one (a list's viewport) follows its parent.
            const bool expectDisabled = listed.contains(name);
            if (expectDisabled) QVERIFY2(!during.at(name), qPrintable(name));
        }
        for (const char* stays : {names::kHelpMenu, names::kReadmeMenu, names::kFolderFrame, names::kFileFrame,
                                  names::kPicturePanel, names::kChoiViewMenu}) {
            QVERIFY2(during.at(stays), stays);
        }
        f.window->Busy().LeaveBusyState();
        QCOMPARE(EnabledStates(*f.window), before);
    }

    void leavingKeepsTheMenuOfAnOpenToolWindowDisabled() {
        WindowFixture f;
        QVERIFY(f.Start());
        QWidget jump, hex;
        jump.setObjectName(names::kJumpWindow);
        hex.setObjectName(hex_view_names::kWindow);
        jump.show();
        hex.show();
        f.window->Busy().EnterBusyState();
        QVERIFY(!jump.isEnabled());  // docked windows are disabled for the busy period
        QVERIFY(hex.isEnabled());
        f.window->Busy().LeaveBusyState();
        QVERIFY(jump.isEnabled());
        for (const auto& [entry, enabled] : {std::pair{names::kJumpMenu, false},
                                             {names::kHexViewMenu, false},
                                             {names::kChoiViewMenu, true},
                                             {names::kSettingMenu, true},
                                             {names::kVersionMenu, true}}) {
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
        QVERIFY(f.window->findChild<QWidget*>(names::kPatternBox)->isEnabled());
    }

    // Where it opens and what it shows mid-listing is checked by the commands' cancel test.
    void progressDialogClosesOnlyThroughTheWork() {
        WindowFixture f;
        QVERIFY(f.Start());
        ProgressDialog& progress = f.window->Progress();
        QCOMPARE(progress.objectName(), QString(names::kProgressDialog));
        auto* cancel = progress.findChild<QPushButton*>(names::kProgressCancelButton);

        progress.Open("ツリー作成中", false);
        QVERIFY(!cancel->isVisible());
        // Without a cancel button a close through the frame changes nothing.
        progress.close();
        QVERIFY(progress.IsOpen());
        QVERIFY(!f.window->Cancel().IsRaised());
        progress.Close();

        progress.Open("サブフォルダを検索中", true);
        progress.SetActivity("ファイル名を並び替え中(100/300)");
        QCOMPARE(progress.findChild<QLabel*>(names::kProgressActivityLabel)->text(),
                 QString("ファイル名を並び替え中(100/300)"));
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
        ActivationSpy mainActivations;
        f.window->installEventFilter(&mainActivations);
        f.window->activateWindow();
        // The main window's activation arrives, and is passed on.
        QTRY_VERIFY_WITH_TIMEOUT(mainActivations.count > 0, 2000);
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), static_cast<QWidget*>(&progress), 2000);
        f.window->removeEventFilter(&mainActivations);
        progress.Close();
        f.window->activateWindow();
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), static_cast<QWidget*>(f.window.get()), 2000);
    }

    void label1BlinksEveryHalfSecond() {
        WindowFixture f;
        QVERIFY(f.Start());
        ProgressDialog& progress = f.window->Progress();
        auto* label1 = progress.findChild<QLabel*>(names::kProgressBlinkLabel);
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
