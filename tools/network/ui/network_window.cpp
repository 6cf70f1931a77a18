#include "tools/network/ui/network_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "common/ui/window_dock.h"
#include "listing/engine/job_context.h"
#include "platform/network_discovery.h"
#include "tools/network/network_texts.h"
#include "tools/network/network_tree.h"
#include "tools/network/ui/network_names.h"

namespace pelmora {
namespace {

namespace names = network_names;

QString Text(const char* text) { return QString::fromUtf8(text); }

bool IsPlaceholder(const QTreeWidgetItem* item) {
    return item && item->text(0) == Text(network_texts::kPlaceholderNode) &&
           !item->data(0, kNetworkNodeKeyRole).isValid();
}

// The hourglass over the tree while a level is read.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

NetworkWindow::NetworkWindow(Settings& settings, platform::NetworkDiscovery& discovery, NetworkTarget target,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), settings_(settings), discovery_(discovery), target_(std::move(target)) {
    setObjectName(names::kWindow);
    setWindowTitle(Text(network_texts::kWindowTitle));

    tree_ = new QTreeWidget(this);
    tree_->setObjectName(names::kTree);
    tree_->setColumnCount(1);
    tree_->header()->hide();
    // Long server and share names at large fonts scroll sideways instead of being cut.
    tree_->header()->setStretchLastSection(false);
    tree_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tree_->setTextElideMode(Qt::ElideNone);
    tree_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    tree_->setExpandsOnDoubleClick(true);
    openButton_ = new QPushButton(Text(network_texts::kOpenButton), this);
    openButton_->setObjectName(names::kOpenButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_, 1);
    layout->addWidget(openButton_);
    resize(300, height());

    connect(tree_, &QTreeWidget::itemExpanded, this, &NetworkWindow::Expanded);
    connect(openButton_, &QPushButton::clicked, this, &NetworkWindow::OpenSelected);
    // A container still expands or collapses by itself; a share opens.
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem*, int) { OpenSelected(); });

    dock_ = new WindowDock(*this, DockSide::Left);
}

NetworkWindow::~NetworkWindow() = default;

void NetworkWindow::Open(QWidget& mainWindow) {
    // Each opening reads the network afresh: the table and its slot numbers start again.
    table_ = std::make_unique<NetworkResourceTable>(discovery_);
    tree_->clear();
    ApplyNetViewFont();
    dock_->Open(mainWindow, settings_.ChaseNetViewWindow == "1");
    EnumerateNetwork(nullptr, -1);
}

void NetworkWindow::ApplyNetViewFont() {
    QFont font(QString::fromStdString(settings_.NetViewFontName));
    bool isNumber = false;
    const double points = QString::fromStdString(settings_.NetViewFontSize).trimmed().toDouble(&isNumber);
    // A size that is no number keeps the window's own size.
    font.setPointSizeF(isNumber && points > 0 ? points : this->font().pointSizeF());
    font.setBold(settings_.NetViewFontBold == "1");
    font.setItalic(settings_.NetViewFontItalic == "1");
    tree_->setFont(font);
}

void NetworkWindow::EnumerateNetwork(QTreeWidgetItem* parent, int slot) {
    const NetworkLevel level = table_->EnumerateNetwork(slot);
    for (int added : level.entries) AddResourceNode(parent, added);
    if (!target_.dialogs) return;
    if (level.error) target_.dialogs->ShowWarning(NetworkErrorText(level.error));
    if (level.tableFull) target_.dialogs->ShowMessage(network_texts::kTableFull);
}

void NetworkWindow::AddResourceNode(QTreeWidgetItem* parent, int slot) {
    const platform::NetworkResource& record = table_->Record(slot);
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
    item->setText(0, QString::fromStdString(record.remoteName));
    item->setData(0, kNetworkNodeKeyRole, QString::fromStdString(NetworkNodeKey(slot)));
    if (record.container) new QTreeWidgetItem(item, QStringList{Text(network_texts::kPlaceholderNode)});
}

void NetworkWindow::Expanded(QTreeWidgetItem* item) {
    if (!item || item->childCount() == 0 || !IsPlaceholder(item->child(0))) return;
    const std::optional<int> slot = SlotOfNetworkNodeKey(item->data(0, kNetworkNodeKeyRole).toString().toStdString());
    if (!slot) return;
    BusyCursor busy;
    delete item->takeChild(0);
    tree_->viewport()->update();
    EnumerateNetwork(item, *slot);
}

void NetworkWindow::OpenSelected() {
    const QTreeWidgetItem* item = tree_->currentItem();
    if (!item || !item->isSelected()) return;
    const std::string text = item->text(0).toStdString();
    if (!OpensInMainWindow(text) || !target_.browseFolder) return;
    if (target_.browseFolder(text) && target_.dialogs) {
        target_.dialogs->ShowError(text + network_texts::kOpenFailedSuffix);
    }
}

void NetworkWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

}  // namespace pelmora
