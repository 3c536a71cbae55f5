#include "storage/GridSort.h"

#include "storage/dao/Format.h"

TGridSort::TGridSort(const QStringList& fields) {
    for (const QString& field : fields) {
        columns_.append({field, TMark::None});
    }
}

TGridSort::TMark TGridSort::Mark(int column) const {
    return Contains(column) ? columns_[column].mark : TMark::None;
}

void TGridSort::SetMark(int column, TMark mark) {
    if (!Contains(column)) {
        return;
    }
    for (TColumn& c : columns_) {
        c.mark = TMark::None;
    }
    columns_[column].mark = mark;
}

int TGridSort::SortedColumn() const {
    for (int i = 0; i < ColumnCount(); ++i) {
        if (columns_[i].mark != TMark::None) {
            return i;
        }
    }
    return 0;
}

QString TGridSort::SortDirection(int column) const {
    return Mark(column) == TMark::Descending ? QStringLiteral("DESC") : QStringLiteral("ASC");
}

QString TGridSort::SortField(int column) const {
    if (!Contains(column) || columns_[column].field.isEmpty()) {
        return QStringLiteral("Day");
    }
    return columns_[column].field;
}

QString TGridSort::ToggleSort(int column) {
    if (!Contains(column)) {
        return SortDirection(SortedColumn());
    }
    SetMark(column, Mark(column) == TMark::Ascending ? TMark::Descending : TMark::Ascending);
    return SortDirection(column);
}

QString TGridSort::OrderBy() const {
    const int column = SortedColumn();
    return Format(QStringLiteral(" ORDER BY %s %s"), {SortField(column), SortDirection(column)});
}
