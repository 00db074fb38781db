#include "main/codegridmodel.h"

#include "main/logicons.h"

namespace korvan {

CodeGridModel::CodeGridModel(QObject* parent) : QAbstractTableModel(parent), rowIcon_(LogIcon(1)) {}

void CodeGridModel::reset(const CodeBuffer* buffer) {
    beginResetModel();
    rows_ = GridRows(buffer);
    endResetModel();
}

void CodeGridModel::rowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, 1));
}

int CodeGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.rowCount());
}

int CodeGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant CodeGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole)
        return index.column() == 0 ? rows_.addressText(index.row()) : rows_.dataText(index.row());
    if (role == Qt::DecorationRole && index.column() == 0) return rowIcon_;
    return {};
}

}  // namespace korvan
