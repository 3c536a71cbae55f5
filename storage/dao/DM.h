#pragma once

#include "storage/Currency.h"
#include "storage/dao/DAODatabase.h"
#include "storage/dao/DAOQuery.h"
#include "storage/dao/IdList.h"

#include <QString>

// The data module: the one connection to the open ledger (DbBase), two general
// queries (Q1, Q2) and the operations the windows and records run SQL text
// through. Each operation first closes the query it uses and replaces its SQL.
class TDM {
public:
    TDM();
    ~TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    // The data module of the program: the one created last and still alive.
    static TDM& Instance();
    static bool Exists();

    TDAODatabase DbBase;
    TDAOQuery Q1;
    TDAOQuery Q2;

    void ExecSql(const QString& sql);
    void ExecSqlOn(TDAOQuery& query, const QString& sql);
    void OpenSql(const QString& sql);
    void OpenSqlOn(TDAOQuery& query, const QString& sql);
    // Opens the SELECT and leaves it on its first row; true when it has rows.
    bool SqlHasRows(const QString& sql);
    bool SqlHasRowsOn(TDAOQuery& query, const QString& sql);
    // The first row's column as text, or empty text without a row.
    QString SqlFieldText(const QString& sql, const QString& column);
    QString SqlFieldTextOn(TDAOQuery& query, const QString& sql, const QString& column);
    // Appends one item per row: column "Txt" as text, column "Id" attached.
    void FillIdList(TIdList& list, const QString& sql);
    // The column read as money, added over all rows.
    Currency SqlSum(TDAOQuery& query, const QString& sql, const QString& column);

    // Compacts the open ledger into a copy beside it that then replaces it in
    // one rename. Returns new size / old size (four decimals), 1.0 when no
    // compacted copy came about; the ledger is then untouched and `failure`
    // says why (for one, another connection has the ledger open). DbBase is
    // left closed; the next query opens it again.
    Currency CompactLedger(QString* failure = nullptr);
    // Size of a file in bytes; raises EInOutError when it cannot be read.
    static qint64 FileSizeOf(const QString& path);

    // A database transaction for one business commit: it lands whole or not at
    // all. Nested guards join the outermost one.
    class TTransaction {
    public:
        explicit TTransaction(TDM& dm);
        ~TTransaction();
        TTransaction(const TTransaction&) = delete;
        TTransaction& operator=(const TTransaction&) = delete;
        void Commit();

    private:
        TDAODatabase& database_;
        bool done_ = false;
    };

private:
    TDM* previous_; // a data module made for a side task gives the role back
};
