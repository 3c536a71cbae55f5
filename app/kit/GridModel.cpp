#include "app/kit/GridModel.h"

TGridModel::TGridModel(TDAODatabase* database, QObject* parent)
    : QAbstractTableModel(parent), data_(database) {}

void TGridModel::SetColumns(const QList<TGridColumn>& columns) {
    beginResetModel();
    data_.SetColumns(columns);
    endResetModel();
}

void TGridModel::Reload() {
    beginResetModel();
    data_.Reload();
    endResetModel();
}

bool TGridModel::ToggleSort(int column) {
    beginResetModel();
    const bool sorted = data_.ToggleSort(column);
    endResetModel();
    return sorted;
}

bool TGridModel::SetFilter(int column, const QString& value) {
    beginResetModel();
    const bool filtered = data_.SetFilter(column, value);
    endResetModel();
    return filtered;
}

int TGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : data_.RowCount();
}

int TGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : data_.ColumnCount();
}

QVariant TGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= data_.ColumnCount()) {
        return {};
    }
    const TGridColumn& column = data_.Columns()[index.column()];
    switch (role) {
    case Qt::DisplayRole:
        return column.kind == TCellKind::Tick ? QVariant()
                                              : QVariant(data_.Text(index.row(), index.column()));
    case Qt::CheckStateRole:
        if (column.kind != TCellKind::Tick) {
            return {};
        }
        return column.Ticked(data_.Value(index.row(), index.column())) ? Qt::Checked
                                                                       : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(column.Alignment());
    default:
        return {};
    }
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= data_.ColumnCount()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return data_.Columns()[section].caption;
    }
    return {};
}
