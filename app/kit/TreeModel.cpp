#include "app/kit/TreeModel.h"

void TTreeModel::Load(TDAODatabase* database, const QString& select, const QString& where,
                      const QList<TGridColumn>& columns, const QString& key,
                      const QString& parentField) {
    beginResetModel();
    rows_.Load(database, select, where, columns, key, parentField);
    endResetModel();
}

QModelIndex TTreeModel::IndexOfId(qint64 id) const {
    const int node = rows_.NodeOfId(id);
    return node < 0 ? QModelIndex() : createIndex(rows_.Node(node).row, 0, quintptr(node + 1));
}

qint64 TTreeModel::IdOf(const QModelIndex& index) const {
    const int node = NodeOf(index);
    return node < 0 ? -1 : rows_.Node(node).id;
}

QModelIndex TTreeModel::index(int row, int column, const QModelIndex& parent) const {
    const QList<int>& children = rows_.Children(NodeOf(parent));
    if (row < 0 || row >= children.size() || column < 0 || column >= columnCount()) {
        return {};
    }
    return createIndex(row, column, quintptr(children[row] + 1));
}

QModelIndex TTreeModel::parent(const QModelIndex& child) const {
    const int node = NodeOf(child);
    if (node < 0 || rows_.Node(node).parent < 0) {
        return {};
    }
    const int parentNode = rows_.Node(node).parent;
    return createIndex(rows_.Node(parentNode).row, 0, quintptr(parentNode + 1));
}

int TTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() && parent.column() != 0) {
        return 0;
    }
    return int(rows_.Children(NodeOf(parent)).size());
}

int TTreeModel::columnCount(const QModelIndex&) const {
    return int(rows_.Columns().size());
}

QVariant TTreeModel::data(const QModelIndex& index, int role) const {
    const int node = NodeOf(index);
    if (node < 0) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return rows_.Node(node).texts.value(index.column());
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(rows_.Columns()[index.column()].Alignment());
    }
    return {};
}

QVariant TTreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount()) {
        return {};
    }
    return rows_.Columns()[section].caption;
}
