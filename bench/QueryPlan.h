#pragma once

#include <QString>
#include <QStringList>

class TDAODatabase;

// How SQLite runs a statement of the program, to see that look-ups use indexes.
namespace QueryPlan {

// EXPLAIN QUERY PLAN of a Jet SQL SELECT on the open connection, one line per
// step, nested steps indented.
QStringList Explain(TDAODatabase& database, const QString& jetSql);

// The steps that walk a whole table or index ("SCAN ..."), as opposed to
// searching an index for a key ("SEARCH ...").
QStringList FullScans(const QStringList& plan);

} // namespace QueryPlan
