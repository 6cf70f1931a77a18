#include "tools/network/ui/network_window.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "common/ui/credential_questions.h"
#include "common/ui/window_dock.h"
#include "i18n/translation.h"
#include "i18n/ui/translated_text.h"
#include "listing/engine/job_context.h"
#include "platform/network_discovery.h"
#include "platform/smb_credentials.h"
#include "platform/smb_url.h"
#include "tools/network/known_server_discovery.h"
#include "tools/network/known_servers.h"
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

// "//nas", "\\\\nas" or "nas " as typed: the server's name.
std::string ServerNameFromInput(std::string text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    while (!text.empty() && (text.front() == '/' || text.front() == '\\')) text.erase(0, 1);
    return text;
}

}  // namespace

NetworkWindow::NetworkWindow(Settings& settings, platform::NetworkDiscovery& discovery, NetworkTarget target,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), settings_(settings), discovery_(discovery), target_(std::move(target)) {
    setObjectName(names::kWindow);
    setWindowTitle(QTranslated(network_texts::kWindowTitle));

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
    openButton_ = new QPushButton(QTranslated(network_texts::kOpenButton), this);
    openButton_->setObjectName(names::kOpenButton);
    cancelButton_ = new QPushButton(QTranslated(network_texts::kCancelButton), this);
    cancelButton_->setObjectName(names::kCancelButton);
    cancelButton_->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(openButton_, 1);
    buttons->addWidget(cancelButton_);
    layout->addLayout(buttons);
    resize(300, height());

    connect(tree_, &QTreeWidget::itemExpanded, this, &NetworkWindow::Expanded);
    connect(openButton_, &QPushButton::clicked, this, &NetworkWindow::OpenSelected);
    connect(cancelButton_, &QPushButton::clicked, this, &NetworkWindow::CancelReading);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree_, &QTreeWidget::customContextMenuRequested, this, &NetworkWindow::ShowContextMenu);
    // A container still expands or collapses by itself; a share opens.
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem*, int) { OpenSelected(); });

    dock_ = new WindowDock(*this, DockSide::Left);
}

NetworkWindow::~NetworkWindow() {
    CancelReading();
    // A reading abandoned on a server that does not answer ends at the request's time-out;
    // it uses the discovery, which must outlive it.
    threads_.JoinAll();
}

void NetworkWindow::Open(QWidget& mainWindow) {
    // Each opening reads the network afresh: the table and its slot numbers start again.
    CancelReading();
    readingNode_ = nullptr;
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
    CancelReading();  // one reading at a time: an earlier one is given up
    credentialsAsked_ = 0;
    ReadLevel(parent, slot);
}

void NetworkWindow::ReadLevel(QTreeWidgetItem* parent, int slot) {
    std::optional<platform::NetworkResource> record;
    if (slot > 0) record = table_->Record(slot);
    const int freeSlots = table_->FreeSlots();
    const std::uint64_t operation = ++operation_;
    reading_ = true;
    readingNode_ = parent;
    readingSlot_ = slot;
    cancelButton_->setEnabled(true);
    SetWaitCursor(true);

    platform::NetworkDiscovery& discovery = discovery_;
    const bool started = threads_.Run([this, &discovery, record, freeSlots, operation]() -> std::function<void()> {
        auto read = std::make_shared<NetworkLevelRead>(
            ReadNetworkLevel(discovery, record ? &*record : nullptr, freeSlots));
        // The window joins this thread before it goes, so it is there to receive the result.
        return [this, operation, read] {
            QMetaObject::invokeMethod(
                this, [this, operation, read] { LevelRead(operation, std::move(*read)); }, Qt::QueuedConnection);
        };
    });
    if (started) return;
    // Every thread still waits for a server that does not answer: this level waits for none.
    NetworkLevelRead busy;
    busy.error = std::make_error_code(std::errc::resource_unavailable_try_again);
    QMetaObject::invokeMethod(
        this, [this, operation, busy] { LevelRead(operation, busy); }, Qt::QueuedConnection);
}

void NetworkWindow::LevelRead(std::uint64_t operation, NetworkLevelRead read) {
    if (!reading_ || operation != operation_) return;  // abandoned
    if (AskForCredentials(operation, read)) return;      // read again once answered
    ShowLevel(std::move(read));
}

void NetworkWindow::ShowLevel(NetworkLevelRead read) {
    QTreeWidgetItem* parent = readingNode_;
    reading_ = false;
    readingNode_ = nullptr;
    cancelButton_->setEnabled(false);
    SetWaitCursor(false);

    const NetworkLevel level = table_->Take(std::move(read));
    for (int added : level.entries) AddResourceNode(parent, added);
    // A source that is not there (no master browser, no DNS-SD daemon) is said once, in
    // the tree, rather than in a box at every opening.
    if (level.error) AddNote(parent, NetworkErrorText(level.error));
    if (level.tableFull && target_.dialogs) target_.dialogs->ShowMessage(Translated(network_texts::kTableFull));
}

bool NetworkWindow::AskForCredentials(std::uint64_t operation, NetworkLevelRead& read) {
    // The reading thread cannot ask: a server that refuses the guest its shares is answered
    // here, and read again with the answer; asked once more after a refused answer.
    const bool refused =
        read.error == std::errc::permission_denied || read.error == std::errc::operation_not_permitted;
    if (read.opened || !refused || readingSlot_ <= 0) return false;
    const platform::NetworkResource record = table_->Record(readingSlot_);
    if (record.kind != platform::NetworkResourceKind::Server || !record.remoteName.starts_with("//")) return false;
    platform::SmbCredentialStore& store = platform::SmbCredentialStore::ForThisRun();
    const std::string server = record.remoteName.substr(2);
    if (credentialsAsked_ >= 2) {
        store.Forget(server);
        return false;
    }
    CredentialQuestions& questions = CredentialQuestions::OfWindow();
    if (!questions.CanAsk()) return false;
    const bool again = credentialsAsked_ > 0 || store.Find(server).has_value();
    ++credentialsAsked_;
    SetWaitCursor(false);
    auto kept = std::make_shared<NetworkLevelRead>(std::move(read));
    QPointer<NetworkWindow> self(this);
    questions.Ask(server, "", again, [self, operation, kept](bool given) {
        // Cancelled or replaced while the user was asked: nobody waits for the answer here.
        if (!self || !self->reading_ || self->operation_ != operation) return;
        if (given) {
            self->ReadLevel(self->readingNode_, self->readingSlot_);
        } else {
            self->ShowLevel(std::move(*kept));
        }
    });
    return true;
}

void NetworkWindow::CancelReading() {
    if (!reading_) return;
    reading_ = false;
    ++operation_;
    cancelButton_->setEnabled(false);
    SetWaitCursor(false);
    // The node is as before its expansion: expanded again, it is read again.
    if (QTreeWidgetItem* node = readingNode_) {
        new QTreeWidgetItem(node, QStringList{Text(network_texts::kPlaceholderNode)});
        node->setExpanded(false);
    }
    readingNode_ = nullptr;
}

int NetworkWindow::ReadingsUnderWay() const { return static_cast<int>(threads_.UnderWay()); }

void NetworkWindow::SetWaitCursor(bool waiting) {
    if (waiting == waitCursor_) return;
    waitCursor_ = waiting;
    if (waiting) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void NetworkWindow::AddNote(QTreeWidgetItem* parent, const std::string& text) {
    auto* note = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
    note->setText(0, QString::fromStdString(text));
    note->setFlags(Qt::NoItemFlags);  // greyed, and nothing to choose
    note->setData(0, kNetworkNoteRole, true);
}

bool NetworkWindow::IsProviderOrKnownGroup(const QTreeWidgetItem* item) const {
    if (!item || !table_) return false;
    const std::optional<int> slot = SlotOfNetworkNodeKey(item->data(0, kNetworkNodeKeyRole).toString().toStdString());
    if (!slot) return false;
    const platform::NetworkResource& record = table_->Record(*slot);
    return record.kind == platform::NetworkResourceKind::Provider || record.locator == kKnownServersLocator;
}

QTreeWidgetItem* NetworkWindow::KnownServersNode() const {
    for (int top = 0; top < tree_->topLevelItemCount(); ++top) {
        QTreeWidgetItem* provider = tree_->topLevelItem(top);
        for (int i = 0; i < provider->childCount(); ++i) {
            QTreeWidgetItem* child = provider->child(i);
            if (IsProviderOrKnownGroup(child)) return child;
        }
    }
    return nullptr;
}

void NetworkWindow::ShowContextMenu(const QPoint& at) {
    if (!IsProviderOrKnownGroup(tree_->itemAt(at))) return;
    QMenu menu(this);
    menu.addAction(QTranslated(network_texts::kAddServerMenu), this, &NetworkWindow::AddServer);
    menu.exec(tree_->viewport()->mapToGlobal(at));
}

void NetworkWindow::AddServer() {
    std::optional<std::string> typed;
    if (target_.askServerName) {
        typed = target_.askServerName();
    } else {
        bool accepted = false;
        const QString text = QInputDialog::getText(this, QTranslated(network_texts::kWindowTitle),
                                                   QTranslated(network_texts::kAddServerPrompt), QLineEdit::Normal, {},
                                                   &accepted);
        if (accepted) typed = text.toStdString();
    }
    if (!typed) return;
    const std::string server = ServerNameFromInput(*typed);
    if (!platform::IsPlainServerName(server)) {
        if (target_.dialogs) target_.dialogs->ShowWarning(Translated(network_texts::kBadServerName));
        return;
    }
    RememberTypedServer(server);

    QTreeWidgetItem* group = KnownServersNode();
    if (!group) {
        // The provider's level is read with the group in it, the new server included.
        if (tree_->topLevelItemCount() > 0) tree_->expandItem(tree_->topLevelItem(0));
        return;
    }
    if (group->childCount() > 0 && IsPlaceholder(group->child(0))) {
        tree_->expandItem(group);  // read with the new server in it
        return;
    }
    const QString name = QString::fromStdString("//" + server);
    for (int i = 0; i < group->childCount(); ++i) {
        if (group->child(i)->text(0).compare(name, Qt::CaseInsensitive) == 0) {
            tree_->setCurrentItem(group->child(i));
            return;
        }
    }
    if (const std::optional<int> slot = table_->Add(platform::SmbServerResource(server))) {
        AddResourceNode(group, *slot);
        group->setExpanded(true);
        tree_->setCurrentItem(group->child(group->childCount() - 1));
    } else if (target_.dialogs) {
        target_.dialogs->ShowMessage(Translated(network_texts::kTableFull));
    }
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
    if (reading_ && readingNode_ == item) return;
    delete item->takeChild(0);
    EnumerateNetwork(item, *slot);
}

void NetworkWindow::OpenSelected() {
    const QTreeWidgetItem* item = tree_->currentItem();
    if (!item || !item->isSelected()) return;
    const std::string text = item->text(0).toStdString();
    if (!OpensInMainWindow(text) || !target_.browseFolder) return;
    target_.browseFolder(text, [dialogs = target_.dialogs, text](std::error_code error) {
        if (error && dialogs) dialogs->ShowError(text + Translated(network_texts::kOpenFailedSuffix));
    });
}

void NetworkWindow::closeEvent(QCloseEvent* event) {
    CancelReading();  // nobody waits for it any more
    event->accept();
    emit closed();
}

}  // namespace pelmora
