#pragma once
// File1's entries: the names of the current folder's matching files. A plain list model,
// so a folder of any size loads and selects in one step.

#include <QAbstractListModel>
#include <string>
#include <vector>

namespace pelmora {

class FileListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void SetNames(std::vector<std::string> names);
    const std::vector<std::string>& Names() const { return names_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<std::string> names_;
};

}  // namespace pelmora
