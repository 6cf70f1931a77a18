// The network browse window in the running program, on a network the test describes: the
// tree and its keys, expansion once per node, opening shares, errors, the slot limit, the
// menu entry and the docking place it shares with Jump; and the network drive commands.
// Docking and chase on a real X server are in network_dock_test.cpp.

#include <condition_variable>
#include <mutex>

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>

#include "app/ui/docked_windows.h"
#include "app/ui/main_window_names.h"
#include "app/ui/net_drive_commands.h"
#include "i18n/translation.h"
#include "settings/net_drive_list.h"
#include "tests/app/ui/window_fixture.h"
#include "tests/support/fake_network_discovery.h"
#include "tools/jump/ui/jump_window.h"
#include "tools/network/network_texts.h"
#include "tools/network/ui/network_names.h"
#include "tools/network/ui/network_window.h"

using namespace pelmora;
using namespace pelmora::testing;
using Kind = platform::NetworkResourceKind;

namespace {

// The small network, where the level of //alpha waits until the test lets it go.
class HeldNetwork : public platform::NetworkDiscovery {
public:
    std::unique_ptr<platform::NetworkEnumeration> OpenLevel(const platform::NetworkResource* parent,
                                                            std::error_code& error) override {
        if (parent && parent->locator == "//alpha") {
            std::unique_lock lock(mutex_);
            waiting_ = true;
            released_.wait(lock, [&] { return released; });
        }
        return network_.OpenLevel(parent, error);
    }
    bool Waiting() {
        std::lock_guard lock(mutex_);
        return waiting_;
    }
    void Release() {
        std::lock_guard lock(mutex_);
        released = true;
        released_.notify_all();
    }
    bool released = false;

private:
    FakeNetworkDiscovery network_ = FakeNetworkDiscovery::SmallNetwork();
    std::mutex mutex_;
    std::condition_variable released_;
    bool waiting_ = false;
};

}  // namespace

class NetworkWindowTest : public QObject {
    Q_OBJECT

    static NetworkWindow* OpenNetwork(WindowFixture& f, FakeNetworkDiscovery& network) {
        f.window->Docked().SetNetworkDiscovery(&network);
        f.window->findChild<QAction*>(main_window_names::kNetViewMenu)->trigger();
        NetworkWindow* window = f.window->Docked().Network();
        if (window && !QTest::qWaitFor([&] { return !window->Reading(); }, 5000)) qWarning("no top level in time");
        return window;
    }
    static QString Key(const QTreeWidgetItem* item) { return item->data(0, kNetworkNodeKeyRole).toString(); }
    static QStringList Children(const QTreeWidgetItem* item) {
        QStringList texts;
        for (int i = 0; i < item->childCount(); ++i) texts << item->child(i)->text(0) + " " + Key(item->child(i));
        return texts;
    }
    // Expands the node and waits for its level (read on the window's reading thread).
    static QTreeWidgetItem* Expand(NetworkWindow& window, QTreeWidgetItem* item) {
        window.Tree()->expandItem(item);
        if (!QTest::qWaitFor([&] { return !window.Reading(); }, 5000)) qWarning("the level was not read in time");
        return item;
    }
    static bool IsNote(const QTreeWidgetItem* item) {
        return item->data(0, kNetworkNoteRole).toBool() && !(item->flags() & Qt::ItemIsEnabled);
    }
    static QStringList DriveMountPoints(const MainWindow& window) {
        const auto* drives = window.findChild<QComboBox*>(main_window_names::kDriveList);
        QStringList points;
        for (int i = 0; i < drives->count(); ++i) points << QString::fromUtf8(drives->itemData(i).toByteArray());
        return points;
    }

private slots:
    void eachLevelIsReadOnceWhenItsNodeFirstExpands() {
        WindowFixture f;
        f.PrepareIni({{"NetViewFontName", "DejaVu Sans"}, {"NetViewFontSize", "11"}, {"NetViewFontItalic", "1"}});
        QVERIFY(f.Start());
        FakeNetworkDiscovery network = FakeNetworkDiscovery::SmallNetwork();
        NetworkWindow* window = OpenNetwork(f, network);
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->objectName(), QString("Form4"));
        QCOMPARE(window->windowTitle(), QString("Windows Network"));
        QCOMPARE(window->findChild<QPushButton*>(network_names::kOpenButton)->text(), QString("参    照"));
        QTreeWidget* tree = window->findChild<QTreeWidget*>(network_names::kTree);
        QCOMPARE(tree->font().family(), QString("DejaVu Sans"));
        QCOMPARE(tree->font().pointSizeF(), 11.0);
        QVERIFY(tree->font().italic() && !tree->font().bold());

        // The top level, each container with its placeholder until it is expanded.
        QCOMPARE(tree->topLevelItemCount(), 1);
        QTreeWidgetItem* provider = tree->topLevelItem(0);
        QCOMPARE(provider->text(0) + " " + Key(provider), QString("SMB RESIDX:1"));
        QCOMPARE(Children(provider), QStringList{"internal node "});

        QTreeWidgetItem* group = Expand(*window, provider)->child(1);
        QCOMPARE(Children(provider), (QStringList{"既知のサーバー RESIDX:3", "WORKGROUP RESIDX:4"}));
        Expand(*window, group);
        QCOMPARE(Children(group), (QStringList{"//alpha RESIDX:6", "//beta RESIDX:7"}));
        QTreeWidgetItem* alpha = group->child(0);
        Expand(*window, alpha);
        QCOMPARE(Children(alpha), (QStringList{"//alpha/docs RESIDX:9", "//alpha/music RESIDX:10"}));
        QCOMPARE(alpha->child(0)->childCount(), 0);  // a share is no container

        // Expanded again, a node shows what it has without reading the network.
        const auto opened = network.opened;
        tree->collapseItem(alpha);
        Expand(*window, alpha);
        QCOMPARE(network.opened, opened);
        QCOMPARE(alpha->childCount(), 2);
        QVERIFY(f.dialogs.messages.empty());

        // The menu entry waits for the window; reopened, the table starts at slot 1 again.
        QAction* menu = f.window->findChild<QAction*>(main_window_names::kNetViewMenu);
        QVERIFY(!menu->isEnabled());
        window->close();
        QVERIFY(menu->isEnabled());
        window = OpenNetwork(f, network);
        QCOMPARE(Key(window->Tree()->topLevelItem(0)), QString("RESIDX:1"));
        QCOMPARE(window->Tree()->topLevelItem(0)->childCount(), 1);
    }

    // At a large font a long share name is shown whole: the tree scrolls sideways.
    void longNamesScrollInsteadOfBeingCut() {
        WindowFixture f;
        f.PrepareIni({{"NetViewFontName", "DejaVu Sans"}, {"NetViewFontSize", "24"}});
        QVERIFY(f.Start());
        FakeNetworkDiscovery network = FakeNetworkDiscovery::SmallNetwork();
        const std::string longShare = "//alpha/" + std::string(60, 'x');
        network.levels["//alpha"].entries.push_back(FakeNetworkDiscovery::Entry(Kind::Share, longShare, false));
        NetworkWindow* window = OpenNetwork(f, network);
        QTreeWidget* tree = window->Tree();
        QTreeWidgetItem* group = Expand(*window, tree->topLevelItem(0))->child(1);
        QTreeWidgetItem* alpha = Expand(*window, Expand(*window, group)->child(0));
        QTreeWidgetItem* share = alpha->child(alpha->childCount() - 1);
        QCOMPARE(share->text(0), QString::fromStdString(longShare));
        const int textWidth = QFontMetrics(tree->font()).horizontalAdvance(share->text(0));
        QTRY_VERIFY2(tree->columnWidth(0) >= textWidth,
                     qPrintable(QString("%1 < %2").arg(tree->columnWidth(0)).arg(textWidth)));
        QTRY_VERIFY(tree->horizontalScrollBar()->maximum() > 0);
        QCOMPARE(tree->textElideMode(), Qt::ElideNone);
    }

    void aShareOpensInTheMainWindowAServerDoesNot() {
        Settings settings;
        LoadDefaultSettings(settings);
        FakeDialogs dialogs;
        FakeNetworkDiscovery network = FakeNetworkDiscovery::SmallNetwork();
        std::vector<std::string> browsed;
        std::error_code answer;
        NetworkWindow window(settings, network,
                             {[&](const std::string& folder, std::function<void(std::error_code)> done) {
                                  browsed.push_back(folder);
                                  done(answer);
                              },
                              &dialogs,
                              {}},
                             nullptr);
        QWidget main;
        window.Open(main);
        QTRY_VERIFY(!window.Reading());
        QTreeWidget* tree = window.Tree();
        QTreeWidgetItem* group = Expand(window, tree->topLevelItem(0))->child(0);
        QTreeWidgetItem* alpha = Expand(window, group)->child(0);
        QTreeWidgetItem* docs = Expand(window, alpha)->child(0);
        auto* open = window.findChild<QPushButton*>(network_names::kOpenButton);

        QTest::mouseClick(open, Qt::LeftButton);  // nothing selected
        for (QTreeWidgetItem* item : {tree->topLevelItem(0), group, alpha}) {
            tree->setCurrentItem(item);
            QTest::mouseClick(open, Qt::LeftButton);
        }
        QVERIFY(browsed.empty());

        tree->setCurrentItem(docs);
        QTest::mouseClick(open, Qt::LeftButton);
        QCOMPARE(browsed, std::vector<std::string>{"//alpha/docs"});
        // A double-click on a share does the same; on a server it only expands or collapses.
        emit tree->itemDoubleClicked(docs, 0);
        QCOMPARE(browsed.size(), 2u);
        tree->setCurrentItem(alpha);
        emit tree->itemDoubleClicked(alpha, 0);
        QCOMPARE(browsed.size(), 2u);

        answer = std::make_error_code(std::errc::permission_denied);
        tree->setCurrentItem(alpha->child(1));
        QTest::mouseClick(open, Qt::LeftButton);
        QCOMPARE(dialogs.messages, std::vector<std::string>{"//alpha/music にアクセスできません。"});
    }

    // A source that is not there says so once, as a greyed note in the tree: no message box.
    // A cancelled reading gives its node back at once; what it finds later is dropped, and
    // the node is read again when expanded again.
    void aCancelledLevelDropsItsLateResult() {
        Settings settings;
        LoadDefaultSettings(settings);
        FakeDialogs dialogs;
        HeldNetwork network;
        NetworkWindow window(settings, network, {{}, &dialogs, {}}, nullptr);
        QWidget main;
        window.Open(main);
        QTRY_VERIFY(!window.Reading());
        QTreeWidgetItem* group = Expand(window, window.Tree()->topLevelItem(0))->child(0);
        QTreeWidgetItem* alpha = Expand(window, group)->child(0);
        QVERIFY(!alpha->isExpanded());  // the reading is held

        window.Tree()->expandItem(alpha);
        QTRY_VERIFY(network.Waiting());
        QVERIFY(window.Reading());
        QVERIFY(window.findChild<QPushButton*>(network_names::kCancelButton)->isEnabled());
        QTest::mouseClick(window.findChild<QPushButton*>(network_names::kCancelButton), Qt::LeftButton);
        QVERIFY(!window.Reading());
        QVERIFY(!alpha->isExpanded());
        QCOMPARE(Children(alpha), QStringList{"internal node "});

        network.Release();
        QTRY_COMPARE(window.ReadingsUnderWay(), 0);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(Children(alpha), QStringList{"internal node "});

        Expand(window, alpha);
        QCOMPARE(Children(alpha), (QStringList{"//alpha/docs RESIDX:8", "//alpha/music RESIDX:9"}));
        QVERIFY(dialogs.messages.empty());
    }

    void failuresShowTheSystemsTextAsANoteAndAreNotRetried() {
        WindowFixture f;
        QVERIFY(f.Start());
        FakeNetworkDiscovery unreachable;
        unreachable.levels[""].openError = std::make_error_code(std::errc::network_unreachable);
        NetworkWindow* window = OpenNetwork(f, unreachable);
        QTRY_COMPARE(window->Tree()->topLevelItemCount(), 1);
        QVERIFY(IsNote(window->Tree()->topLevelItem(0)));
        QCOMPARE(window->Tree()->topLevelItem(0)->text(0),
                 QString::fromStdString(std::generic_category().message(ENETUNREACH)));
        window->close();

        FakeNetworkDiscovery network = FakeNetworkDiscovery::SmallNetwork();
        network.levels["WORKGROUP"].openError = std::make_error_code(std::errc::timed_out);
        network.levels["SMB"].failAtEnd = std::make_error_code(std::errc::connection_reset);
        window = OpenNetwork(f, network);
        QTRY_VERIFY(window->Tree()->topLevelItemCount() == 1 && !window->Reading());
        QTreeWidgetItem* provider = window->Tree()->topLevelItem(0);
        Expand(*window, provider);
        // The entries read before the failure stay; the known servers are there all the same.
        QCOMPARE(provider->childCount(), 3);
        QCOMPARE(provider->child(1)->text(0), QString("WORKGROUP"));
        QVERIFY(IsNote(provider->child(2)));
        QCOMPARE(provider->child(2)->text(0), QString::fromStdString(std::generic_category().message(ECONNRESET)));
        QTreeWidgetItem* group = provider->child(1);
        Expand(*window, group);
        QVERIFY(group->isExpanded());
        QCOMPARE(group->childCount(), 1);
        QVERIFY(IsNote(group->child(0)));
        const auto opened = network.opened.size();
        window->Tree()->collapseItem(group);
        Expand(*window, group);
        QCOMPARE(network.opened.size(), opened);
        QCOMPARE(group->childCount(), 1);
        QVERIFY(f.dialogs.messages.empty());
    }

    void theThousandthSlotEndsTheReadingWithAMessage() {
        WindowFixture f;
        QVERIFY(f.Start());
        FakeNetworkDiscovery network;
        network.levels[""] = {{FakeNetworkDiscovery::Entry(Kind::Group, "G", true)}, {}, {}};
        for (int i = 1; i <= 1005; ++i) {
            network.levels["G"].entries.push_back(
                FakeNetworkDiscovery::Entry(Kind::Server, "//s" + std::to_string(i), true));
        }
        NetworkWindow* window = OpenNetwork(f, network);
        QTreeWidgetItem* group = Expand(*window, window->Tree()->topLevelItem(0));
        QCOMPARE(group->childCount(), 998);
        QCOMPARE(Key(group->child(997)), QString("RESIDX:1000"));
        QCOMPARE(f.dialogs.messages, std::vector<std::string>{Translated(network_texts::kTableFull)});
        Expand(*window, group->child(0));
        QCOMPARE(group->child(0)->childCount(), 0);
        QCOMPARE(f.dialogs.messages.size(), 2u);
    }

    void jumpAndTheNetworkWindowShareOnePlace() {
        WindowFixture f;
        QVERIFY(f.Start());
        FakeNetworkDiscovery network = FakeNetworkDiscovery::SmallNetwork();
        NetworkWindow* window = OpenNetwork(f, network);
        QVERIFY(window->isVisible());
        f.window->findChild<QAction*>(main_window_names::kJumpMenu)->trigger();
        QVERIFY(f.window->Docked().Jump()->isVisible());
        QVERIFY(!window->isVisible());
        QVERIFY(f.window->findChild<QAction*>(main_window_names::kNetViewMenu)->isEnabled());
        OpenNetwork(f, network);
        QVERIFY(!f.window->Docked().Jump()->isVisible());
        QVERIFY(f.window->findChild<QAction*>(main_window_names::kJumpMenu)->isEnabled());
    }

    void startUpOpensTheWindowWhenAsked() {
        WindowFixture f;
        f.PrepareIni({{"ShowNetViewWindow", "1"}});
        FakeNetworkDiscovery network = FakeNetworkDiscovery::SmallNetwork();
        StartupHooks hooks;
        hooks.openNetworkWindow = [&] {
            f.window->Docked().SetNetworkDiscovery(&network);
            f.window->Docked().OpenNetwork();
        };
        QVERIFY(f.Start(hooks));
        QVERIFY(f.window->Docked().Network() && f.window->Docked().Network()->isVisible());
        // The fake network goes before the window: its reading must be over.
        QTRY_VERIFY(!f.window->Docked().Network()->Reading());
    }

    void connectedSharesJoinTheDriveListAndStayAfterARestart() {
        WindowFixture f;
        QVERIFY(f.Start());
        NetDriveCommands& commands = f.window->NetDrives();
        std::vector<std::string> checked;
        commands.SetShareCheck([&](const std::string& share) {
            checked.push_back(share);
            return share == "//nas/gone" ? std::make_error_code(std::errc::host_unreachable) : std::error_code();
        });
        bool busyWhileAsked = false;
        std::optional<NetDriveRequest> answer = NetDriveRequest{"//nas/docs", "", "", ""};
        std::optional<std::string> chosen;
        std::vector<std::string> offered;
        commands.SetDialogs(
            [&] {
                busyWhileAsked = !f.Button(main_window_names::kListFilesButton)->isEnabled();
                return answer;
            },
            [&](const std::vector<std::string>& shares) {
                offered = shares;
                return chosen;
            });
        QAction* attach = f.window->findChild<QAction*>(main_window_names::kNetAttachMenu);
        QAction* detach = f.window->findChild<QAction*>(main_window_names::kNetDetachMenu);

        attach->trigger();
        QVERIFY(busyWhileAsked);
        QVERIFY(f.Button(main_window_names::kListFilesButton)->isEnabled());
        QVERIFY(DriveMountPoints(*f.window).contains("//nas/docs"));
        QCOMPARE(ReadNetDrives(f.paths.iniPath), std::vector<std::string>{"//nas/docs"});

        // A share that does not open is reported and not added.
        answer = NetDriveRequest{"//nas/gone", "", "", ""};
        attach->trigger();
        QCOMPARE(f.dialogs.messages.size(), 1u);
        QVERIFY(!DriveMountPoints(*f.window).contains("//nas/gone"));

        // Cancelled, the drive list is read again all the same.
        AddNetDrive("//other/share", f.paths.iniPath);
        answer.reset();
        attach->trigger();
        QVERIFY(DriveMountPoints(*f.window).contains("//other/share"));

        // After a restart the connected shares are listed.
        MainWindow restarted(f.settings, f.paths, MainWindowServices{&f.dialogs, &f.clipboard, &f.saveDialog, nullptr});
        QVERIFY(DriveMountPoints(restarted).contains("//nas/docs"));
        QVERIFY(DriveMountPoints(restarted).contains("//other/share"));

        chosen = "//nas/docs";
        detach->trigger();
        QCOMPARE(offered, (std::vector<std::string>{"//nas/docs", "//other/share"}));
        QVERIFY(!DriveMountPoints(*f.window).contains("//nas/docs"));
        QCOMPARE(ReadNetDrives(f.paths.iniPath), std::vector<std::string>{"//other/share"});
        chosen.reset();
        detach->trigger();
        QVERIFY(DriveMountPoints(*f.window).contains("//other/share"));
        QVERIFY(detach->isEnabled());
        QCOMPARE(checked, (std::vector<std::string>{"//nas/docs", "//nas/gone"}));
    }
};

QTEST_MAIN(NetworkWindowTest)
#include "network_window_test.moc"
