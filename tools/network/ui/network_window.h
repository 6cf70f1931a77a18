#pragma once
// Form4 "Windows Network": the SMB network as a tree (provider, groups, servers, shares),
// each level read when its node is first expanded. A share opens in the main window with
// "参    照" or a double-click. Docks at the main window's left, in the Jump window's place.

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <system_error>

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

// What the window needs of the main window.
struct NetworkTarget {
    // Browses the folder as if chosen in the main window; the error when it cannot be read.
    std::function<std::error_code(const std::string&)> browseFolder;
    UserDialogs* dialogs = nullptr;
};

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

    Settings& settings_;
    platform::NetworkDiscovery& discovery_;
    NetworkTarget target_;
    std::unique_ptr<NetworkResourceTable> table_;
    QTreeWidget* tree_;
    QPushButton* openButton_;
    WindowDock* dock_;
};

}  // namespace pelmora
