#pragma once
// Form4 "Windows Network": the SMB network as a tree (provider, groups, servers, shares),
// each level read when its node is first expanded. A share opens in the main window with
// "参    照" or a double-click. Docks at the main window's left, in the Jump window's place.
// Levels are read on a thread of their own: the window keeps painting while a server does
// not answer, and "キャンセル" abandons the reading at once (its late result is dropped).
// A level that cannot be read shows its reason as a greyed note below its node.

#include <QWidget>
#include <functional>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "common/background_threads.h"
#include "settings/settings_record.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace pelmora {

namespace platform {
class NetworkDiscovery;
}
class NetworkResourceTable;
class UserDialogs;
class WindowDock;

// Where a resource node keeps its key ("RESIDX:n"); a placeholder node has none.
inline constexpr int kNetworkNodeKeyRole = Qt::UserRole;
// Set on a greyed note: why a level could not be read.
inline constexpr int kNetworkNoteRole = Qt::UserRole + 1;

// What the window needs of the main window.
struct NetworkTarget {
    // Browses the folder as if chosen in the main window; the callback is told the error when
    // it cannot be read (a share is read beside the window).
    std::function<void(const std::string&, std::function<void(std::error_code)>)> browseFolder;
    UserDialogs* dialogs = nullptr;
    // Asks for the name or address of a server to add; nothing when cancelled. Unset: an
    // input dialog.
    std::function<std::optional<std::string>()> askServerName;
};

struct NetworkLevelRead;

class NetworkWindow : public QWidget {
    Q_OBJECT
public:
    NetworkWindow(Settings& settings, platform::NetworkDiscovery& discovery, NetworkTarget target, QWidget* parent);
    ~NetworkWindow() override;

    // A fresh table and tree with the top level, the font, then docks at the main window's
    // left and shows; chase mode from ChaseNetViewWindow.
    void Open(QWidget& mainWindow);

    // The tree takes the NetViewFont… keys (also when the settings dialog changes them).
    void ApplyNetViewFont();

    // Command1: the selected share opens in the main window; anything else does nothing.
    void OpenSelected();

    // "サーバーを追加...": asks for a server and adds it to the known servers, where its
    // shares list like any other server's.
    void AddServer();

    // "キャンセル": the level being read is abandoned; its node can be expanded again.
    void CancelReading();
    bool Reading() const { return reading_; }
    // The reading threads still running, the abandoned ones included.
    int ReadingsUnderWay() const;

    QTreeWidget* Tree() const { return tree_; }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Reads the level below the node (the top level for null) and adds its nodes.
    void EnumerateNetwork(QTreeWidgetItem* parent, int slot);
    void AddResourceNode(QTreeWidgetItem* parent, int slot);
    void Expanded(QTreeWidgetItem* item);
    void ReadLevel(QTreeWidgetItem* parent, int slot);
    void LevelRead(std::uint64_t operation, NetworkLevelRead read);
    void ShowLevel(NetworkLevelRead read);
    // Asks for the server's credentials when it refused the guest; true: the level is read
    // again (or shown refused) once the question is over.
    bool AskForCredentials(std::uint64_t operation, NetworkLevelRead& read);
    void SetWaitCursor(bool waiting);
    void AddNote(QTreeWidgetItem* parent, const std::string& text);
    void ShowContextMenu(const QPoint& at);
    QTreeWidgetItem* KnownServersNode() const;
    bool IsProviderOrKnownGroup(const QTreeWidgetItem* item) const;
    Settings& settings_;
    platform::NetworkDiscovery& discovery_;
    NetworkTarget target_;
    std::unique_ptr<NetworkResourceTable> table_;
    QTreeWidget* tree_;
    QPushButton* openButton_;
    QPushButton* cancelButton_;
    WindowDock* dock_;
    // The reading the window waits for: its number, and the node it reads (null: the top).
    std::uint64_t operation_ = 0;
    bool reading_ = false;
    QTreeWidgetItem* readingNode_ = nullptr;
    int readingSlot_ = -1;
    int credentialsAsked_ = 0;
    bool waitCursor_ = false;
    // A server that keeps every request waiting holds a thread each time the user gives up
    // on it and tries again: a few at most.
    BackgroundThreads threads_{4};
};

}  // namespace pelmora
