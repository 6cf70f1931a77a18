// The main window's browser: what the lists show, the select-all rule, the follow mechanism.

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QGroupBox>
#include <QMenu>
#include <cerrno>

#include "app/ui/main_window_names.h"
#include "app/ui/browser_controller.h"
#include "app/ui/drive_list.h"
#include "app/ui/file_list_model.h"
#include "app/ui/folder_list_widget.h"
#include "common/follow_target.h"
#include "app/ui/main_window_texts.h"
#include "app/ui/picture_panel.h"
#include "i18n/translation.h"
#include "listing/engine/folder_contents.h"
#include "tests/app/ui/window_fixture.h"
#include "tools/aclview/ui/acl_view_names.h"
#include "tools/hexview/ui/hex_view_names.h"

using namespace pelmora;
using namespace pelmora::testing;
namespace names = pelmora::main_window_names;

namespace {

struct RecordingFollower : FollowTarget {
    RecordingFollower(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
    void FollowPath(const std::string& path) override { log_.push_back(name_ + ":" + path); }
    std::vector<std::string>& log_;
    std::string name_;
};

std::vector<bool> AllTrue(std::size_t count) { return std::vector<bool>(count, true); }

FolderListWidget& FolderList(MainWindow& window) { return *window.findChild<FolderListWidget*>(names::kFolderList); }

void ClickFolderLine(MainWindow& window, const QString& name) {
    auto& dir1 = FolderList(window);
    QListWidgetItem* line = dir1.findItems(name, Qt::MatchEndsWith).value(0);
    QVERIFY(line);
    QTest::mouseClick(dir1.viewport(), Qt::LeftButton, {}, dir1.visualItemRect(line).center());
}

}  // namespace

class BrowserTest : public QObject {
    Q_OBJECT

private slots:
    void windowCarriesItsControlsAndMenusUnderTheirNames() {
        WindowFixture f;
        QVERIFY(f.Start());
        MainWindow& window = *f.window;
        QCOMPARE(window.objectName(), QString(names::kMainWindow));
        QCOMPARE(window.windowTitle(), QString("Pelmora"));
        // Name, caption, the frame or menu it sits in (none: on the window or the menu bar).
        struct Named {
            const char* name;
            const char* caption;
            const char* owner;
        };
        const Named buttons[] = {
            {names::kSelectAllButton, "↑全て選択", nullptr},
            {names::kRefreshButton, "表示更新", nullptr},
            {names::kListFilesButton, "ファイル名を取得", names::kFileFrame},
            {names::kListAllFilesBelowButton, "配下の全ファイル名を取得", names::kFileFrame},
            {names::kListArchiveButton, "書庫内ファイル名を取得", names::kFileFrame},
            {names::kOpenWithAssociationButton, "関連付け起動", names::kFileFrame},
            {names::kListFolderNameButton, "フォルダ名を取得", names::kFolderFrame},
            {names::kListSubfoldersButton, "直下のフォルダ名を取得", names::kFolderFrame},
            {names::kListAllSubfoldersButton, "配下の全フォルダ名を取得", names::kFolderFrame},
            {names::kFolderTreeButton, "ツリーを取得", names::kFolderFrame},
        };
        for (const auto& expected : buttons) {
            QPushButton* button = f.Button(expected.name);
            QVERIFY2(button, expected.name);
            QCOMPARE(button->text(), QString(expected.caption));
            auto* frame = qobject_cast<QGroupBox*>(button->parentWidget());
            QCOMPARE(frame ? frame->objectName() : QString(), QString(expected.owner ? expected.owner : ""));
        }
        QCOMPARE(window.findChild<QGroupBox*>(names::kFolderFrame)->title(), QString("フォルダ"));
        QCOMPARE(window.findChild<QGroupBox*>(names::kFileFrame)->title(), QString("ファイル"));
        for (const char* control :
             {names::kDriveList, names::kFolderList, names::kPatternBox, names::kFileList, names::kPicturePanel}) {
            QVERIFY2(window.findChild<QWidget*>(control), control);
        }

        const Named entries[] = {
            {names::kJumpMenu, "ジャンプ", nullptr},
            {names::kSettingMenu, "設定", nullptr},
            {names::kViewMenu, "ビュー", nullptr},
            {names::kChoiViewMenu, "ちょいView", names::kViewMenu},
            {names::kHexViewMenu, "HexView", names::kViewMenu},
            {names::kAclViewMenu, "ACLView", names::kViewMenu},
            {names::kNetMenu, "ネットワーク", nullptr},
            {names::kNetViewMenu, "ネットワーク参照", names::kNetMenu},
            {names::kNetAttachMenu, "ネットワークドライブ接続", names::kNetMenu},
            {names::kNetDetachMenu, "ネットワークドライブ切断", names::kNetMenu},
            {names::kHelpMenu, "ヘルプ", nullptr},
            {names::kReadmeMenu, "Readme.txt", names::kHelpMenu},
            {names::kVersionMenu, "Version", names::kHelpMenu},
        };
        for (const auto& expected : entries) {
            auto* entry = window.findChild<QAction*>(expected.name);
            QVERIFY2(entry, expected.name);
            QCOMPARE(entry->text(), QString(expected.caption));
            QString owner;
            for (QMenu* menu : window.findChildren<QMenu*>()) {
                if (menu->actions().contains(entry)) owner = menu->menuAction()->objectName();
            }
            QCOMPARE(owner, QString(expected.owner ? expected.owner : ""));
        }
    }

    void folderAndPatternChangesSelectEveryFile() {
        WindowFixture f;
        f.AddData({"top.txt", "sub/a.txt", "sub/b.csv", "sub/C.TXT"});
        QVERIFY(f.Start());
        BrowserController& browser = f.window->Browser();
        QComboBox* patternBox = f.window->PatternBox();
        QSignalSpy reads(&f.window->Files(), &QAbstractItemModel::modelReset);

        // A click on the subfolder's line in Dir1 opens it.
        ClickFolderLine(*f.window, "sub");
        QTRY_COMPARE(browser.CurrentFolder(), f.Data("sub"));
        QCOMPARE(browser.State().entries, (std::vector<std::string>{"a.txt", "b.csv", "C.TXT"}));
        QCOMPARE(browser.State().selected, AllTrue(3));

        // Down and Up pick the neighbouring patterns as a click in the drop-down would: one read each.
        reads.clear();
        patternBox->setFocus();
        QTest::keyClick(patternBox, Qt::Key_Down);
        QCOMPARE(patternBox->currentText(), QString("*.avi"));
        QTest::keyClick(patternBox, Qt::Key_Up);
        QCOMPARE(reads.count(), 2);
        QCOMPARE(browser.State().selected, AllTrue(3));
        // Choosing the item already shown selects all again without reading.
        f.window->FileList()->clearSelection();
        emit patternBox->activated(patternBox->currentIndex());
        QCOMPARE(reads.count(), 2);
        QCOMPARE(browser.State().selected, AllTrue(3));

        patternBox->setEditText("*.txt");
        QCOMPARE(browser.State().pattern, std::string("*.txt"));
        QCOMPARE(browser.State().entries, (std::vector<std::string>{"a.txt", "C.TXT"}));
        QCOMPARE(browser.State().selected, AllTrue(2));

        // After the user narrows the selection, "↑全て選択" selects all again.
        f.window->FileList()->clearSelection();
        QCOMPARE(browser.FirstSelectedPath(), std::string());
        f.Click(names::kSelectAllButton);
        QCOMPARE(browser.State().selected, AllTrue(2));

        patternBox->setCurrentIndex(patternBox->findText("*.csv"));
        QCOMPARE(browser.State().entries, std::vector<std::string>{"b.csv"});
        QCOMPARE(browser.State().selected, AllTrue(1));
        const int before = reads.count();
        f.Click(names::kRefreshButton);
        QCOMPARE(reads.count(), before + 1);
    }

    void typedPatternIsTakenAsTypedWithoutCompletion() {
        WindowFixture f;
        QVERIFY(f.Start());
        QComboBox* patternBox = f.window->PatternBox();
        QVERIFY(patternBox->findText("*.csv") >= 0 && patternBox->findText("*.mdb") >= 0);
        patternBox->setFocus();
        patternBox->lineEdit()->clear();
        QTest::keyClicks(patternBox->lineEdit(), "*.cs");
        QCOMPARE(patternBox->currentText(), QString("*.cs"));
        QCOMPARE(f.window->Browser().Pattern(), std::string("*.cs"));

        patternBox->lineEdit()->clear();
        QTest::keyClicks(patternBox->lineEdit(), "*.md");
        QTest::keyClick(patternBox->lineEdit(), Qt::Key_Return);
        QCOMPARE(patternBox->currentText(), QString("*.md"));
        QCOMPARE(f.window->Browser().Pattern(), std::string("*.md"));
    }

    void folderListShowsThePathThenTheSubfolders() {
        for (const bool hidden : {true, false}) {
            WindowFixture f;
            f.AddData({"b/", "a/", ".hidden/", ".dotfile", "shown", "caf\xe9"});  // Latin-1 bytes survive
            f.PrepareIni({{"FileHiddenFile", hidden ? "1" : "0"}});
            QVERIFY(f.Start());
            auto& dir1 = FolderList(*f.window);
            std::vector<QString> texts;
            for (int row = 0; row < dir1.count(); ++row) texts.push_back(dir1.item(row)->text().trimmed());
            const auto chain = FolderChain(f.DataFolder());
            QCOMPARE(texts.front(), QString("/"));
            QCOMPARE(texts[chain.size() - 1], QString("data"));
            const std::vector<QString> subfolders(texts.begin() + static_cast<long>(chain.size()), texts.end());
            const std::vector<std::string> files = f.window->Browser().State().entries;
            if (hidden) {
                QCOMPARE(subfolders, (std::vector<QString>{".hidden", "a", "b"}));
                QCOMPARE(files, (std::vector<std::string>{".dotfile", "caf\xe9", "shown"}));
            } else {
                QCOMPARE(subfolders, (std::vector<QString>{"a", "b"}));
                QCOMPARE(files, (std::vector<std::string>{"caf\xe9", "shown"}));
            }
            QCOMPARE(dir1.SubfolderPaths().back(), f.Data("b"));
            QCOMPARE(f.window->Browser().FirstSelectedPath(), f.Data(files.front()));
        }
    }

    void smallestWindowShowsTheWholePictureAndKeepsTheFolderInView() {
        WindowFixture f;
        std::string deep;
        for (int level = 0; level < 12; ++level) deep += "level" + std::to_string(level) + "/";
        f.AddData({deep});
        for (int i = 0; i < 40; ++i) f.AddData({deep + "sub" + std::to_string(i) + "/"});
        QImage picture(96, 120, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(QString::fromStdString(f.Data("picture.png"))));
        f.PrepareIni({{"FreePicture1", f.Data("picture.png")}});
        QVERIFY(f.Start());
        MainWindow& window = *f.window;
        auto& dir1 = FolderList(window);
        // Its line wholly within the list's height (a deep line may be wider than the list).
        auto shownFolderInView = [&dir1] {
            return QTest::qWaitFor([&dir1] {
                const QRect line = dir1.visualItemRect(dir1.currentItem());
                return line.top() >= 0 && line.bottom() <= dir1.viewport()->rect().bottom();
            });
        };
        const std::string deepest = f.Data(deep.substr(0, deep.size() - 1));

        window.Browser().OpenFolder(deepest);
        QVERIFY(shownFolderInView());
        window.resize(1, 1);  // held at the layout's minimum
        QTRY_COMPARE(window.size(), window.minimumSize());
        QVERIFY(shownFolderInView());
        const PicturePanel& pictures = window.Pictures();
        QVERIFY(pictures.HasPicture());
        QVERIFY(pictures.width() >= pictures.ShownPixmap().width());
        QVERIFY(pictures.height() >= pictures.ShownPixmap().height());

        window.Browser().OpenFolder(deepest + "/sub7");
        QVERIFY(shownFolderInView());
        window.Browser().OpenFolder(deepest);
        QVERIFY(shownFolderInView());
    }

    void folderThatVanishedIsReportedOrLeftForTheVolumeRoot() {
        WindowFixture f;
        f.AddData({"kept.txt", "gone/x.txt", "vanished/"});
        QVERIFY(f.Start());
        BrowserController& browser = f.window->Browser();
        // The folder goes away after the list showed it; a click on its line then fails.
        std::filesystem::remove(f.Data("vanished"));
        ClickFolderLine(*f.window, "vanished");
        QTRY_COMPARE(f.dialogs.messages, std::vector<std::string>{Translated(texts::kFolderReadFailed)});
        QCOMPARE(browser.CurrentFolder(), f.DataFolder());
        QCOMPARE(browser.State().entries, std::vector<std::string>{"kept.txt"});
        // The list marks the folder the browser stayed in, not the line that failed.
        QCOMPARE(FolderList(*f.window).currentItem()->text(), QString("data"));

        browser.OpenFolder(f.Data("gone"));
        f.AddData({"gone/y.txt"});
        f.Click(names::kRefreshButton);
        QCOMPARE(browser.State().entries, (std::vector<std::string>{"x.txt", "y.txt"}));
        QCOMPARE(browser.State().selected, AllTrue(2));
        // A refresh after the open folder was deleted goes quietly to its volume's root.
        std::filesystem::remove_all(f.Data("gone"));
        f.Click(names::kRefreshButton);
        const std::string root = f.window->findChild<DriveList*>(names::kDriveList)->CurrentMountPoint();
        QVERIFY(!root.empty());
        QCOMPARE(browser.CurrentFolder(), root);
        QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
    }

    void clickHandsTheFirstSelectedFileToOpenToolWindowsInOrder() {
        WindowFixture f;
        f.AddData({"a.txt", "b.txt"});
        QVERIFY(f.Start());
        std::vector<std::string> log;
        RecordingFollower acl(log, "acl"), hex(log, "hex"), choi(log, "choi");
        BrowserController& browser = f.window->Browser();
        // Registered in the order the user happened to open them; asked in the fixed order.
        browser.AddFollowTarget(names::kChoiViewWindow, &choi);
        browser.AddFollowTarget(hex_view_names::kWindow, &hex);
        browser.AddFollowTarget(acl_view_names::kWindow, &acl);

        f.ClickFile(1);
        QVERIFY(log.empty());  // no tool window open: a click only selects

        QWidget hexWindow, aclWindow;
        hexWindow.setObjectName(hex_view_names::kWindow);
        aclWindow.setObjectName(acl_view_names::kWindow);
        hexWindow.show();
        aclWindow.show();
        f.ClickFile(1);
        QCOMPARE(log, (std::vector<std::string>{"acl:" + f.Data("b.txt"), "hex:" + f.Data("b.txt")}));

        aclWindow.hide();
        log.clear();
        f.ClickFile(0, Qt::ShiftModifier);
        QCOMPARE(log, std::vector<std::string>{"hex:" + f.Data("a.txt")});  // first in list order

        // Moving the selection with the keyboard hands the new file over as well, once.
        f.window->FileList()->setFocus();
        f.ClickFile(0);
        log.clear();
        QTest::keyClick(f.window->FileList(), Qt::Key_Down);
        QCOMPARE(log, std::vector<std::string>{"hex:" + f.Data("b.txt")});
        log.clear();
        browser.SelectAllFiles();  // select-all by the browser is no click
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

    void volumeThatIsNotReadyBeepsAndKeepsTheFolder() {
        TempTree folder;
        WriteFile((folder / "kept.txt"), "");
        DriveList driveList;
        driveList.SetVolumes({{"/", "", "", ""}, {"/media/cd", "DISC", "", ""}, {"/media/locked", "", "", ""}});
        FolderListWidget dir1;
        QComboBox patternBox;
        QListView file1;
        FileListModel files;
        file1.setModel(&files);
        FakeDialogs dialogs;
        BrowserController browser({&driveList, &dir1, &patternBox, &file1, &files}, dialogs, nullptr,
                                  [](const std::string& path, bool hidden, std::error_code& error) {
                                      if (path == "/media/cd") error = std::error_code(ENOMEDIUM, std::generic_category());
                                      if (path == "/media/locked") error = std::error_code(EACCES, std::generic_category());
                                      return error ? std::vector<std::string>{} : ListSubfolderNames(path, hidden, error);
                                  });
        browser.SetDirPath(folder.path());

        browser.ChangeDrive("/media/cd");
        QCOMPARE(dialogs.beeps, 1);
        QCOMPARE(dialogs.messages, std::vector<std::string>{Translated(texts::kDriveUnavailable)});
        QCOMPARE(dir1.Folder(), folder.path());
        QCOMPARE(files.Names(), std::vector<std::string>{"kept.txt"});
        // Other errors are ignored without a word; the folder stays all the same.
        browser.ChangeDrive("/media/locked");
        QCOMPARE(dialogs.beeps, 1);
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QCOMPARE(browser.CurrentFolder(), folder.path());
        browser.ChangeDrive("/");
        QCOMPARE(browser.CurrentFolder(), std::string("/"));
    }

    void folderChainAndVolumeLookup() {
        QCOMPARE(FolderChain("/"), std::vector<std::string>{"/"});
        QCOMPARE(FolderChain("/a//b/"), (std::vector<std::string>{"/", "/a", "/a/b"}));
        QCOMPARE(FolderChain("//server/share/x"), (std::vector<std::string>{"//server/share", "//server/share/x"}));

        const std::vector<std::string> mounts = {"/", "/media/usb", "/media/usb2", "/home"};
        const std::pair<const char*, int> lookups[] = {
            {"/etc", 0}, {"/media/usb", 1}, {"/media/usb/x", 1}, {"/media/usb2/x", 2}, {"/media/usb22", 0}};
        for (const auto& [path, index] : lookups) QCOMPARE(VolumeIndexOf(mounts, path), index);
        QCOMPARE(VolumeIndexOf({"/srv"}, "/etc"), -1);
    }

    void picturePanelSwapsOnlyBetweenTwoPictures() {
        TempTree folder;
        QImage first(8, 8, QImage::Format_RGB32);
        first.fill(Qt::white);
        first.setPixel(1, 1, qRgb(255, 0, 0));
        QImage second(4, 4, QImage::Format_RGB32);
        second.fill(Qt::blue);
        QVERIFY(first.save(QString::fromStdString(folder / "one.png")));
        QVERIFY(second.save(QString::fromStdString(folder / "two.png")));

        PicturePanel panel;
        panel.SetPictureFiles((folder / "one.png"), "");
        QVERIFY(panel.ShowFirstPicture());
        // White is the mask colour: transparent; the red pixel stays.
        const QImage shown = panel.ShownPixmap().toImage();
        QCOMPARE(qAlpha(shown.pixel(0, 0)), 0);
        QCOMPARE(shown.pixel(1, 1), qRgb(255, 0, 0));
        QTest::mouseClick(&panel, Qt::LeftButton);
        QCOMPARE(panel.PictureNumber(), 1);  // only one picture: nothing changes

        panel.SetPictureFiles((folder / "one.png"), (folder / "two.png"));
        QTest::mouseClick(&panel, Qt::LeftButton);
        QCOMPARE(panel.ShownPixmap().width(), 4);
        QTest::mouseClick(&panel, Qt::LeftButton);
        QCOMPARE(panel.PictureNumber(), 1);

        // A second picture that cannot be loaded leaves the panel as it was.
        panel.SetPictureFiles((folder / "one.png"), (folder / "missing.png"));
        QTest::mouseClick(&panel, Qt::LeftButton);
        QCOMPARE(panel.PictureNumber(), 1);
        QCOMPARE(panel.ShownPixmap().width(), 8);
    }
};

QTEST_MAIN(BrowserTest)
#include "browser_test.moc"
