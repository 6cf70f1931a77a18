#include "app/ui/folder_list_widget.h"

#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>

#include "platform/file_system.h"

namespace pelmora {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kLevelRole = Qt::UserRole + 1;
constexpr int kIndentPixels = 14;

// Indents icon and name together, one step per level below the root.
class LevelIndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem indented = option;
        indented.rect.adjust(index.data(kLevelRole).toInt() * kIndentPixels, 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(index.data(kLevelRole).toInt() * kIndentPixels, 0);
    }
};

QByteArray Bytes(const std::string& text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }

std::string LastName(const std::string& path) {
    if (path == platform::RootFolder()) return path;
    const auto slash = platform::LastSeparator(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::vector<std::string> FolderChain(const std::string& folder) {
    std::vector<std::string> chain;
    if (folder.empty()) return chain;
    std::size_t start = 0;
    const char separator = platform::kPathSeparator;
    if (platform::IsNetworkPath(folder)) {
        // A network path begins at its share: //server/share
        const auto server = folder.find(separator, 2);
        const auto share = server == std::string::npos ? std::string::npos : folder.find(separator, server + 1);
        chain.push_back(folder.substr(0, share));
        start = share == std::string::npos ? folder.size() : share;
    } else if (platform::IsAbsolutePath(folder)) {
        chain.push_back(platform::RootFolder());
    }
    while (start < folder.size()) {
        while (start < folder.size() && folder[start] == separator) ++start;
        const auto end = std::min(folder.find(separator, start), folder.size());
        if (end > start) chain.push_back(platform::JoinPath(chain.empty() ? "" : chain.back(), folder.substr(start, end - start)));
        start = end;
    }
    return chain;
}

FolderListWidget::FolderListWidget(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(16, 16));
    setItemDelegate(new LevelIndentDelegate(this));
    // Opening a folder rebuilds this list, so it happens after the click's own handling,
    // never while the clicked item is still in use. A style that activates items on a
    // single click sends both signals for one click: the folder still opens once.
    auto openLater = [this](QListWidgetItem* item) {
        if (openPending_) return;
        openPending_ = true;
        const std::string path = item->data(kPathRole).toByteArray().toStdString();
        QTimer::singleShot(0, this, [this, path] {
            openPending_ = false;
            emit folderClicked(path);
        });
    };
    connect(this, &QListWidget::itemClicked, this, openLater);
    connect(this, &QListWidget::itemActivated, this, openLater);
}

void FolderListWidget::ShowFolder(const std::string& folder, const std::vector<std::string>& subfolders) {
    folder_ = folder;
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const auto chain = FolderChain(folder);
    int level = 0;
    for (const auto& path : chain) {
        auto* item = new QListWidgetItem(openIcon, QString::fromUtf8(LastName(path)), this);
        item->setData(kPathRole, Bytes(path));
        item->setData(kLevelRole, level);
        ++level;
    }
    firstSubfolderRow_ = count();
    for (const auto& name : subfolders) {
        auto* item = new QListWidgetItem(closedIcon, QString::fromUtf8(name), this);
        item->setData(kPathRole, Bytes(platform::JoinPath(folder, name)));
        item->setData(kLevelRole, level);
    }
    HighlightShownFolder();
}

void FolderListWidget::HighlightShownFolder() {
    if (firstSubfolderRow_ > 0) setCurrentRow(firstSubfolderRow_ - 1);
    ScrollToShownFolder();
}

void FolderListWidget::ScrollToShownFolder() {
    // Only once the view has laid out its new lines or size does the scroll range fit them;
    // scrolling at once would stop at the old range's end.
    QTimer::singleShot(0, this, [this] {
        if (firstSubfolderRow_ > 0) scrollToItem(item(firstSubfolderRow_ - 1), QAbstractItemView::EnsureVisible);
    });
}

void FolderListWidget::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    ScrollToShownFolder();
}

std::vector<std::string> FolderListWidget::SubfolderPaths() const {
    std::vector<std::string> paths;
    for (int row = firstSubfolderRow_; row < count(); ++row) {
        paths.push_back(item(row)->data(kPathRole).toByteArray().toStdString());
    }
    return paths;
}

}  // namespace pelmora
