#pragma once

#include "storage/grid/TreeRows.h"

#include <QAbstractItemModel>

class TDAODatabase;

// The Qt model of a category tree: every row of a small table under its
// parent row (see TTreeRows).
class TTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit TTreeModel(QObject* parent = nullptr) : QAbstractItemModel(parent) {}

    // Reads the rows again (see TTreeRows::Load).
    void Load(TDAODatabase* database, const QString& select, const QString& where,
              const QList<TGridColumn>& columns, const QString& key = QStringLiteral("Id"),
              const QString& parentField = QStringLiteral("SubId"));
    const TTreeRows& Rows() const { return rows_; }
    // The index of a key's row; invalid when no row has it.
    QModelIndex IndexOfId(qint64 id) const;
    qint64 IdOf(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // Index entries carry their node index + 1; 0 would be the invisible top.
    int NodeOf(const QModelIndex& index) const {
        return index.isValid() ? int(index.internalId()) - 1 : -1;
    }

    TTreeRows rows_;
};
