#pragma once

#include "storage/dao/Errors.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <QVector>

#include <optional>

class TDAODatabase;

// Independent SELECTs of the open ledger run side by side: the calling thread
// on the ledger's own connection, each further worker on a connection of its
// own (TDAODatabase::OpenReader), one worker per processor. A page of figures
// then takes about the time of its longest statements instead of their sum.
// Where no further connection can see what the ledger's connection sees, the
// statements run one after the other on that connection.
namespace ParallelReads {

// What one statement gave: the values of its first row (empty when it gave
// no row), or the error that stopped it.
struct TFirstRow {
    QVector<QVariant> values;
    std::optional<EOleException> error;
};

// The first row of each Jet SQL SELECT, in the order given. The workers take
// the statements in that order, so the longest should come first. At most `workers`
// run at once (0: as many as the machine has processors).
QList<TFirstRow> FirstRows(TDAODatabase& database, const QStringList& jetSql, int workers = 0);

} // namespace ParallelReads
