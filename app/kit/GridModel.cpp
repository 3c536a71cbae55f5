#include "app/kit/GridModel.h"

#include "storage/Prompter.h"
#include "storage/dao/Errors.h"

TGridModel::TGridModel(TDAODatabase* database, QObject* parent)
    : QAbstractTableModel(parent), data_(database) {}

void TGridModel::SetColumns(const QList<TGridColumn>& columns) {
    beginResetModel();
    data_.SetColumns(columns);
    shown_ = 0;
    counted_ = true;
    countFailed_ = false;
    endResetModel();
}

bool TGridModel::Restart(const std::function<bool()>& read) {
    beginResetModel();
    const bool result = read();
    shown_ = data_.KnownRows();
    counted_ = data_.Counted();
    countFailed_ = false;
    endResetModel();
    if (counted_) {
        emit RowsCounted();
    }
    return result;
}

void TGridModel::Reload() {
    Restart([this] {
        data_.Reload();
        return true;
    });
}

bool TGridModel::ToggleSort(int column) {
    return Restart([&] { return data_.ToggleSort(column); });
}

bool TGridModel::SetFilter(int column, const QString& value) {
    return Restart([&] { return data_.SetFilter(column, value); });
}

int TGridModel::RowOfId(qint64 id) {
    const int row = data_.RowOfId(id);
    ShowCounted();
    return row;
}

bool TGridModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !counted_ && !countFailed_;
}

void TGridModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent)) {
        return;
    }
    try {
        data_.Count();
    } catch (const EVintorError& error) {
        countFailed_ = true;
        ShowError(error.Message());
        return;
    }
    ShowCounted();
}

// The rows shown so far were the first page: the count adds the rest (or,
// after a write in between, takes some away) and may have read that page again.
void TGridModel::ShowCounted() {
    if (counted_ || !data_.Counted()) {
        return;
    }
    const int before = shown_;
    const int known = data_.KnownRows();
    if (known > shown_) {
        beginInsertRows({}, shown_, known - 1);
        shown_ = known;
        endInsertRows();
    } else if (known < shown_) {
        beginRemoveRows({}, known, shown_ - 1);
        shown_ = known;
        endRemoveRows();
    }
    counted_ = true;
    const int kept = std::min(before, shown_);
    if (kept > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(kept - 1, columnCount() - 1));
    }
    emit RowsCounted();
}

int TGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

int TGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : data_.ColumnCount();
}

QVariant TGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shown_ || index.column() >= data_.ColumnCount()) {
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
