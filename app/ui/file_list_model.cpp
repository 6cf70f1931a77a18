#include "app/ui/file_list_model.h"

namespace pelmora {

void FileListModel::SetNames(std::vector<std::string> names) {
    beginResetModel();
    names_ = std::move(names);
    endResetModel();
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= static_cast<int>(names_.size())) return {};
    // Names that are not valid UTF-8 show with replacement marks; the bytes stay in names_.
    return QString::fromUtf8(names_[static_cast<std::size_t>(index.row())]);
}

}  // namespace pelmora
