#pragma once

#include "storage/grid/GridColumn.h"

#include <QList>
#include <QString>
#include <QStringList>

class TDAODatabase;

// The rows of a small table shown as a tree: every row hangs under the row
// whose key its parent column holds; a parent of 0, or one not listed, puts
// it at the top. Siblings keep the order of the key.
class TTreeRows {
public:
    struct TNode {
        qint64 id = 0;
        int parent = -1; // node index, -1 at the top
        int row = 0;     // place among its siblings
        QStringList texts;
        QList<int> children;
    };

    // Reads every row of the list ("SELECT … FROM …", its WHERE condition),
    // keyed by `key` and hung by `parentField`.
    void Load(TDAODatabase* database, const QString& select, const QString& where,
              const QList<TGridColumn>& columns, const QString& key = QStringLiteral("Id"),
              const QString& parentField = QStringLiteral("SubId"));

    const QList<TGridColumn>& Columns() const { return columns_; }
    int Count() const { return int(nodes_.size()); }
    const TNode& Node(int index) const { return nodes_[index]; }
    // The children of a node; -1 for the top level.
    const QList<int>& Children(int node) const;
    // The node of a key; -1 when no row has it.
    int NodeOfId(qint64 id) const;

private:
    QList<TGridColumn> columns_;
    QList<TNode> nodes_;
    QList<int> top_;
};
