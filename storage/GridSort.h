#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The sort state of a list window's grid: one field name per column and at
// most one column marked ascending or descending. A header click toggles the
// mark; the window re-runs its query with OrderBy().
class TGridSort {
public:
    enum class TMark { None, Ascending, Descending };

    // One column per field name; an empty name is a column without a field.
    explicit TGridSort(const QStringList& fields = {});

    int ColumnCount() const { return int(columns_.size()); }
    TMark Mark(int column) const;
    // Marks one column (a restored layout); every other column loses its mark.
    void SetMark(int column, TMark mark);

    // The first marked column, else the first column.
    int SortedColumn() const;
    // "DESC" when the column is marked descending, else "ASC".
    QString SortDirection(int column) const;
    // The column's field name; "Day" when it has none.
    QString SortField(int column) const;
    // A header click: an ascending column becomes descending, any other
    // ascending; every other column loses its mark. Returns the new direction.
    // A column outside the grid changes nothing.
    QString ToggleSort(int column);
    // " ORDER BY <field> <direction>" of the sorted column.
    QString OrderBy() const;

private:
    struct TColumn {
        QString field;
        TMark mark = TMark::None;
    };
    bool Contains(int column) const { return column >= 0 && column < ColumnCount(); }

    QList<TColumn> columns_;
};
