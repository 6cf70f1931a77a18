// The Jump window in the running program: its rows, registering, jumping, fonts, the menu
// entry, start-up and the shared docking place. Docking and chase under a real X server
// are in jump_dock_test.cpp.

#include <QAction>
#include <QLabel>
#include <QScreen>

#include "app/ui/browser_controller.h"
#include "app/ui/docked_windows.h"
#include "app/ui/main_window_names.h"
#include "settings/ini_access.h"
#include "tests/app/ui/window_fixture.h"
#include "tools/jump/ui/elided_path_button.h"
#include "tools/jump/ui/jump_names.h"
#include "tools/jump/ui/jump_window.h"

using namespace pelmora;
using namespace pelmora::testing;

class JumpWindowTest : public QObject {
    Q_OBJECT

    static JumpWindow* OpenJump(WindowFixture& f) {
        f.window->findChild<QAction*>(main_window_names::kJumpMenu)->trigger();
        return f.window->Docked().Jump();
    }
    static QPushButton* Register(JumpWindow& jump, int row) {
        return jump.findChild<QPushButton*>(jump_names::RegisterButton(row));
    }
    static ElidedPathButton* JumpButton(JumpWindow& jump, int row) {
        return jump.findChild<ElidedPathButton*>(jump_names::JumpButton(row));
    }

private slots:
    void rowsShowTheirSlotsWithTheDesignsNamesAndFonts() {
        WindowFixture f;
        f.PrepareIni({{"Jump02", "   "}, {"JumpFontName", "DejaVu Sans"}, {"JumpFontSize", "10.5"},
                      {"JumpFontBold", "1"}, {"JumpFontItalic", "0"}});
        WriteIniString("Pelmora", "Jump04", f.DataFolder(), f.paths.iniPath);
        QVERIFY(f.Start());
        JumpWindow* jump = OpenJump(f);
        QVERIFY(jump && jump->isVisible());
        QCOMPARE(jump->objectName(), QString("Form7"));
        QCOMPARE(jump->windowTitle(), QString("Jump"));
        QCOMPARE(jump->findChild<QLabel*>("Label1")->text(), QString("01"));
        QCOMPARE(jump->findChild<QLabel*>("Label11")->text(), QString("10"));
        QVERIFY(!jump->findChild<QLabel*>("Label2"));
        QLabel* hint = jump->findChild<QLabel*>(jump_names::kHintLabel);
        QCOMPARE(hint->text(), QString("登録しているフォルダに移動します"));
        QVERIFY(hint->font().bold());
        QCOMPARE(Register(*jump, 10)->text(), QString("登録"));
        QCOMPARE(JumpButton(*jump, 1)->FullText(), QString("無し"));
        QCOMPARE(JumpButton(*jump, 2)->FullText(), QString("   "));
        QCOMPARE(JumpButton(*jump, 4)->FullText(), QString::fromStdString(f.DataFolder()));
        const QFont font = JumpButton(*jump, 7)->font();
        QCOMPARE(font.family(), QString("DejaVu Sans"));
        QCOMPARE(font.pointSizeF(), 10.5);
        QVERIFY(font.bold() && !font.italic());
        // The menu entry waits for the window to close.
        QAction* menu = f.window->findChild<QAction*>(main_window_names::kJumpMenu);
        QVERIFY(!menu->isEnabled());
        jump->close();
        QVERIFY(menu->isEnabled());
    }

    void emptyAndBlankSlotsDoNothingAndAGoneFolderFails() {
        WindowFixture f;
        f.AddData({"target/", "gone/"});
        f.PrepareIni({{"Jump02", "   "}});
        WriteIniString("Pelmora", "Jump03", f.Data("gone"), f.paths.iniPath);
        WriteIniString("Pelmora", "Jump05", f.Data("target"), f.paths.iniPath);
        QVERIFY(f.Start());
        JumpWindow* jump = OpenJump(f);
        for (int row : {1, 2}) QTest::mouseClick(JumpButton(*jump, row), Qt::LeftButton);
        QCOMPARE(f.window->Browser().CurrentFolder(), f.DataFolder());
        QVERIFY(f.dialogs.messages.empty());

        QTest::mouseClick(JumpButton(*jump, 5), Qt::LeftButton);
        QCOMPARE(f.window->Browser().CurrentFolder(), f.Data("target"));
        QVERIFY(f.dialogs.messages.empty());

        std::filesystem::remove(f.Data("gone"));
        QTest::mouseClick(JumpButton(*jump, 3), Qt::LeftButton);
        QCOMPARE(f.dialogs.messages, std::vector<std::string>{"フォルダの参照に失敗しました"});
        QCOMPARE(f.window->Browser().CurrentFolder(), f.Data("target"));
        QVERIFY(jump->isVisible());
    }

    void registeringStoresTheCurrentFolderInItsRowAtOnce() {
        WindowFixture f;
        f.AddData({"tmp/", "other/"});
        f.PrepareIni({{"Jump01", "/kept"}});
        QVERIFY(f.Start());
        JumpWindow* jump = OpenJump(f);
        QVERIFY(!f.Browse(f.Data("tmp")));
        QTest::mouseClick(Register(*jump, 3), Qt::LeftButton);
        QCOMPARE(JumpButton(*jump, 3)->FullText(), QString::fromStdString(f.Data("tmp")));
        QCOMPARE(ReadIniString("Pelmora", "Jump03", f.paths.iniPath), f.Data("tmp"));
        QCOMPARE(ReadIniString("Pelmora", "Jump01", f.paths.iniPath), std::string("/kept"));
        QCOMPARE(JumpButton(*jump, 2)->FullText(), QString("無し"));

        QVERIFY(!f.Browse(f.Data("other")));
        QTest::mouseClick(Register(*jump, 3), Qt::LeftButton);
        QCOMPARE(ReadIniString("Pelmora", "Jump03", f.paths.iniPath), f.Data("other"));
        // The registered row jumps back there.
        QVERIFY(!f.Browse(f.DataFolder()));
        QTest::mouseClick(JumpButton(*jump, 3), Qt::LeftButton);
        QCOMPARE(f.window->Browser().CurrentFolder(), f.Data("other"));
    }

    // A folder path the settings file would give back cut short is refused with a message;
    // a settings file that cannot be written is told as the settings dialog tells it.
    void registeringRefusesWhatCannotWorkAndTellsAFailedWrite() {
        WindowFixture f;
        std::string deep = f.DataFolder();
        while (deep.size() <= 300) deep += "/" + std::string(50, 'd');
        std::filesystem::create_directories(deep);
        f.PrepareIni({{"Jump02", "/kept"}});
        QVERIFY(f.Start());
        JumpWindow* jump = OpenJump(f);
        QVERIFY(!f.Browse(deep));
        QTest::mouseClick(Register(*jump, 2), Qt::LeftButton);
        QCOMPARE(f.dialogs.messages,
                 std::vector<std::string>{"フォルダのパスが255バイトを超えるため登録できません\n" + deep});
        QCOMPARE(JumpButton(*jump, 2)->FullText(), QString("/kept"));
        QCOMPARE(ReadIniString("Pelmora", "Jump02", f.paths.iniPath), std::string("/kept"));

        std::filesystem::permissions(f.paths.iniPath, std::filesystem::perms(0444));
        QVERIFY(!f.Browse(f.DataFolder()));
        QTest::mouseClick(Register(*jump, 3), Qt::LeftButton);
        QCOMPARE(f.dialogs.messages.back(), "設定の保存に失敗しました\n" + f.paths.iniPath);
        QCOMPARE(ReadIniString("Pelmora", "Jump03", f.paths.iniPath), std::string());
    }

    void aLongPathIsCutInTheMiddleWithTheWholePathAsTooltip() {
        WindowFixture f;
        const std::string deep = f.Data(std::string(60, 'a') + "/" + std::string(60, 'b') + "/last");
        f.PrepareIni({{"Jump01", deep}, {"Jump02", "/tmp"}});
        QVERIFY(f.Start());
        JumpWindow* jump = OpenJump(f);
        ElidedPathButton* button = JumpButton(*jump, 1);
        QVERIFY(button->text().contains(QChar(0x2026)));
        QVERIFY(button->text().endsWith("last"));
        QCOMPARE(button->toolTip(), QString::fromStdString(deep));
        QCOMPARE(JumpButton(*jump, 2)->text(), QString("/tmp"));
        QVERIFY(JumpButton(*jump, 2)->toolTip().isEmpty());
    }

    void startUpOpensItWhenAskedAndItTakesTheNetworkWindowsPlace() {
        WindowFixture f;
        f.PrepareIni({{"ShowJumpWindow", "1"}});
        // The network window shares the place at the left.
        QWidget network;
        network.setObjectName(main_window_names::kNetworkWindow);
        network.show();
        StartupHooks hooks;
        hooks.openJumpWindow = [&f] { f.window->Docked().OpenJump(); };
        QVERIFY(f.Start(hooks));
        QVERIFY(f.window->Docked().Jump() && f.window->Docked().Jump()->isVisible());
        QVERIFY(!network.isVisible());
        // Docked against the main window's left, as high as it.
        const QRect main = f.window->frameGeometry();
        const QRect jump = f.window->Docked().Jump()->frameGeometry();
        QCOMPARE(jump.right() + 1, main.left());
        QCOMPARE(jump.top(), main.top());
        QCOMPARE(jump.height(), main.height());

        // At the screen's left edge the window opens off the screen: no clamping.
        f.window->Docked().Jump()->close();
        f.window->move(f.window->screen()->geometry().topLeft());
        f.window->Docked().OpenJump();
        QCOMPARE(f.window->Docked().Jump()->frameGeometry().right() + 1, f.window->frameGeometry().left());
        QVERIFY(f.window->Docked().Jump()->frameGeometry().left() < f.window->screen()->geometry().left());
    }
};

QTEST_MAIN(JumpWindowTest)
#include "jump_window_test.moc"
