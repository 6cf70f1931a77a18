// The commands that hand the browser's selection to the tools: the folder tree, the archive
// listing, the launcher, and the HexView, ACLView and ChoiView windows with their menu entries.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSlider>
#include <cmath>
#include <cstdlib>

#include "app/ui/main_window_names.h"
#include "app/ui/browser_controller.h"
#include "app/ui/busy_state.h"
#include "app/ui/tool_windows.h"
#include "settings/dialog_bindings.h"
#include "tests/app/ui/window_fixture.h"
#include "tests/support/fake_process_starter.h"
#include "tools/aclview/ui/acl_view_names.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/choi_view_window.h"
#include "tools/choiview/ui/text_pane.h"
#include "tools/hexview/ui/hex_view_names.h"
#include "tools/jump/ui/jump_names.h"

using namespace pelmora;
using namespace pelmora::testing;
namespace names = pelmora::main_window_names;

class ToolCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void treeCommandListsTheFolderTreeWithThePrinterBesideTheProgram() {
        WindowFixture f;
        std::filesystem::create_directory_symlink(std::filesystem::path(PELMORA_TREE_PROGRAM).parent_path(),
                                                  (f.folder / "bin"));
        // The program folder holds the tree printer, as an installed copy does; the settings
        // and any work files belong in the settings folder.
        f.paths.programFolder = f.folder / "bin";
        f.AddData({"top/inner/", "top/$(touch pwned)/"});
        QVERIFY(f.Start());
        f.window->Browser().OpenFolder(f.Data("top"));
        f.dialogs.answer = true;  // "実行しますか？"
        f.Click(names::kFolderTreeButton);
        QVERIFY2(f.clipboard.text.find("inner") != std::string::npos, f.clipboard.text.c_str());
        QVERIFY(f.clipboard.text.find("$(touch pwned)") != std::string::npos);
        QVERIFY(!std::filesystem::exists(f.folder / "program/px_tree.sh"));
        QVERIFY(!std::filesystem::exists(f.folder / "program/px_tree.txt"));
        QVERIFY(!f.window->Busy().IsBusy());
    }

    void archiveCommandListsTheSelectedZip() {
        if (std::system("command -v zip >/dev/null 2>&1") != 0) QSKIP("zip is not installed");
        WindowFixture f;
        WriteFile(f.Data("member.txt"), "hello");
        const std::string command = "cd '" + f.DataFolder() + "' && zip -q pack.zip member.txt";
        QCOMPARE(std::system(command.c_str()), 0);
        f.PrepareIni({{"Pattern", "*.zip"}});
        QVERIFY(f.Start());
        f.Click(names::kListArchiveButton);
        QVERIFY(f.clipboard.text.find("member.txt") != std::string::npos);
        QVERIFY(f.dialogs.messages.empty());
    }

    void toolWindowsAndTheLauncherTakeTheClickedFile() {
        WindowFixture f;
        WriteFile(f.Data("a.bin"), "ABC");
        f.AddData({"b.txt"});
        FakeProcessStarter starter;
        f.starter = &starter;
        QVERIFY(f.Start());
        QAction* hexEntry = f.window->findChild<QAction*>(names::kHexViewMenu);
        QAction* aclEntry = f.window->findChild<QAction*>(names::kAclViewMenu);
        hexEntry->trigger();
        aclEntry->trigger();
        QWidget* hex = reinterpret_cast<QWidget*>(f.window->Tools().HexView());
        QWidget* acl = reinterpret_cast<QWidget*>(f.window->Tools().AclView());
        QVERIFY(hex && hex->isVisible() && hex->objectName() == hex_view_names::kWindow);
        QVERIFY(acl && acl->isVisible() && acl->objectName() == acl_view_names::kWindow);
        QVERIFY(!hexEntry->isEnabled() && !aclEntry->isEnabled());

        f.ClickFile(0);
        const QString path = QString::fromStdString(f.Data("a.bin"));
        QVERIFY(hex->findChild<QLabel*>(hex_view_names::kPathLabel)->text().contains(path));
        QVERIFY(hex->findChild<QPlainTextEdit*>(hex_view_names::kDumpText)->toPlainText().contains("41 42 43"));
        QVERIFY(acl->findChild<QLabel*>(acl_view_names::kPathLabel)->text().contains(path));
        f.Click(names::kOpenWithAssociationButton);
        QCOMPARE(starter.calls, std::vector<std::string>{"open|" + f.Data("a.bin")});

        hex->close();
        QVERIFY(hexEntry->isEnabled() && !aclEntry->isEnabled());
        hexEntry->trigger();
        QVERIFY(hex->isVisible() && !hexEntry->isEnabled());

        // The program ends with the window open: it goes without its close handling.
        WriteIniString("HexView", "Hex_FormLeft", "777", f.paths.iniPath);
        f.window->close();
        f.window.reset();
        QCOMPARE(ReadIniString("HexView", "Hex_FormLeft", f.paths.iniPath), std::string("777"));
        QVERIFY(!ReadIniString("Pelmora", "FormLeft", f.paths.iniPath).empty());
    }

    // The menu entries of the docked windows and of help open them.
    void jumpMenuOpensTheJumpWindow() {
        WindowFixture f;
        QVERIFY(f.Start());
        QAction* entry = f.window->findChild<QAction*>(names::kJumpMenu);
        entry->trigger();
        QWidget* jump = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == jump_names::kWindow && widget->isVisible()) jump = widget;
        }
        QVERIFY(jump != nullptr);
        QVERIFY(!entry->isEnabled());
    }

    // The settings dialog's opacity slider changes an open ChoiView at once.
    void settingsSliderSetsChoiViewOpacityLive() {
        WindowFixture f;
        f.PrepareIni({});
        WriteIniString("ChoiView", "CV_use_stealth", "1", f.paths.iniPath);
        QVERIFY(f.Start());
        f.window->findChild<QAction*>(names::kChoiViewMenu)->trigger();
        ChoiViewWindow* choi = f.window->Tools().ChoiView();
        QVERIFY(choi != nullptr);
        QCOMPARE(choi->windowOpacity(), 1.0);  // CV_Stealth 255
        f.window->findChild<QAction*>(names::kSettingMenu)->trigger();
        auto* slider = f.window->findChild<QSlider*>(QString::fromStdString(std::string(FindControlBinding("Slider1")->control)));
        QVERIFY(slider != nullptr);
        slider->setValue(128);
        QVERIFY(std::abs(choi->windowOpacity() - 128 / 255.0) < 0.01);
    }

    void choiViewOpensFromItsMenuAndFollowsAfterHexView() {
        WindowFixture f;
        WriteFile(f.Data("a.txt"), "first file");
        WriteFile(f.Data("b.txt"), "second file");
        f.PrepareIni({});
        WriteIniString("ChoiView", "CV_txt", "1", f.paths.iniPath);
        QVERIFY(f.Start());
        QAction* entry = f.window->findChild<QAction*>(names::kChoiViewMenu);
        // A click while it is closed does not open it.
        f.ClickFile(0);
        QVERIFY(!f.window->Tools().ChoiView());

        entry->trigger();
        ChoiViewWindow* choi = f.window->Tools().ChoiView();
        QVERIFY(choi && choi->isVisible() && choi->objectName() == names::kChoiViewWindow);
        QCOMPARE(QString(names::kChoiViewWindow), QString(choi_view_names::kWindow));
        QVERIFY(!entry->isEnabled());
        {
            BusyScope busy(f.window->Busy());
        }
        QVERIFY(!entry->isEnabled());

        f.ClickFile(1);
        QCOMPARE(choi->windowTitle(), "[" + QString::fromStdString(f.Data("b.txt")) + "]");
        QCOMPARE(choi->findChild<TextPane*>(choi_view_names::kText)->Text(), QStringLiteral("second file"));

        choi->close();
        QVERIFY(entry->isEnabled());
        QVERIFY(!ReadIniString("ChoiView", "CV_FormLeft", f.paths.iniPath).empty());
    }
};

QTEST_MAIN(ToolCommandsTest)
#include "tool_commands_test.moc"
