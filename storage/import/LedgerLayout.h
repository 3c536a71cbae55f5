#pragma once

#include "storage/dao/Errors.h"
#include "storage/dao/JetCatalog.h"
#include "storage/import/JetFile.h"

#include <QList>
#include <QString>
#include <QStringList>

class TDAODatabase;

// An import that cannot go on for a reason the operator can act on (the file
// is no ledger of a known build, or not one of the layout of its build).
class EImportRefused : public EVintorError {
public:
    using EVintorError::EVintorError;
};

struct TLayoutColumn {
    QString name;
    TColumnKind kind = TColumnKind::Unknown;
};

struct TLayoutTable {
    QString name;
    QList<TLayoutColumn> columns;
    bool counter = false; // its Id is a COUNTER
};

// The tables of an (empty) ledger that an import fills, read from the ledger
// itself, and the work on its indexes and COUNTER seeds around the copy.
class TLedgerLayout {
public:
    static TLedgerLayout Read(TDAODatabase& db);

    const QList<TLayoutTable>& Tables() const { return tables_; }
    bool Has(const QString& table) const;

    // Drops every index; hands back the statements of those the upgrade does
    // not make again (an older build's own), to be made after the copy.
    QStringList DropIndexes(TDAODatabase& db) const;
    void CreateIndexes(TDAODatabase& db, const QStringList& statements) const;
    // Makes the table's COUNTER hand out values above `lastHandedOut` as well
    // as above every Id it holds.
    void KeepCounter(TDAODatabase& db, const QString& table, qint64 lastHandedOut) const;

private:
    QList<TLayoutTable> tables_;
};

// One column of a ledger table and the Jet column that fills it.
struct TColumnPlan {
    QString name;
    TColumnKind kind = TColumnKind::Unknown;
    qsizetype jetIndex = 0;
};

struct TTablePlan {
    QString table;
    QList<TColumnPlan> columns;

    // "INSERT INTO table (columns) VALUES (?, …)" in SQLite's own SQL.
    QString InsertStatement() const;
};

// Matches the columns of a Jet table with the ledger table of the build
// (names without regard to letter case). Refuses (EImportRefused) a missing
// column, a column the build does not have, and a Jet type that does not
// hold the column's values exactly.
TTablePlan PlanTable(const TLayoutTable& table, const QList<TJetColumnInfo>& jetColumns,
                     const QString& build);
