// The listing commands of the main window, end to end from the button to the clipboard,
// the save dialog and the progress dialog.

#include <QLabel>
#include <QTimer>
#include <thread>

#include "app/ui/main_window_names.h"
#include "app/ui/browser_controller.h"
#include "app/ui/busy_state.h"
#include "app/ui/command_dispatcher.h"
#include "app/ui/progress_dialog.h"
#include "common/window_placement.h"
#include "i18n/translation.h"
#include "i18n/ui/translated_text.h"
#include "listing/engine/listing_messages.h"
#include "tests/app/ui/window_fixture.h"

using namespace pelmora;
using namespace pelmora::testing;
namespace names = pelmora::main_window_names;

namespace {

int LineCount(const std::string& text) {
    int lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    return lines;
}

}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void command1PutsTheSelectedFilesOnTheClipboard() {
        WindowFixture f;
        f.AddData({"b.txt", "a.txt", "c.csv"});
        QVERIFY(f.Start());
        f.Click(names::kListFilesButton);
        QCOMPARE(f.clipboard.text, std::string("\"a.txt\"\r\n\"b.txt\"\r\n\"c.csv\"\r\n"));
        QVERIFY(!f.window->Busy().IsBusy());
        QVERIFY(f.Button(names::kListFilesButton)->isEnabled());

        // Only what is selected, in list order.
        QListView* list = f.window->FileList();
        list->selectionModel()->select(list->model()->index(1, 0), QItemSelectionModel::Deselect);
        f.Click(names::kListFilesButton);
        QCOMPARE(f.clipboard.text, std::string("\"a.txt\"\r\n\"c.csv\"\r\n"));

        list->clearSelection();
        f.Click(names::kListFilesButton);
        QCOMPARE(f.clipboard.text, std::string());
        QCOMPARE(f.clipboard.calls.back(), std::string("Clear"));
        QVERIFY(f.dialogs.messages.empty());

        // A double click lists just the file clicked.
        f.ClickFile(1);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
        QCOMPARE(f.clipboard.text, std::string("\"b.txt\"\r\n"));
    }

    void saveFlowWritesTheClipboardTextWhereTheUserChose() {
        WindowFixture f;
        f.AddData({"a.txt"});
        f.PrepareIni({{"FileWrite", "1"}});
        QVERIFY(f.Start());
        const std::string target = f.folder / "out.txt";
        f.saveDialog.answer = target;
        f.Click(names::kListFilesButton);
        QCOMPARE(f.clipboard.text, std::string("\"a.txt\"\r\n"));
        QCOMPARE(ReadFile(target), f.clipboard.text);
        QCOMPARE(f.dialogs.messages, std::vector<std::string>{"保存しました"});
        QCOMPARE(f.saveDialog.requests.size(), std::size_t(1));
        // No folder in the default save path: the dialog starts in the home folder.
        QVERIFY(f.saveDialog.requests.front().startFolder.empty());
        QVERIFY(f.saveDialog.requests.front().proposedName.starts_with("PX_File("));

        f.dialogs.messages.clear();
        f.saveDialog.answer.reset();
        std::filesystem::remove(target);
        f.Click(names::kListFilesButton);
        QCOMPARE(f.dialogs.messages, std::vector<std::string>{"保存を中止しました"});
        QVERIFY(!std::filesystem::exists(target));
        QCOMPARE(f.clipboard.text, std::string("\"a.txt\"\r\n"));  // cancelling keeps the clipboard
    }

    void cancelInTheMiddleOfARecursiveListingDeliversWhatWasFound() {
        WindowFixture f;
        for (int folder = 0; folder < 10; ++folder) {
            for (int file = 0; file < 10; ++file) {
                WriteFile(f.Data("d" + std::to_string(folder) + "/f" + std::to_string(file) + ".txt"), "x");
            }
        }
        QVERIFY(f.Start());
        f.dialogs.answer = true;  // "実行しますか？" yes

        // Each time the work lets events run, this timer fires once and takes its time, so
        // the walk lets events run at every folder; after a few folders it presses "中止する".
        int pumps = 0;
        bool contractSeen = false;
        QTimer presser;
        presser.setInterval(0);
        ProgressDialog& progress = f.window->Progress();
        connect(&presser, &QTimer::timeout, this, [&] {
            if (!progress.IsOpen()) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(35));
            if (++pumps != 8) return;
            const auto* label2 = progress.findChild<QLabel*>(names::kProgressActivityLabel);
            auto* cancel = progress.findChild<QPushButton*>(names::kProgressCancelButton);
            const int below = TwipsToPixels(2300, f.window->logicalDpiY());
            contractSeen = label2->text() == QTranslated(kSearchingSubfolders) &&
                           cancel->isVisible() && !f.Button(names::kListAllFilesBelowButton)->isEnabled() &&
                           progress.x() == f.window->frameGeometry().left() &&
                           progress.y() == f.window->frameGeometry().top() + below;
            QTest::mouseClick(cancel, Qt::LeftButton);
        });
        presser.start();
        f.Click(names::kListAllFilesBelowButton);
        presser.stop();

        QVERIFY(contractSeen);
        QCOMPARE(f.dialogs.questions.size(), std::size_t(1));
        QCOMPARE(f.dialogs.messages, std::vector<std::string>{Translated(kCancelledMessage)});
        const int lines = LineCount(f.clipboard.text);
        QVERIFY2(lines > 0 && lines < 100, qPrintable(QString::number(lines)));
        QVERIFY(!progress.IsOpen());
        QVERIFY(!f.window->Busy().IsBusy());
        QVERIFY(f.Button(names::kListAllFilesBelowButton)->isEnabled());
        QVERIFY(f.window->Cancel().IsRaised());  // kept until the next command clears it
    }

    void closingTheWindowEndsTheRunningCommandAtOnce() {
        WindowFixture f;
        for (int file = 0; file < 100; ++file) WriteFile(f.Data("d/f" + std::to_string(file) + ".txt"), "x");
        QVERIFY(f.Start());
        f.dialogs.answer = true;
        ProgressDialog& progress = f.window->Progress();

        // Closed as soon as the listing shows its progress dialog, which goes with the window.
        bool progressWentWithTheWindow = false;
        QTimer closer;
        closer.setInterval(0);
        connect(&closer, &QTimer::timeout, this, [&] {
            if (!progress.IsOpen() || !f.window->isVisible()) return;
            f.window->close();
            progressWentWithTheWindow = !progress.IsOpen();
        });
        closer.start();
        f.Click(names::kListAllFilesBelowButton);
        closer.stop();
        QVERIFY(!f.window->isVisible());
        QVERIFY(progressWentWithTheWindow);
        QVERIFY2(LineCount(f.clipboard.text) < 100, f.clipboard.text.c_str());
        QVERIFY(!progress.IsOpen());
        QVERIFY(!f.window->Busy().IsBusy());

        // A click that was still queued when the window closed starts nothing.
        WindowFixture g;
        QVERIFY(g.Start());
        g.dialogs.answer = true;
        QTimer::singleShot(0, g.window.get(), [&] { g.window->close(); });
        g.Click(names::kListAllFilesBelowButton);
        QVERIFY(g.dialogs.questions.empty());
        g.clipboard.text = "kept";
        g.window->Commands().FileListDoubleClicked();
        QCOMPARE(g.clipboard.text, std::string("kept"));
    }

    void recursiveAndFolderCommandsListTheBrowserFolder() {
        WindowFixture f;
        f.AddData({"A/a1.txt", "A/a2.txt", "A/B/b1.txt", "A/C/c1.txt", "A/B/D/"});
        QVERIFY(f.Start());
        f.window->Browser().OpenFolder(f.Data("A"));
        f.dialogs.answer = true;
        f.Click(names::kListAllFilesBelowButton);
        const std::string& text = f.clipboard.text;
        QCOMPARE(LineCount(text), 4);
        QCOMPARE(f.dialogs.messages, std::vector<std::string>{Translated(kTransferredFileCount) + "4"});

        const std::string a = "\"" + f.Data("A");
        const std::pair<const char*, std::string> folderCommands[] = {
            {names::kListFolderNameButton, a + "/\"\r\n"},
            {names::kListSubfoldersButton, a + "/\"\r\n" + a + "/B/\"\r\n" + a + "/C/\"\r\n"},
            {names::kListAllSubfoldersButton, a + "/\"\r\n" + a + "/B/\"\r\n" + a + "/B/D/\"\r\n" + a + "/C/\"\r\n"},
        };
        for (const auto& [button, expected] : folderCommands) {
            f.Click(button);
            QCOMPARE(text, expected);
        }
        QVERIFY(!f.window->Busy().IsBusy());
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
