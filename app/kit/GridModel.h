#pragma once

#include "storage/grid/GridData.h"

#include <QAbstractTableModel>

#include <functional>

class TDAODatabase;

// The Qt model of a list grid: it shows what its TGridData holds, reading
// rows only as the view asks for them. A reload shows the first page at once;
// the other rows are shown when counted (fetchMore(), which the view asks for
// at the end of the rows shown, or RowOfId() of a row further on).
class TGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TGridModel(TDAODatabase* database, QObject* parent = nullptr);

    TGridData& Data() { return data_; }
    // New columns, and no rows until the next Reload().
    void SetColumns(const QList<TGridColumn>& columns);
    // Reads the first page of rows again (after a write, a new order or a
    // filter).
    void Reload();
    // A header click (see TGridData::ToggleSort).
    bool ToggleSort(int column);
    bool SetFilter(int column, const QString& value);
    // Whether every row of the list is shown.
    bool Counted() const { return counted_; }
    // The row of a key, counting the rows first when it is not among those
    // shown; -1 when no row has it.
    int RowOfId(qint64 id);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    // Counts the rows and shows them all. A failure is reported in an error
    // box; the rows shown stay, and no more are fetched until the next reload.
    void fetchMore(const QModelIndex& parent) override;

signals:
    // Every row is shown: the count and the sums are known.
    void RowsCounted();

private:
    // Reads the rows again as `read` does, showing the first page.
    bool Restart(const std::function<bool()>& read);
    // Shows the rows as counted once the data has counted them.
    void ShowCounted();

    // Reading rows fills pages, which the const interface of Qt hides.
    mutable TGridData data_;
    int shown_ = 0;
    bool counted_ = true;
    bool countFailed_ = false;
};
