// The main window's browser: what the lists show, the select-all rule, the follow mechanism.

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QMenu>
#include <QListView>
#include <QPushButton>
#include <QtTest>
#include <cerrno>

#include "app/browser_controller.h"
#include "app/drive_list.h"
#include "app/file_list_model.h"
#include "app/folder_list_widget.h"
#include "app/follow_target.h"
#include "app/main_window_texts.h"
#include "app/picture_panel.h"
#include "listing/folder_contents.h"
#include "tests/app/window_fixture.h"

using namespace pelmora;
using namespace pelmora::testing;

namespace {

struct RecordingFollower : FollowTarget {
    RecordingFollower(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
    void FollowPath(const std::string& path) override { log_.push_back(name_ + ":" + path); }
    std::vector<std::string>& log_;
    std::string name_;
};

std::vector<bool> AllTrue(std::size_t count) { return std::vector<bool>(count, true); }

FolderListWidget& FolderList(MainWindow& window) { return *window.findChild<FolderListWidget*>("Dir1"); }

std::vector<QString> FolderListTexts(MainWindow& window) {
    std::vector<QString> texts;
    auto& list = FolderList(window);
    for (int row = 0; row < list.count(); ++row) texts.push_back(list.item(row)->text().trimmed());
    return texts;
}

}  // namespace

class BrowserTest : public QObject {
    Q_OBJECT

private slots:
    void windowCarriesItsControlsAndMenusUnderTheirNames() {
        WindowFixture f;
        QVERIFY(f.Start());
        MainWindow& window = *f.window;
        QCOMPARE(window.objectName(), QString("Form1"));
        QCOMPARE(window.windowTitle(), QString("Pelmora"));
        // Button, caption, the frame it sits in (none for the browser's own buttons).
        const struct {
            const char* name;
            const char* caption;
            const char* frame;
        } buttons[] = {
            {"Command3", "↑全て選択", nullptr},         {"Command4", "表示更新", nullptr},
            {"Command1", "ファイル名を取得", "Frame2"}, {"Command7", "配下の全ファイル名を取得", "Frame2"},
            {"Command11", "書庫内ファイル名を取得", "Frame2"}, {"Command10", "関連付け起動", "Frame2"},
            {"Command6", "フォルダ名を取得", "Frame1"}, {"Command9", "直下のフォルダ名を取得", "Frame1"},
            {"Command12", "配下の全フォルダ名を取得", "Frame1"}, {"Command5", "ツリーを取得", "Frame1"},
        };
        for (const auto& expected : buttons) {
            auto* button = window.findChild<QPushButton*>(expected.name);
            QVERIFY2(button && button->window() == &window, expected.name);
            QCOMPARE(button->text(), QString(expected.caption));
            auto* frame = qobject_cast<QGroupBox*>(button->parentWidget());
            QCOMPARE(frame ? frame->objectName() : QString(), QString(expected.frame ? expected.frame : ""));
        }
        QCOMPARE(window.findChild<QGroupBox*>("Frame1")->title(), QString("フォルダ"));
        QCOMPARE(window.findChild<QGroupBox*>("Frame2")->title(), QString("ファイル"));
        for (const char* control : {"Drive1", "Dir1", "Combo1", "File1", "UserControl11"}) {
            QVERIFY2(window.findChild<QWidget*>(control), control);
        }

        // Menu entry, caption, the menu it sits in (none for the entries on the bar).
        const struct {
            const char* name;
            const char* caption;
            const char* menu;
        } entries[] = {
            {"mnu_Jump", "ジャンプ", nullptr},         {"mnu_Setting", "設定", nullptr},
            {"mnu_view", "ビュー", nullptr},           {"mnu_ChiView", "ちょいView", "mnu_view"},
            {"mnu_HexView", "HexView", "mnu_view"},    {"mnu_ACLView", "ACLView", "mnu_view"},
            {"mnu_net", "ネットワーク", nullptr},      {"mnu_netView", "ネットワーク参照", "mnu_net"},
            {"mnu_netAttach", "ネットワークドライブ接続", "mnu_net"},
            {"mnu_netDetach", "ネットワークドライブ切断", "mnu_net"},
            {"mnu_help", "ヘルプ", nullptr},           {"mnu_readme", "Readme.txt", "mnu_help"},
            {"mnu_ver", "Version", "mnu_help"},
        };
        for (const auto& expected : entries) {
            auto* entry = window.findChild<QAction*>(expected.name);
            QVERIFY2(entry, expected.name);
            QCOMPARE(entry->text(), QString(expected.caption));
            QString owner;
            for (QMenu* menu : window.findChildren<QMenu*>()) {
                if (menu->actions().contains(entry)) owner = menu->menuAction()->objectName();
            }
            QCOMPARE(owner, QString(expected.menu ? expected.menu : ""));
        }
    }

    void folderAndPatternChangesSelectEveryFile() {
        WindowFixture f;
        WriteTextFile(f.Data("top.txt"), "");
        WriteTextFile(f.Data("sub/a.txt"), "");
        WriteTextFile(f.Data("sub/b.csv"), "");
        WriteTextFile(f.Data("sub/C.TXT"), "");
        QVERIFY(f.Start());
        BrowserController& browser = f.window->Browser();

        // A click on the subfolder's line in Dir1 opens it.
        auto& dir1 = FolderList(*f.window);
        QListWidgetItem* sub = dir1.findItems("sub", Qt::MatchEndsWith).value(0);
        QVERIFY(sub);
        QTest::mouseClick(dir1.viewport(), Qt::LeftButton, {}, dir1.visualItemRect(sub).center());
        QTRY_COMPARE(browser.CurrentFolder(), f.Data("sub"));
        BrowserState state = browser.State();
        QCOMPARE(state.entries, (std::vector<std::string>{"a.txt", "b.csv", "C.TXT"}));
        QCOMPARE(state.selected, AllTrue(3));

        f.window->PatternBox()->setEditText("*.txt");
        state = browser.State();
        QCOMPARE(state.pattern, std::string("*.txt"));
        QCOMPARE(state.entries, (std::vector<std::string>{"a.txt", "C.TXT"}));
        QCOMPARE(state.selected, AllTrue(2));

        // After the user narrows the selection, "↑全て選択" selects all again.
        f.window->FileList()->clearSelection();
        QCOMPARE(browser.FirstSelectedPath(), std::string());
        QTest::mouseClick(f.window->findChild<QPushButton*>("Command3"), Qt::LeftButton);
        QCOMPARE(browser.State().selected, AllTrue(2));

        // Choosing a pattern from the list works like typing it.
        const int csv = f.window->PatternBox()->findText("*.csv");
        QVERIFY(csv >= 0);
        f.window->PatternBox()->setCurrentIndex(csv);
        QCOMPARE(browser.State().entries, std::vector<std::string>{"b.csv"});
        QCOMPARE(browser.State().selected, AllTrue(1));
    }

    void everyChangeReadsTheFileListOnce() {
        WindowFixture f;
        WriteTextFile(f.Data("a.txt"), "");
        WriteTextFile(f.Data("b.csv"), "");
        QVERIFY(f.Start());
        QComboBox* combo1 = f.window->PatternBox();
        QSignalSpy reads(&f.window->Files(), &QAbstractItemModel::modelReset);
        combo1->setFocus();
        // Down picks the next pattern item, as a click in the drop-down would.
        QTest::keyClick(combo1, Qt::Key_Down);
        QCOMPARE(combo1->currentText(), QString("*.avi"));
        QCOMPARE(reads.count(), 1);
        QTest::keyClick(combo1, Qt::Key_Up);
        QCOMPARE(reads.count(), 2);
        QCOMPARE(f.window->Browser().State().selected, AllTrue(2));

        // Choosing the item already shown selects all again without reading.
        f.window->FileList()->clearSelection();
        emit combo1->activated(combo1->currentIndex());
        QCOMPARE(reads.count(), 2);
        QCOMPARE(f.window->Browser().State().selected, AllTrue(2));

        QTest::mouseClick(f.window->findChild<QPushButton*>("Command4"), Qt::LeftButton);
        QCOMPARE(reads.count(), 3);
    }

    void folderListShowsThePathThenTheSubfolders() {
        for (const bool hidden : {true, false}) {
            WindowFixture f;
            std::filesystem::create_directories(f.Data("b"));
            std::filesystem::create_directories(f.Data("a"));
            std::filesystem::create_directories(f.Data(".hidden"));
            WriteTextFile(f.Data(".dotfile"), "");
            WriteTextFile(f.Data("shown"), "");
            f.PrepareIni({{"FileHiddenFile", hidden ? "1" : "0"}});
            QVERIFY(f.Start());
            const auto texts = FolderListTexts(*f.window);
            const auto chain = FolderChain(f.DataFolder());
            QCOMPARE(texts.size(), chain.size() + (hidden ? 3 : 2));
            QCOMPARE(texts.front(), QString("/"));
            QCOMPARE(texts[chain.size() - 1], QString("data"));
            std::vector<QString> subfolders(texts.begin() + static_cast<long>(chain.size()), texts.end());
            if (hidden) {
                QCOMPARE(subfolders, (std::vector<QString>{".hidden", "a", "b"}));
                QCOMPARE(f.window->Browser().State().entries, (std::vector<std::string>{".dotfile", "shown"}));
            } else {
                QCOMPARE(subfolders, (std::vector<QString>{"a", "b"}));
                QCOMPARE(f.window->Browser().State().entries, std::vector<std::string>{"shown"});
            }
            QCOMPARE(FolderList(*f.window).SubfolderPaths().back(), f.Data("b"));
        }
    }

    void folderThatCannotBeOpenedLeavesTheBrowserWhereItWas() {
        WindowFixture f;
        WriteTextFile(f.Data("kept.txt"), "");
        std::filesystem::create_directories(f.Data("vanished"));
        QVERIFY(f.Start());
        // The folder goes away after the list showed it; a click on its line then fails.
        std::filesystem::remove(f.Data("vanished"));
        auto& dir1 = FolderList(*f.window);
        QListWidgetItem* line = dir1.findItems("vanished", Qt::MatchEndsWith).value(0);
        QVERIFY(line);
        QTest::mouseClick(dir1.viewport(), Qt::LeftButton, {}, dir1.visualItemRect(line).center());
        QTRY_COMPARE(f.dialogs.messages, std::vector<std::string>{texts::kFolderReadFailed});
        QCOMPARE(f.window->Browser().CurrentFolder(), f.DataFolder());
        QCOMPARE(f.window->Browser().State().entries, std::vector<std::string>{"kept.txt"});
        // The list marks the folder the browser stayed in, not the line that failed.
        QCOMPARE(dir1.currentItem()->text(), QString("data"));
    }

    void refreshAfterTheFolderWasDeletedGoesToTheVolumeRoot() {
        WindowFixture f;
        WriteTextFile(f.Data("gone/x.txt"), "");
        QVERIFY(f.Start());
        BrowserController& browser = f.window->Browser();
        browser.OpenFolder(f.Data("gone"));
        WriteTextFile(f.Data("gone/y.txt"), "");
        // New files show after a refresh, all selected.
        QTest::mouseClick(f.window->findChild<QPushButton*>("Command4"), Qt::LeftButton);
        QCOMPARE(browser.State().entries, (std::vector<std::string>{"x.txt", "y.txt"}));
        QCOMPARE(browser.State().selected, AllTrue(2));

        std::filesystem::remove_all(f.Data("gone"));
        QTest::mouseClick(f.window->findChild<QPushButton*>("Command4"), Qt::LeftButton);
        const std::string root = f.window->findChild<DriveList*>("Drive1")->CurrentMountPoint();
        QVERIFY(!root.empty());
        QCOMPARE(browser.CurrentFolder(), root);
        QVERIFY(f.dialogs.messages.empty());
    }

    void clickHandsTheFirstSelectedFileToOpenToolWindowsInOrder() {
        WindowFixture f;
        WriteTextFile(f.Data("a.txt"), "");
        WriteTextFile(f.Data("b.txt"), "");
        QVERIFY(f.Start());
        std::vector<std::string> log;
        RecordingFollower acl(log, "acl"), hex(log, "hex"), choi(log, "choi");
        BrowserController& browser = f.window->Browser();
        // Registered in the order the user happened to open them; asked in the fixed order.
        browser.AddFollowTarget("Form5", &choi);
        browser.AddFollowTarget("Form6", &hex);
        browser.AddFollowTarget("Form9", &acl);
        QListView* list = f.window->FileList();
        const QPoint second = list->visualRect(list->model()->index(1, 0)).center();

        // No tool window open: a click only selects.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QVERIFY(log.empty());

        QWidget hexWindow, aclWindow;
        hexWindow.setObjectName("Form6");
        aclWindow.setObjectName("Form9");
        hexWindow.show();
        aclWindow.show();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(log, (std::vector<std::string>{"acl:" + f.Data("b.txt"), "hex:" + f.Data("b.txt")}));

        aclWindow.hide();
        log.clear();
        const QPoint first = list->visualRect(list->model()->index(0, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier, first);
        QCOMPARE(log, std::vector<std::string>{"hex:" + f.Data("a.txt")});  // first in list order

        // Moving the selection with the keyboard hands the new file over as well, once.
        log.clear();
        list->setFocus();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
        log.clear();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(log, std::vector<std::string>{"hex:" + f.Data("b.txt")});
        // Select-all by the browser is no click.
        log.clear();
        browser.SelectAllFiles();
        QVERIFY(log.empty());
    }

    void hundredThousandEntriesLoadAndSelect() {
        WindowFixture f;
        QVERIFY(f.Start());
        std::vector<std::string> names;
        for (int i = 0; i < 100000; ++i) names.push_back("file" + std::to_string(i) + ".txt");
        f.window->Files().SetNames(names);
        f.window->Browser().SelectAllFiles();
        const BrowserState state = f.window->Browser().State();
        QCOMPARE(state.entries.size(), std::size_t(100000));
        QCOMPARE(state.selected, AllTrue(100000));
        QCOMPARE(f.window->FileList()->model()->data(f.window->FileList()->model()->index(99999, 0)).toString(),
                 QString("file99999.txt"));
    }

    void namesThatAreNotUtf8KeepTheirBytes() {
        WindowFixture f;
        const std::string odd = "caf\xe9.txt";  // Latin-1 bytes
        WriteTextFile(f.Data(odd), "");
        QVERIFY(f.Start());
        QCOMPARE(f.window->Browser().State().entries, std::vector<std::string>{odd});
        QCOMPARE(f.window->Browser().FirstSelectedPath(), f.Data(odd));
    }

    void volumeThatIsNotReadyBeepsAndKeepsTheFolder() {
        TempFolder folder;
        WriteTextFile(folder.Sub("kept.txt"), "");
        DriveList drive1;
        drive1.SetVolumes({{"/", "", "", ""}, {"/media/cd", "DISC", "", ""}, {"/media/locked", "", "", ""}});
        FolderListWidget dir1;
        QComboBox combo1;
        QListView file1;
        FileListModel files;
        file1.setModel(&files);
        FakeDialogs dialogs;
        BrowserController browser({&drive1, &dir1, &combo1, &file1, &files}, dialogs, nullptr,
                                  [](const std::string& path, bool hidden, std::error_code& error) {
                                      if (path == "/media/cd") error = std::error_code(ENOMEDIUM, std::generic_category());
                                      if (path == "/media/locked") error = std::error_code(EACCES, std::generic_category());
                                      return error ? std::vector<std::string>{} : ListSubfolderNames(path, hidden, error);
                                  });
        browser.SetDirPath(folder.Path());

        browser.ChangeDrive("/media/cd");
        QCOMPARE(dialogs.beeps, 1);
        QCOMPARE(dialogs.messages, std::vector<std::string>{texts::kDriveUnavailable});
        QCOMPARE(browser.CurrentFolder(), folder.Path());
        QCOMPARE(dir1.Folder(), folder.Path());
        QCOMPARE(files.Names(), std::vector<std::string>{"kept.txt"});

        // Other errors are ignored without a word; the folder stays all the same.
        browser.ChangeDrive("/media/locked");
        QCOMPARE(dialogs.beeps, 1);
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QCOMPARE(browser.CurrentFolder(), folder.Path());

        browser.ChangeDrive("/");
        QCOMPARE(browser.CurrentFolder(), std::string("/"));
    }

    void folderChainAndVolumeLookup() {
        QCOMPARE(FolderChain("/"), std::vector<std::string>{"/"});
        QCOMPARE(FolderChain("/a/b"), (std::vector<std::string>{"/", "/a", "/a/b"}));
        QCOMPARE(FolderChain("/a//b/"), (std::vector<std::string>{"/", "/a", "/a/b"}));
        QCOMPARE(FolderChain("//server/share/x"), (std::vector<std::string>{"//server/share", "//server/share/x"}));

        const std::vector<std::string> mounts = {"/", "/media/usb", "/media/usb2", "/home"};
        QCOMPARE(VolumeIndexOf(mounts, "/etc"), 0);
        QCOMPARE(VolumeIndexOf(mounts, "/media/usb"), 1);
        QCOMPARE(VolumeIndexOf(mounts, "/media/usb/x"), 1);
        QCOMPARE(VolumeIndexOf(mounts, "/media/usb2/x"), 2);
        QCOMPARE(VolumeIndexOf(mounts, "/media/usb22"), 0);
        QCOMPARE(VolumeIndexOf({"/srv"}, "/etc"), -1);
    }

    void picturePanelSwapsOnlyBetweenTwoPictures() {
        WindowFixture f;
        QImage first(8, 8, QImage::Format_RGB32);
        first.fill(Qt::white);
        first.setPixel(1, 1, qRgb(255, 0, 0));
        QImage second(4, 4, QImage::Format_RGB32);
        second.fill(Qt::blue);
        QVERIFY(first.save(QString::fromStdString(f.Data("one.png"))));
        QVERIFY(second.save(QString::fromStdString(f.Data("two.png"))));

        PicturePanel panel;
        panel.SetPictureFiles(f.Data("one.png"), "");
        QVERIFY(panel.ShowFirstPicture());
        QCOMPARE(panel.PictureNumber(), 1);
        // White is the mask colour: transparent; the red pixel stays.
        const QImage shown = panel.ShownPixmap().toImage();
        QCOMPARE(qAlpha(shown.pixel(0, 0)), 0);
        QCOMPARE(shown.pixel(1, 1), qRgb(255, 0, 0));
        QTest::mouseClick(&panel, Qt::LeftButton);
        QCOMPARE(panel.PictureNumber(), 1);  // only one picture: nothing changes

        panel.SetPictureFiles(f.Data("one.png"), f.Data("two.png"));
        QTest::mouseClick(&panel, Qt::LeftButton);
        QCOMPARE(panel.PictureNumber(), 2);
        QCOMPARE(panel.ShownPixmap().width(), 4);
        QTest::mouseClick(&panel, Qt::LeftButton);
        QCOMPARE(panel.PictureNumber(), 1);

        // A second picture that cannot be loaded leaves the panel as it was.
        panel.SetPictureFiles(f.Data("one.png"), f.Data("missing.png"));
        QTest::mouseClick(&panel, Qt::LeftButton);
        QCOMPARE(panel.PictureNumber(), 1);
        QCOMPARE(panel.ShownPixmap().width(), 8);
    }
};

QTEST_MAIN(BrowserTest)
#include "browser_test.moc"
