#include "storage/grid/TreeRows.h"

#include "storage/grid/QueryRows.h"

#include <QHash>

void TTreeRows::Load(TDAODatabase* database, const QString& select, const QString& where,
                     const QList<TGridColumn>& columns, const QString& key,
                     const QString& parentField) {
    columns_ = columns;
    nodes_.clear();
    top_.clear();
    TQueryRows rows(database);
    rows.SetSql(select, where, key);
    rows.SetOrder({}, false);
    rows.Reload();
    const int parentColumn = rows.FieldIndex(parentField);
    QList<qint64> parents;
    QHash<qint64, int> byId;
    for (int row = 0; row < rows.RowCount(); ++row) {
        TNode node;
        node.id = rows.KeyOf(row);
        for (const TGridColumn& column : columns) {
            node.texts.append(column.Text(rows.Value(row, rows.FieldIndex(column.field))));
        }
        parents.append(qint64(rows.Value(row, parentColumn).Number()));
        byId.insert(node.id, int(nodes_.size()));
        nodes_.append(node);
    }
    for (int index = 0; index < nodes_.size(); ++index) {
        const int parent = parents[index] == nodes_[index].id ? -1 : byId.value(parents[index], -1);
        QList<int>& siblings = parent < 0 ? top_ : nodes_[parent].children;
        nodes_[index].parent = parent;
        nodes_[index].row = int(siblings.size());
        siblings.append(index);
    }
}

const QList<int>& TTreeRows::Children(int node) const {
    return node < 0 || node >= nodes_.size() ? top_ : nodes_[node].children;
}

int TTreeRows::NodeOfId(qint64 id) const {
    for (int index = 0; index < nodes_.size(); ++index) {
        if (nodes_[index].id == id) {
            return index;
        }
    }
    return -1;
}
