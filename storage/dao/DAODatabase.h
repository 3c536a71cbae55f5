#pragma once

#include "storage/dao/JetCatalog.h"
#include "storage/dao/JetSqlTranslator.h"
#include "storage/dao/LedgerLock.h"

#include <QCache>
#include <QHash>
#include <QList>
#include <QString>

#include <functional>

struct sqlite3;
struct sqlite3_stmt;
class TDAODataset;

enum class TDAOVersion { Dao35, Dao36 };

// The connection to one ledger file. The properties can only be changed while
// the connection is closed; opening checks that the file is a ledger and that
// the password is right, and never changes a file it refuses.
class TDAODatabase {
public:
    struct TWorkspace {
        QString UserName;
        QString Password;
    };

    TDAODatabase() = default;
    ~TDAODatabase();
    TDAODatabase(const TDAODatabase&) = delete;
    TDAODatabase& operator=(const TDAODatabase&) = delete;

    const QString& DatabaseName() const { return databaseName_; }
    void SetDatabaseName(const QString& name);
    const QString& Password() const { return password_; }
    void SetPassword(const QString& password);
    TDAOVersion DAOVersion() const { return version_; }
    void SetDAOVersion(TDAOVersion version);
    bool Exclusive() const { return exclusive_; }
    void SetExclusive(bool exclusive);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    bool CreateWorkspace() const { return createWorkspace_; }
    void SetCreateWorkspace(bool create);
    const TWorkspace& Workspace() const { return workspace_; }
    void SetWorkspace(const TWorkspace& workspace);
    const QString& SystemDB() const { return systemDb_; }
    void SetSystemDB(const QString& path);
    bool AllowZeroLength() const { return allowZeroLength_; }
    void SetAllowZeroLength(bool allow);
    static QString Version() { return QStringLiteral("2.1"); }

    bool Connected() const { return db_ != nullptr; }
    // Opens or closes; nothing happens when it already is in that state.
    // While loading, opening is only remembered until EndLoading().
    void SetConnected(bool connected);
    void Open() { SetConnected(true); }
    void Close() { SetConnected(false); }
    void BeginLoading() { loading_ = true; }
    void EndLoading();

    std::function<void()> OnConnect;
    std::function<void()> OnDisconnect;

    // Transactions: nested use joins the outermost one. A nested rollback marks
    // the whole transaction, whose commit then rolls back and raises.
    void BeginTransaction();
    void CommitTransaction();
    void RollbackTransaction();
    bool InTransaction() const { return transactionDepth_ > 0; }

    // Used by the datasets and queries on this connection.
    sqlite3* Handle() const { return db_; }
    // A further connection to the open ledger that only reads, opened as this
    // one was (a ledger read as it stands stays so), for reads that run beside
    // this connection in other threads; the caller closes it (sqlite3_close).
    // Nothing when such a connection could not see what this one sees: this
    // one is exclusive or inside a transaction, or the opening failed.
    sqlite3* OpenReader();
    const TTranslation& Translate(const QString& jetSql);
    const TCatalog& Catalog() const { return catalog_; }
    sqlite3_stmt* Prepare(const QString& sql);
    void Release(sqlite3_stmt* statement);
    void Attach(TDAODataset* dataset);
    void Detach(TDAODataset* dataset);
    // Reads the rest of every dataset still stepping a statement, so a write
    // never runs under an open read.
    void CompletePendingReads();
    void SchemaChanged();

private:
    void CheckClosed() const;
    void Connect();
    void ConnectForWriting();
    void ConnectForReading();
    // Opens the file as it stands, unshared, when no other connection has it
    // open and it has no log to replay; false (nothing opened) otherwise.
    bool ConnectToSnapshot(bool diskFull);
    sqlite3* OpenLedgerFile(const QByteArray& name, int flags);
    // OpenLedgerFile for this connection, remembering how it was opened.
    sqlite3* OpenMain(const QByteArray& name, int flags);
    void Adopt(sqlite3* db, const std::function<void()>& setUp);
    void Disconnect();
    void LoadCatalog();
    void ClearStatementCache();
    void Execute(const char* sql);
    void RollBack();

    QString databaseName_;
    QString password_;
    TDAOVersion version_ = TDAOVersion::Dao36;
    bool exclusive_ = false;
    bool readOnly_ = false;
    bool createWorkspace_ = false;
    TWorkspace workspace_;
    QString systemDb_;
    bool allowZeroLength_ = false;
    bool loading_ = false;
    bool openWhenLoaded_ = false;

    sqlite3* db_ = nullptr;
    QByteArray openedName_; // the name and flags db_ was opened with
    int openedFlags_ = 0;
    TLedgerLock lock_;
    QList<TDAODataset*> datasets_;
    TCatalog catalog_;
    QCache<QString, TTranslation> translations_{2000};
    QHash<QString, sqlite3_stmt*> idleStatements_;
    QList<QString> idleOrder_;
    int transactionDepth_ = 0;
    bool rollbackOnly_ = false;
    bool schemaChangedInTransaction_ = false; // the catalog must be reread on rollback
};
