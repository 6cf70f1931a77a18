// The network window against a real Samba server and against a server that accepts and never
// answers: the known-servers group reaches a server no browsing finds, and a hung server
// leaves the window painting and its cancel working.

#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QTimer>
#include <QThread>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTreeWidget>

#include "app/ui/browser_controller.h"
#include "app/ui/docked_windows.h"
#include "app/ui/drive_list.h"
#include "app/ui/folder_list_widget.h"
#include "app/ui/net_drive_commands.h"
#include "app/ui/main_window_names.h"
#include "i18n/translation.h"
#include "i18n/ui/translated_text.h"
#include "platform/smb_credentials.h"
#include "settings/net_drive_list.h"
#include "tests/app/ui/window_fixture.h"
#include "tests/support/paint_counter.h"
#include "tests/support/scripted_credential_asker.h"
#include "tests/support/silent_listener.h"
#include "tests/support/smb_test_server.h"
#include "app/ui/main_window_texts.h"
#include "tools/network/network_texts.h"
#include "tools/network/ui/network_names.h"
#include "tools/network/ui/net_drive_dialogs.h"
#include "tools/network/ui/network_window.h"

using namespace pelmora;
using namespace pelmora::testing;

namespace {

// Answers like the program's dialog: only on the window's thread, a wrong password first.
class WindowThreadAsker : public platform::SmbCredentialAsker {
public:
    explicit WindowThreadAsker(std::string user) : user_(std::move(user)) {}
    bool CanAskOnThisThread() const override { return QThread::currentThread() == qApp->thread(); }
    std::optional<platform::SmbCredentials> Ask(const std::string& server, const std::string&, bool again) override {
        questions.push_back(server + (again ? " again" : ""));
        return platform::SmbCredentials{user_, "", questions.size() == 1 ? "wrong" : SmbTestServer::kSecurePassword};
    }
    std::vector<std::string> questions;

private:
    std::string user_;
};

QTreeWidgetItem* ChildNamed(QTreeWidgetItem* parent, const QString& text) {
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == text) return parent->child(i);
    }
    return nullptr;
}

QStringList ChildTexts(const QTreeWidgetItem* parent) {
    QStringList texts;
    for (int i = 0; i < parent->childCount(); ++i) texts << parent->child(i)->text(0);
    return texts;
}

}  // namespace

class NetworkWindowSmbTest : public QObject {
    Q_OBJECT

    static NetworkWindow* OpenNetwork(WindowFixture& f) {
        f.window->findChild<QAction*>(main_window_names::kNetViewMenu)->trigger();
        return f.window->Docked().Network();
    }
    static bool Expanded(NetworkWindow& window, QTreeWidgetItem* item) {
        window.Tree()->expandItem(item);
        return QTest::qWaitFor([&] { return !window.Reading(); }, 20000);
    }

private slots:
    void aConnectedShareServerListsItsSharesAndOneBrowses() {
        SmbTestServer server;
        QVERIFY2(server.Started(), server.Log().c_str());
        WindowFixture f;
        QVERIFY(f.Start());
        QVERIFY(AddNetDrive(SmbTestServer::GuestShare(), f.paths.iniPath));
        NetworkWindow* window = OpenNetwork(f);
        QTRY_COMPARE(window->Tree()->topLevelItemCount(), 1);
        QVERIFY(QTest::qWaitFor([&] { return !window->Reading(); }, 20000));
        QTreeWidgetItem* provider = window->Tree()->topLevelItem(0);
        QVERIFY(Expanded(*window, provider));
        QTreeWidgetItem* known = provider->child(0);
        QCOMPARE(known->text(0), QTranslated(network_texts::kKnownServersGroup));
        // No master browser here: the provider says so below its groups, without a box.
        QVERIFY(f.dialogs.messages.empty());

        QVERIFY(Expanded(*window, known));
        QTreeWidgetItem* host = ChildNamed(known, "//127.0.0.1");
        QVERIFY2(host, qPrintable(ChildTexts(known).join(", ")));
        QVERIFY(Expanded(*window, host));
        QTreeWidgetItem* guest = ChildNamed(host, "//127.0.0.1/guest");
        QVERIFY2(guest, qPrintable(ChildTexts(host).join(", ")));

        window->Tree()->setCurrentItem(guest);
        emit window->Tree()->itemDoubleClicked(guest, 0);
        QTRY_COMPARE(f.window->Browser().CurrentFolder(), SmbTestServer::GuestShare());
        QVERIFY(f.dialogs.messages.empty());
    }

    void aServerAddedByNameListsItsShares() {
        SmbTestServer server;
        QVERIFY2(server.Started(), server.Log().c_str());
        WindowFixture f;
        QVERIFY(f.Start());
        std::vector<std::string> answers{"//no such host", "localhost"};
        f.window->Docked().SetServerNameAsker([&]() -> std::optional<std::string> {
            if (answers.empty()) return std::nullopt;
            std::string answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        });
        NetworkWindow* window = OpenNetwork(f);
        QVERIFY(QTest::qWaitFor([&] { return !window->Reading() && window->Tree()->topLevelItemCount() == 1; }, 20000));
        QTreeWidgetItem* provider = window->Tree()->topLevelItem(0);
        QVERIFY(Expanded(*window, provider));
        QTreeWidgetItem* known = provider->child(0);
        QVERIFY(Expanded(*window, known));

        window->AddServer();  // not a server name: said, nothing added
        QCOMPARE(f.dialogs.messages, std::vector<std::string>{Translated(network_texts::kBadServerName)});
        window->AddServer();
        QTreeWidgetItem* host = ChildNamed(known, "//localhost");
        QVERIFY2(host, qPrintable(ChildTexts(known).join(", ")));
        QCOMPARE(window->Tree()->currentItem(), host);
        QVERIFY(Expanded(*window, host));
        QVERIFY2(ChildNamed(host, "//localhost/guest"), qPrintable(ChildTexts(host).join(", ")));

        // Typed once, the server is known to the windows opened later in the run.
        window->close();
        window = OpenNetwork(f);
        QVERIFY(QTest::qWaitFor([&] { return !window->Reading() && window->Tree()->topLevelItemCount() == 1; }, 20000));
        provider = window->Tree()->topLevelItem(0);
        QVERIFY(Expanded(*window, provider));
        QVERIFY(Expanded(*window, provider->child(0)));
        QVERIFY(ChildNamed(provider->child(0), "//localhost"));
    }

    // Read beside the window, a server that shows its shares to known users only still
    // makes the window ask, and once more after a wrong answer.
    void aServerForKnownUsersAsksOnTheWindowThread() {
        SmbTestServer server(SmbTestServer::Options{false});
        QVERIFY2(server.Started(), server.Log().c_str());
        WindowFixture f;
        QVERIFY(f.Start());
        QVERIFY(AddNetDrive(SmbTestServer::SecureShare(), f.paths.iniPath));
        WindowThreadAsker asker(server.User());
        platform::SmbCredentialAsker* before = platform::SmbCredentialStore::ForThisRun().Asker();
        platform::SmbCredentialStore::ForThisRun().SetAsker(&asker);
        platform::SmbCredentialStore::ForThisRun().Forget("127.0.0.1");
        NetworkWindow* window = OpenNetwork(f);
        QVERIFY(QTest::qWaitFor([&] { return !window->Reading() && window->Tree()->topLevelItemCount() == 1; }, 20000));
        QTreeWidgetItem* provider = window->Tree()->topLevelItem(0);
        QVERIFY(Expanded(*window, provider));
        QVERIFY(Expanded(*window, provider->child(0)));
        QTreeWidgetItem* host = ChildNamed(provider->child(0), "//127.0.0.1");
        QVERIFY(host);
        QVERIFY(Expanded(*window, host));
        platform::SmbCredentialStore::ForThisRun().SetAsker(before);
        QCOMPARE(asker.questions, (std::vector<std::string>{"127.0.0.1", "127.0.0.1 again"}));
        QVERIFY2(ChildNamed(host, "//127.0.0.1/secure"), qPrintable(ChildTexts(host).join(", ")));
        platform::SmbCredentialStore::ForThisRun().Forget("127.0.0.1");
    }

    // Disconnected, the share being browsed is left for the root folder, in every list.
    void disconnectingTheBrowsedShareGoesToTheRoot() {
        SmbTestServer server;
        QVERIFY2(server.Started(), server.Log().c_str());
        WindowFixture f;
        QVERIFY(f.Start());
        std::filesystem::create_directory(server.GuestFolder() + "/sub");
        QVERIFY(AddNetDrive(SmbTestServer::GuestShare(), f.paths.iniPath));
        QVERIFY(AddNetDrive("//127.0.0.1/other", f.paths.iniPath));
        NetDriveCommands& commands = f.window->NetDrives();
        std::optional<std::string> chosen = "//127.0.0.1/other";
        commands.SetDialogs([] { return std::optional<NetDriveRequest>(); },
                            [&](const std::vector<std::string>&) { return chosen; });
        QAction* detach = f.window->findChild<QAction*>(main_window_names::kNetDetachMenu);
        const std::string sub = SmbTestServer::GuestShare() + "/sub";
        QVERIFY(!f.Browse(sub));

        detach->trigger();  // another share: the browsing stays
        QCOMPARE(f.window->Browser().CurrentFolder(), sub);

        chosen = SmbTestServer::GuestShare();
        detach->trigger();
        QCOMPARE(f.window->Browser().CurrentFolder(), std::string("/"));
        QCOMPARE(f.window->findChild<DriveList*>(main_window_names::kDriveList)->CurrentMountPoint(), std::string("/"));
        auto* folders = f.window->findChild<FolderListWidget*>(main_window_names::kFolderList);
        QVERIFY(folders->count() > 0);
        for (int i = 0; i < folders->count(); ++i) QVERIFY(!folders->item(i)->text().contains("127.0.0.1"));
        QVERIFY(f.dialogs.messages.empty());
    }

    // The connect dialog stays with its values after an error, focus on the field at fault;
    // a share that opens closes it and is chosen in the drive list.
    void theConnectDialogKeepsItsValuesUntilTheShareOpens() {
        SmbTestServer server;
        QVERIFY2(server.Started(), server.Log().c_str());
        WindowFixture f;
        QVERIFY(f.Start());
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<NetDriveConnectDialog*>(QApplication::activeModalWidget());
            if (!dialog) return seen << "no dialog", void();
            auto* share = dialog->findChild<QLineEdit*>(network_names::kConnectShare);
            auto* user = dialog->findChild<QLineEdit*>(network_names::kConnectUser);
            auto* password = dialog->findChild<QLineEdit*>(network_names::kConnectPassword);
            auto* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            share->setText("//127.0.0.1/no share");
            user->setText("someone");
            password->setText("typed");
            QTest::mouseClick(ok, Qt::LeftButton);
            if (!QTest::qWaitFor([&] { return !f.dialogs.messages.empty(); }, 20000)) seen << "no message";
            seen << QString::fromStdString(f.dialogs.messages.empty() ? "" : f.dialogs.messages.back());
            seen << (dialog->isVisible() ? "open" : "closed") << share->text() << user->text() << password->text();
            seen << (dialog->focusWidget() == share ? "share focused" : "elsewhere");

            share->setText(QString::fromStdString(SmbTestServer::GuestShare()));
            user->clear();
            password->clear();
            QTest::mouseClick(ok, Qt::LeftButton);
            if (!QTest::qWaitFor([&] { return !dialog->isVisible(); }, 20000)) dialog->reject();
        });
        f.window->findChild<QAction*>(main_window_names::kNetAttachMenu)->trigger();
        QCOMPARE(seen, (QStringList{"//127.0.0.1/no share という共有はサーバーにありません。", "open",
                                    "//127.0.0.1/no share", "someone", "typed", "share focused"}));
        QCOMPARE(ReadNetDrives(f.paths.iniPath), std::vector<std::string>{SmbTestServer::GuestShare()});
        QCOMPARE(f.window->findChild<DriveList*>(main_window_names::kDriveList)->CurrentMountPoint(),
                 SmbTestServer::GuestShare());
        QTRY_COMPARE(f.window->Browser().CurrentFolder(), SmbTestServer::GuestShare());
        QCOMPARE(f.dialogs.messages.size(), 1u);
    }

    // Connecting to a server that never answers: the dialog paints, and "キャンセル" closes it
    // at once; nothing is connected.
    void aHungConnectCanBeCancelledAtOnce() {
        SilentListener listener;
        QVERIFY(listener.Port() > 0);
        qputenv("PELMORA_SMB_PORT", QByteArray::number(listener.Port()));
        WindowFixture f;
        QVERIFY(f.Start());
        bool checking = false;
        bool stillChecking = false;
        bool painted = false;
        qint64 cancelledAfter = -1;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<NetDriveConnectDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            dialog->findChild<QLineEdit*>(network_names::kConnectShare)->setText(QString("//%1/pub").arg(kSilentHost));
            QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
            checking = dialog->Checking();
            PaintCounter counter;
            dialog->installEventFilter(&counter);
            QElapsedTimer timer;
            timer.start();
            dialog->update();
            painted = QTest::qWaitFor([&] { return counter.paints > 0; }, 200);
            dialog->removeEventFilter(&counter);
            stillChecking = dialog->Checking();  // the server has not answered
            QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel), Qt::LeftButton);
            if (!dialog->isVisible()) cancelledAfter = timer.elapsed();
        });
        QElapsedTimer whole;
        whole.start();
        f.window->findChild<QAction*>(main_window_names::kNetAttachMenu)->trigger();
        QVERIFY(checking);
        QVERIFY(stillChecking);
        QVERIFY(painted);
        QVERIFY2(cancelledAfter >= 0 && cancelledAfter < 200, qPrintable(QString::number(cancelledAfter)));
        QVERIFY2(whole.elapsed() < 2000, qPrintable(QString::number(whole.elapsed())));
        QVERIFY(ReadNetDrives(f.paths.iniPath).empty());
        QVERIFY(f.dialogs.messages.empty());
        qunsetenv("PELMORA_SMB_PORT");
    }

    // Two wrong passwords for a share chosen in the drive list: the unreadable-folder message,
    // the drive list back on the folder shown, and a new choice asks again at once.
    void aRefusedShareLeavesTheBrowserOnTheFolderShown() {
        SmbTestServer server(SmbTestServer::Options{false});
        QVERIFY2(server.Started(), server.Log().c_str());
        WindowFixture f;
        QVERIFY(f.Start());
        platform::SmbCredentialStore& store = platform::SmbCredentialStore::ForThisRun();
        store.Forget("127.0.0.1");
        QVERIFY(AddNetDrive(SmbTestServer::SecureShare(), f.paths.iniPath));
        NetDriveCommands& commands = f.window->NetDrives();
        commands.SetDialogs([] { return std::optional<NetDriveRequest>(); },
                            [](const std::vector<std::string>&) { return std::optional<std::string>(); });
        f.window->findChild<QAction*>(main_window_names::kNetAttachMenu)->trigger();  // reads the drive list
        QVERIFY(!f.Browse("/"));
        const std::string shown = f.window->Browser().CurrentFolder();

        ScriptedAsker asker({platform::SmbCredentials{server.User(), "", "wrong"},
                             platform::SmbCredentials{server.User(), "", "wrong again"},
                             platform::SmbCredentials{server.User(), "", SmbTestServer::kSecurePassword}});
        platform::SmbCredentialAsker* before = store.Asker();
        store.SetAsker(&asker);
        auto* drives = f.window->findChild<DriveList*>(main_window_names::kDriveList);
        const auto choose = [&] {
            drives->setCurrentIndex(drives->findData(QByteArray::fromStdString(SmbTestServer::SecureShare())));
            emit drives->activated(drives->currentIndex());
        };
        choose();
        QTRY_COMPARE_WITH_TIMEOUT(f.dialogs.messages.size(), 1u, 20000);
        QCOMPARE(asker.questions.size(), 2u);
        QCOMPARE(f.dialogs.messages, std::vector<std::string>{Translated(texts::kFolderReadFailed)});
        QCOMPARE(f.window->Browser().CurrentFolder(), shown);
        QCOMPARE(drives->CurrentMountPoint(), std::string("/"));

        choose();
        QTRY_COMPARE_WITH_TIMEOUT(f.window->Browser().CurrentFolder(), SmbTestServer::SecureShare(), 20000);
        store.SetAsker(before);
        QCOMPARE(asker.questions.size(), 3u);
        QCOMPARE(f.window->Browser().CurrentFolder(), SmbTestServer::SecureShare());
        QCOMPARE(drives->CurrentMountPoint(), SmbTestServer::SecureShare());
        QCOMPARE(f.dialogs.messages.size(), 1u);
        store.Forget("127.0.0.1");
    }

    // A server that accepts the connection and never answers: the window keeps painting and
    // "キャンセル" gives the node back at once, ready to be read again.
    void aHungServerLeavesTheWindowResponsive() {
        SilentListener listener;
        QVERIFY(listener.Port() > 0);
        qputenv("PELMORA_SMB_PORT", QByteArray::number(listener.Port()));
        WindowFixture f;
        QVERIFY(f.Start());
        f.window->Docked().SetServerNameAsker([] { return std::optional<std::string>(kSilentHost); });
        NetworkWindow* window = OpenNetwork(f);
        QVERIFY(QTest::qWaitFor([&] { return !window->Reading() && window->Tree()->topLevelItemCount() == 1; }, 20000));
        QTreeWidgetItem* provider = window->Tree()->topLevelItem(0);
        QVERIFY(Expanded(*window, provider));
        QTreeWidgetItem* known = provider->child(0);
        QVERIFY(Expanded(*window, known));
        window->AddServer();
        QTreeWidgetItem* host = ChildNamed(known, QString("//") + kSilentHost);
        QVERIFY(host);

        window->Tree()->expandItem(host);
        QVERIFY(window->Reading());
        auto* cancel = window->findChild<QPushButton*>(network_names::kCancelButton);
        QVERIFY(cancel->isEnabled());
        QCOMPARE(cancel->text(), QString("キャンセル"));

        PaintCounter counter;
        window->Tree()->viewport()->installEventFilter(&counter);
        QElapsedTimer timer;
        timer.start();
        window->Tree()->viewport()->update();
        QVERIFY(QTest::qWaitFor([&] { return counter.paints > 0; }, 200));
        QVERIFY(window->Reading());  // the server has not answered
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(!window->Reading());
        QVERIFY2(timer.elapsed() < 200, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!host->isExpanded());
        QCOMPARE(ChildTexts(host), QStringList{QString::fromUtf8(network_texts::kPlaceholderNode)});
        QVERIFY(!cancel->isEnabled());
        window->Tree()->viewport()->removeEventFilter(&counter);
        qunsetenv("PELMORA_SMB_PORT");
    }
};

QTEST_MAIN(NetworkWindowSmbTest)
#include "network_window_smb_test.moc"
