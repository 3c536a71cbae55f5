#include "app/kit/DeskLineModel.h"

#include "app/kit/EngineCall.h"
#include "storage/Currency.h"
#include "storage/JetDate.h"

#include <QDate>

namespace {

// An engine's value as the list grids hold a cell, so both kinds of grid
// show it with one set of formats.
TCellValue CellOf(const QVariant& value) {
    TCellValue cell;
    if (value.metaType() == QMetaType::fromType<Currency>()) {
        cell.type = TCellValue::TType::Real;
        cell.real = value.value<Currency>().ToDouble();
    } else if (value.metaType() == QMetaType::fromType<QDate>()) {
        const QDate day = value.toDate();
        if (day.isValid()) {
            cell.type = TCellValue::TType::Integer;
            cell.integer = JetDate::DayNumber(day);
        }
    } else if (value.metaType() == QMetaType::fromType<QString>()) {
        cell.type = TCellValue::TType::Text;
        cell.text = value.toString().toUtf8();
    } else if (value.metaType() == QMetaType::fromType<double>()) {
        cell.type = TCellValue::TType::Real;
        cell.real = value.toDouble();
    } else if (value.isValid()) {
        cell.type = TCellValue::TType::Integer;
        cell.integer = value.toLongLong();
    }
    return cell;
}

} // namespace

TDeskLineModel::TDeskLineModel(const QList<TGridColumn>& columns, TDeskLineSource source,
                               QObject* parent)
    : QAbstractTableModel(parent), columns_(columns), source_(std::move(source)) {
    for (int i = 0; i < columns_.size(); ++i) {
        if (columns_[i].kind == TCellKind::Tick) {
            tickColumn_ = i;
            break;
        }
    }
}

QString TDeskLineModel::Text(int line, int column) const {
    const TGridColumn& shown = columns_[column];
    if (shown.kind == TCellKind::Tick) {
        return {};
    }
    return shown.Text(CellOf(source_.value(line, column)));
}

void TDeskLineModel::Reload() {
    beginResetModel();
    endResetModel();
}

bool TDeskLineModel::SendTick(int line, bool on) {
    if (!source_.tick || !source_.ticked || line < 0 || line >= rowCount() ||
        source_.ticked(line) == on) {
        return false;
    }
    EngineCall::Run([&] { source_.tick(line, on); });
    return true;
}

// A tick or an edit may change any figure of any line (a recalculation):
// every cell is drawn again.
void TDeskLineModel::LinesChanged() {
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

int TDeskLineModel::TickLines(const QList<int>& lines, bool on) {
    int sent = 0;
    for (const int line : lines) {
        sent += SendTick(line, on) ? 1 : 0;
    }
    if (sent > 0) {
        LinesChanged();
        emit Ticked();
    }
    return sent;
}

int TDeskLineModel::TickAll(bool on) {
    QList<int> lines;
    for (int line = 0; line < rowCount(); ++line) {
        lines.append(line);
    }
    return TickLines(lines, on);
}

int TDeskLineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !source_.count ? 0 : source_.count();
}

int TDeskLineModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant TDeskLineModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const TGridColumn& column = columns_[index.column()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return column.kind == TCellKind::Tick ? QVariant()
                                              : QVariant(Text(index.row(), index.column()));
    case Qt::CheckStateRole:
        if (column.kind != TCellKind::Tick) {
            return {};
        }
        return source_.ticked && source_.ticked(index.row()) ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(column.Alignment());
    default:
        return {};
    }
}

bool TDeskLineModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= rowCount()) {
        return false;
    }
    if (role == Qt::CheckStateRole && index.column() == tickColumn_) {
        return TickLines({index.row()}, value.toInt() == Qt::Checked) > 0;
    }
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    const int line = index.row();
    const int column = index.column();
    bool taken = false;
    EngineCall::Run([&] { taken = source_.edit(line, column, value.toString()); });
    LinesChanged();
    emit Edited(line, column);
    return taken;
}

Qt::ItemFlags TDeskLineModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == tickColumn_ && source_.tick) {
        flags |= Qt::ItemIsUserCheckable;
    }
    if (source_.edit && source_.editable && index.column() != tickColumn_ &&
        source_.editable(index.row(), index.column())) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

QVariant TDeskLineModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount()) {
        return {};
    }
    return columns_[section].caption;
}
