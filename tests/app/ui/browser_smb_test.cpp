// The main window's browser on shares that stop answering or ask for a password: the window
// keeps painting while a share is read, a listing lists what is shown, a newer choice wins
// over the reading under way, the time-out brings the message for an unreadable folder, and
// a question already open for the server answers the browser's reading too.

#include <QAction>
#include <QElapsedTimer>
#include <QListView>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>

#include <functional>

#include "app/ui/browser_controller.h"
#include "app/ui/docked_windows.h"
#include "app/ui/drive_list.h"
#include "i18n/translation.h"
#include "app/ui/folder_list_widget.h"
#include "app/ui/main_window_names.h"
#include "app/ui/main_window_texts.h"
#include "app/ui/net_drive_commands.h"
#include "common/ui/credential_questions.h"
#include "platform/smb_credentials.h"
#include "settings/net_drive_list.h"
#include "tests/app/ui/window_fixture.h"
#include "tests/support/paint_counter.h"
#include "tests/support/silent_listener.h"
#include "tests/support/smb_test_server.h"
#include "tools/network/ui/network_window.h"

using namespace pelmora;
using namespace pelmora::testing;
namespace names = pelmora::main_window_names;

namespace {

// The drive list read again, with the shares of [NetDrive].
void ReadDriveList(WindowFixture& f) {
    f.window->NetDrives().SetDialogs([] { return std::optional<NetDriveRequest>(); },
                                     [](const std::vector<std::string>&) { return std::optional<std::string>(); });
    f.window->findChild<QAction*>(names::kNetAttachMenu)->trigger();
}

DriveList& Drives(WindowFixture& f) { return *f.window->findChild<DriveList*>(names::kDriveList); }

void Choose(WindowFixture& f, const std::string& mountPoint) {
    DriveList& drives = Drives(f);
    const int index = drives.findData(QByteArray::fromStdString(mountPoint));
    QVERIFY2(index >= 0, mountPoint.c_str());
    drives.setCurrentIndex(index);
    emit drives.activated(index);
}

// Paints within 200 ms of being asked to, while the reading goes on.
bool PaintsAtOnce(QWidget& widget) {
    PaintCounter counter;
    widget.installEventFilter(&counter);
    QElapsedTimer timer;
    timer.start();
    widget.update();
    const bool painted = QTest::qWaitFor([&] { return counter.paints > 0; }, 200);
    widget.removeEventFilter(&counter);
    return painted && timer.elapsed() < 200;
}

QTreeWidgetItem* ChildNamed(QTreeWidgetItem* parent, const QString& text) {
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == text) return parent->child(i);
    }
    return nullptr;
}

// Answers on the window's thread only, with the right password; while its first dialog is
// open, something else may happen.
class OneDialogAsker : public platform::SmbCredentialAsker {
public:
    OneDialogAsker(std::string user, std::function<void()> whileOpen)
        : user_(std::move(user)), whileOpen_(std::move(whileOpen)) {}
    bool CanAskOnThisThread() const override { return QThread::currentThread() == qApp->thread(); }
    std::optional<platform::SmbCredentials> Ask(const std::string& server, const std::string&, bool) override {
        questions.push_back(server);
        if (questions.size() == 1 && whileOpen_) whileOpen_();
        return platform::SmbCredentials{user_, "", SmbTestServer::kSecurePassword};
    }
    std::vector<std::string> questions;

private:
    std::string user_;
    std::function<void()> whileOpen_;
};

}  // namespace

class BrowserSmbTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        qunsetenv("PELMORA_SMB_PORT");
        qunsetenv("PELMORA_SMB_TIMEOUT");
    }

    // Given up again and again, a silent share holds a few threads at most; the choice made
    // last is read once one of them has ended, and only its failure is told.
    void choicesGivenUpHoldAFewThreadsAtMost() {
        SilentListener listener(0x7f000003);
        QVERIFY(listener.Port() > 0);
        qputenv("PELMORA_SMB_PORT", QByteArray::number(listener.Port()));
        // A silent server fails its requests soon, so the threads given up end soon too.
        qputenv("PELMORA_SMB_TIMEOUT", "1");
        WindowFixture f;
        f.AddData({"sub/"});
        QVERIFY(f.Start());
        BrowserController& browser = f.window->Browser();
        const std::string hung = "//127.0.0.3/share";
        for (int choice = 0; choice < 6; ++choice) browser.BrowseFolder(hung + "/" + std::to_string(choice));
        QCOMPARE(browser.ReadingsUnderWay(), std::size_t{4});
        QVERIFY(browser.Reading());
        QCOMPARE(browser.CurrentFolder(), f.DataFolder());

        int told = 0;
        std::error_code last;
        browser.BrowseFolder(hung + "/last", [&](std::error_code error) {
            ++told;
            last = error;
        });
        QTRY_VERIFY_WITH_TIMEOUT(!browser.Reading(), 30000);
        QCOMPARE(told, 1);
        QVERIFY(last);
        QTRY_COMPARE_WITH_TIMEOUT(browser.ReadingsUnderWay(), std::size_t{0}, 30000);
        QCOMPARE(browser.CurrentFolder(), f.DataFolder());
    }

    void aShareThatNeverAnswersLeavesTheWindowWorking() {
        SilentListener listener;
        QVERIFY(listener.Port() > 0);
        qputenv("PELMORA_SMB_PORT", QByteArray::number(listener.Port()));
        // A silent server fails its requests soon, so the threads given up end soon too.
        qputenv("PELMORA_SMB_TIMEOUT", "1");
        WindowFixture f;
        f.AddData({"a.txt", "b.txt", "sub/"});
        QVERIFY(f.Start());
        const std::string hung = std::string("//") + kSilentHost + "/share";
        QVERIFY(AddNetDrive(hung, f.paths.iniPath));
        ReadDriveList(f);
        BrowserController& browser = f.window->Browser();
        auto& folders = *f.window->findChild<FolderListWidget*>(names::kFolderList);
        const int foldersShown = folders.count();

        Choose(f, hung);
        QVERIFY(browser.Reading());
        QVERIFY(PaintsAtOnce(*folders.viewport()));
        QVERIFY(PaintsAtOnce(*f.window->FileList()->viewport()));
        QVERIFY(browser.Reading());
        // The lists still show the folder before, and that is what a listing lists.
        QCOMPARE(browser.CurrentFolder(), f.DataFolder());
        QCOMPARE(folders.count(), foldersShown);
        f.Click(names::kListFilesButton);
        QCOMPARE(f.clipboard.text, std::string("\"a.txt\"\r\n\"b.txt\"\r\n"));

        // The server's time-out: the unreadable-folder message, the drive list back on the
        // folder shown.
        QTRY_COMPARE_WITH_TIMEOUT(f.dialogs.messages.size(), 1u, 20000);
        QCOMPARE(f.dialogs.messages.front(), Translated(texts::kFolderReadFailed));
        QVERIFY(!browser.Reading());
        QCOMPARE(browser.CurrentFolder(), f.DataFolder());
        QVERIFY(Drives(f).CurrentMountPoint() != hung);

        // Chosen again and left for a local folder at once: the local folder wins, and the
        // share's late failure is dropped.
        Choose(f, hung);
        QVERIFY(browser.Reading());
        std::optional<std::error_code> local;
        browser.BrowseFolder(f.Data("sub"), [&](std::error_code error) { local = error; });
        QVERIFY(local && !*local);
        QVERIFY(!browser.Reading());
        QCOMPARE(browser.CurrentFolder(), f.Data("sub"));
        QTRY_COMPARE_WITH_TIMEOUT(browser.ReadingsUnderWay(), std::size_t{0}, 20000);
        QCoreApplication::processEvents();
        QCOMPARE(browser.CurrentFolder(), f.Data("sub"));
        QCOMPARE(f.dialogs.messages.size(), 1u);
    }

    void aNewerShareChoiceWinsOverTheOneStillBeingRead() {
        SmbTestServer server;
        QVERIFY2(server.Started(), server.Log().c_str());
        qputenv("PELMORA_SMB_PORT", QByteArray::number(server.Port()));
        std::filesystem::create_directory(server.GuestFolder() + "/first");
        std::filesystem::create_directory(server.GuestFolder() + "/second");
        WindowFixture f;
        QVERIFY(f.Start());
        BrowserController& browser = f.window->Browser();
        int told = 0;
        std::error_code secondError = std::make_error_code(std::errc::io_error);
        browser.BrowseFolder(SmbTestServer::GuestShare() + "/first", [&](std::error_code) { ++told; });
        browser.BrowseFolder(SmbTestServer::GuestShare() + "/second", [&](std::error_code error) {
            ++told;
            secondError = error;
        });
        QTRY_VERIFY_WITH_TIMEOUT(!browser.Reading(), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(browser.ReadingsUnderWay(), std::size_t{0}, 20000);
        QCoreApplication::processEvents();
        QCOMPARE(told, 1);
        QVERIFY(!secondError);
        QCOMPARE(browser.CurrentFolder(), SmbTestServer::GuestShare() + "/second");
        QVERIFY(f.dialogs.messages.empty());
    }

    // The main window reads a share of a server while the network window's question for that
    // server is open: one dialog, whose answer serves both.
    void aQuestionOpenInTheNetworkWindowServesTheMainWindowToo() {
        SmbTestServer server(SmbTestServer::Options{false});
        QVERIFY2(server.Started(), server.Log().c_str());
        WindowFixture f;
        QVERIFY(f.Start());
        QVERIFY(AddNetDrive(SmbTestServer::SecureShare(), f.paths.iniPath));
        platform::SmbCredentialStore& store = platform::SmbCredentialStore::ForThisRun();
        store.Forget("127.0.0.1");
        BrowserController& browser = f.window->Browser();
        bool browserWaited = false;
        OneDialogAsker asker(server.User(), [&] {
            browser.BrowseFolder(SmbTestServer::SecureShare());
            browserWaited = QTest::qWaitFor([] { return CredentialQuestions::OfWindow().SomeoneWaits(); }, 20000);
        });
        platform::SmbCredentialAsker* before = store.Asker();
        store.SetAsker(&asker);
        f.window->findChild<QAction*>(names::kNetViewMenu)->trigger();
        NetworkWindow* window = f.window->Docked().Network();
        const auto expanded = [&](QTreeWidgetItem* item) {
            window->Tree()->expandItem(item);
            return QTest::qWaitFor([&] { return !window->Reading(); }, 20000);
        };
        QVERIFY(QTest::qWaitFor([&] { return !window->Reading() && window->Tree()->topLevelItemCount() == 1; }, 20000));
        QTreeWidgetItem* provider = window->Tree()->topLevelItem(0);
        QVERIFY(expanded(provider));
        QVERIFY(expanded(provider->child(0)));
        QTreeWidgetItem* host = ChildNamed(provider->child(0), "//127.0.0.1");
        QVERIFY(host);
        QVERIFY(expanded(host));
        QTRY_VERIFY_WITH_TIMEOUT(!browser.Reading(), 20000);
        store.SetAsker(before);
        QVERIFY(browserWaited);
        QCOMPARE(asker.questions, std::vector<std::string>{"127.0.0.1"});
        QVERIFY(ChildNamed(host, "//127.0.0.1/secure"));
        QCOMPARE(browser.CurrentFolder(), SmbTestServer::SecureShare());
        QVERIFY(f.dialogs.messages.empty());
        store.Forget("127.0.0.1");
    }

    // Last: the frozen server counts as gone for a while after its time-out.
    void refreshOnAShareThatStoppedAnsweringDoesNotFreeze() {
        SmbTestServer server;
        QVERIFY2(server.Started(), server.Log().c_str());
        qputenv("PELMORA_SMB_PORT", QByteArray::number(server.Port()));
        WindowFixture f;
        QVERIFY(f.Start());
        BrowserController& browser = f.window->Browser();
        QVERIFY(!f.Browse(SmbTestServer::GuestShare()));
        QCOMPARE(browser.CurrentFolder(), SmbTestServer::GuestShare());

        qputenv("PELMORA_SMB_TIMEOUT", "1");
        server.Freeze();
        QElapsedTimer timer;
        timer.start();
        f.Click(names::kRefreshButton);
        QVERIFY2(timer.elapsed() < 200, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(browser.Reading());
        QVERIFY(PaintsAtOnce(*f.window->FileList()->viewport()));
        QTRY_COMPARE_WITH_TIMEOUT(f.dialogs.messages.size(), 1u, 20000);
        QCOMPARE(f.dialogs.messages.front(), Translated(texts::kFolderReadFailed));
        QCOMPARE(browser.CurrentFolder(), SmbTestServer::GuestShare());
        server.Kill();
    }
};

QTEST_MAIN(BrowserSmbTest)
#include "browser_smb_test.moc"
