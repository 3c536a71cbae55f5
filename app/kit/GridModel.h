#pragma once

#include "storage/grid/GridData.h"

#include <QAbstractTableModel>

class TDAODatabase;

// The Qt model of a list grid: it shows what its TGridData holds, reading
// rows only as the view asks for them.
class TGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TGridModel(TDAODatabase* database, QObject* parent = nullptr);

    TGridData& Data() { return data_; }
    // New columns, and no rows until the next Reload().
    void SetColumns(const QList<TGridColumn>& columns);
    // Reads the rows again (after a write, a new order or a filter).
    void Reload();
    // A header click (see TGridData::ToggleSort).
    bool ToggleSort(int column);
    bool SetFilter(int column, const QString& value);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // Reading rows fills pages, which the const interface of Qt hides.
    mutable TGridData data_;
};
