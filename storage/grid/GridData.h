#pragma once

#include "storage/Currency.h"
#include "storage/GridSort.h"
#include "storage/export/GridExport.h"
#include "storage/grid/GridColumn.h"
#include "storage/grid/QueryRows.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class TDAODatabase;

// What a list grid shows, without the window: the columns, the rows of its
// query in the order of the sort mark and under the column filters, each
// cell as text, the sums under it, and the export of it all.
class TGridData {
public:
    explicit TGridData(TDAODatabase* database);

    // The columns; the sort marks start afresh.
    void SetColumns(const QList<TGridColumn>& columns);
    const QList<TGridColumn>& Columns() const { return columns_; }
    int ColumnCount() const { return int(columns_.size()); }
    // The list's "SELECT … FROM …", its WHERE condition and its unique key.
    void SetSql(const QString& select, const QString& where, const QString& key);
    // The columns whose sums are shown under the grid: they are summed as the
    // rows are counted.
    void SetSummedColumns(const QList<int>& columns);

    TGridSort& Sort() { return sort_; }
    const TGridSort& Sort() const { return sort_; }
    // A header click: the column's mark toggles and the rows are read again.
    // False, and nothing changes, for a column that cannot be sorted.
    bool ToggleSort(int column);
    // Shows only the rows whose column fits the typed value; an empty value
    // lifts the column's filter. A value that does not fit the column is
    // refused with a message and the rows stay as they were (false).
    bool SetFilter(int column, const QString& value);
    QString FilterOf(int column) const { return filters_.value(column).value; }
    void ClearFilters();

    // Reads the first page of rows again in the current order and filters;
    // the rest are counted when first needed (RowCount(), a row past the
    // first page, a sum) or by Count().
    void Reload();
    // The Jet SQL of the list as last read.
    QString Sql() const { return rows_.Sql(); }
    bool Counted() const { return rows_.Counted(); }
    void Count() { rows_.Count(); }
    // The rows known without counting: all of them once counted.
    int KnownRows() const { return rows_.KnownRows(); }
    // The number of rows (counted first).
    int RowCount() { return rows_.RowCount(); }
    QString Text(int row, int column);
    const TCellValue& Value(int row, int column);
    qint64 KeyOf(int row) { return rows_.KeyOf(row); }
    int RowOfId(qint64 id) { return rows_.RowOfKey(id); }
    // The sum of a column over the rows listed.
    Currency Sum(int column);

    QStringList Captions() const;
    // Every row as the grid shows it.
    QList<QStringList> Texts();
    // Writes every row to a file of the kind its extension names (.xlsx,
    // .txt, .htm, .xml; any other is text); a failure is reported in an error
    // box.
    bool Export(const QString& path);

    TQueryRows& Rows() { return rows_; }

private:
    struct TFilter {
        QString value;
        QString condition;
    };
    void ApplyOrder();

    QList<TGridColumn> columns_;
    QList<int> fieldIndexes_; // result column of each grid column
    QList<int> summed_;
    TGridSort sort_;
    QMap<int, TFilter> filters_;
    TQueryRows rows_;
};
