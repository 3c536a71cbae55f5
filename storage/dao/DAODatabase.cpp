#include "storage/dao/DAODatabase.h"

#include "storage/Clock.h"
#include "storage/Currency.h"
#include "storage/JetDate.h"
#include "storage/dao/DAODataset.h"
#include "storage/dao/Errors.h"
#include "storage/dao/SqliteError.h"
#include "storage/ledger/LedgerFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <utility>

#include <sqlite3.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

constexpr int IdleStatementLimit = 64;

void SqlToday(sqlite3_context* context, int, sqlite3_value**) {
    sqlite3_result_int64(context, JetDate::DayNumber(TClock::Today()));
}

void SqlNow(sqlite3_context* context, int, sqlite3_value**) {
    const double fraction = TClock::Now().msecsSinceStartOfDay() / 86400000.0;
    sqlite3_result_double(context, double(JetDate::DayNumber(TClock::Today())) + fraction);
}

// The text of a date value as the short date format shows it.
void SqlDateText(sqlite3_context* context, int, sqlite3_value** argv) {
    const int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        const QByteArray text =
            JetDate::ShortText(JetDate::FromDayNumber(sqlite3_value_double(argv[0]))).toUtf8();
        sqlite3_result_text(context, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    } else {
        sqlite3_result_value(context, argv[0]);
    }
}

// A money value put on the 1/10000 grid half to even, as the CURRENCY type
// stores it. The double is first read as the decimal it was written as (15
// significant digits), so 0.00005 is the tie it looks like.
void SqlMoney(sqlite3_context* context, int, sqlite3_value** argv) {
    const int type = sqlite3_value_type(argv[0]);
    if (type != SQLITE_INTEGER && type != SQLITE_FLOAT) {
        sqlite3_result_value(context, argv[0]);
        return;
    }
    const double value = sqlite3_value_double(argv[0]);
    if (!std::isfinite(value)) {
        sqlite3_result_value(context, argv[0]);
        return;
    }
    const int magnitude = value == 0 ? 1 : int(std::floor(std::log10(std::fabs(value)))) + 1;
    const int decimals = std::clamp(15 - std::max(magnitude, 1), 4, 15);
    const auto money = Currency::Parse(QString::number(value, 'f', decimals));
    sqlite3_result_double(context, money ? money->ToDouble() : value);
}

QString OpenErrorText(int code, const QString& path) {
    switch (code & 0xff) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return QStringLiteral("文件“%1”不是账本文件，或者账本文件已经损坏。").arg(path);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("账本文件“%1”正被其他程序使用，无法打开。").arg(path);
    case SQLITE_PERM:
    case SQLITE_READONLY:
        return QStringLiteral("账本文件“%1”是只读的，无法打开。请检查文件的权限。").arg(path);
    default:
        return QStringLiteral("无法打开账本文件“%1”。").arg(path);
    }
}

bool Writable(const QString& path) {
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

// Whether an open that failed with `code` failed for lack of disk space: the
// write-ahead index alone needs 32 KB before the first page can be read.
bool LowOnSpace(const QString& folder, int code) {
    const int primary = code & 0xff;
    if (primary == SQLITE_FULL) {
        return true;
    }
    struct statvfs disk {};
    if ((primary != SQLITE_IOERR && primary != SQLITE_CANTOPEN) ||
        ::statvfs(QFile::encodeName(folder).constData(), &disk) != 0) {
        return false;
    }
    return quint64(disk.f_bavail) * disk.f_frsize < 1024 * 1024;
}

} // namespace

TDAODatabase::~TDAODatabase() {
    // A dataset that outlives its connection is left closed and unattached.
    const QList<TDAODataset*> datasets = datasets_;
    for (TDAODataset* dataset : datasets) {
        dataset->SetDatabase(nullptr);
    }
    if (db_) {
        ClearStatementCache();
        sqlite3_close(db_);
    }
}

void TDAODatabase::CheckClosed() const {
    if (db_) {
        throw EDAODatabaseError(
            QStringLiteral("Cannot perform this operation on an open database"));
    }
}

void TDAODatabase::SetDatabaseName(const QString& name) {
    if (name != databaseName_) {
        CheckClosed();
        databaseName_ = name;
    }
}

void TDAODatabase::SetPassword(const QString& password) {
    CheckClosed();
    password_ = password;
}

void TDAODatabase::SetDAOVersion(TDAOVersion version) {
    CheckClosed();
    version_ = version;
}

void TDAODatabase::SetExclusive(bool exclusive) {
    CheckClosed();
    exclusive_ = exclusive;
}

void TDAODatabase::SetReadOnly(bool readOnly) {
    CheckClosed();
    readOnly_ = readOnly;
}

void TDAODatabase::SetCreateWorkspace(bool create) {
    CheckClosed();
    createWorkspace_ = create;
}

void TDAODatabase::SetWorkspace(const TWorkspace& workspace) {
    CheckClosed();
    workspace_ = workspace;
}

void TDAODatabase::SetSystemDB(const QString& path) {
    CheckClosed();
    systemDb_ = path;
}

void TDAODatabase::SetAllowZeroLength(bool allow) {
    CheckClosed();
    allowZeroLength_ = allow;
}

void TDAODatabase::SetConnected(bool connected) {
    if (connected == Connected()) {
        return;
    }
    if (connected && loading_) {
        openWhenLoaded_ = true;
        return;
    }
    connected ? Connect() : Disconnect();
}

void TDAODatabase::EndLoading() {
    loading_ = false;
    if (openWhenLoaded_) {
        openWhenLoaded_ = false;
        SetConnected(true);
    }
}

void TDAODatabase::Connect() {
    if (OnConnect) {
        OnConnect();
    }
    const QString& path = databaseName_;
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        throw EOleException(QStringLiteral("找不到账本文件“%1”。").arg(path), SQLITE_CANTOPEN);
    }
    if (readOnly_) {
        ConnectForReading();
    } else {
        ConnectForWriting();
    }
}

sqlite3* TDAODatabase::OpenLedgerFile(const QByteArray& name, int flags) {
    const QString& path = databaseName_;
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(name.constData(), &db,
                                   flags | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE, nullptr);
    auto refuse = [&](int code, const QString& message) {
        sqlite3_close(db);
        throw EOleException(message, code);
    };
    if (rc != SQLITE_OK) {
        refuse(rc, OpenErrorText(rc, path));
    }
    sqlite3_busy_timeout(db, 3000);
    // Read the header fields only: nothing is written before the file is known
    // to be a ledger opened with its password.
    auto readPragma = [&](const char* sql) {
        sqlite3_stmt* statement = nullptr;
        int code = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
        qint64 value = 0;
        if (code == SQLITE_OK) {
            code = sqlite3_step(statement);
            if (code == SQLITE_ROW) {
                value = sqlite3_column_int64(statement, 0);
                code = SQLITE_OK;
            }
        }
        sqlite3_finalize(statement);
        if (code != SQLITE_OK) {
            refuse(code, OpenErrorText(code, path));
        }
        return value;
    };
    if (readPragma("PRAGMA application_id") != LedgerFormat::LedgerApplicationId) {
        refuse(SQLITE_NOTADB, OpenErrorText(SQLITE_NOTADB, path));
    }
    if (readPragma("PRAGMA user_version") != LedgerFormat::PasswordStamp(password_)) {
        refuse(SQLITE_AUTH, QStringLiteral("账本文件“%1”的密码不正确，无法打开。").arg(path));
    }
    sqlite3_create_function_v2(db, "jet_today", 0, SQLITE_UTF8, nullptr, SqlToday, nullptr, nullptr,
                               nullptr);
    sqlite3_create_function_v2(db, "jet_now", 0, SQLITE_UTF8, nullptr, SqlNow, nullptr, nullptr,
                               nullptr);
    sqlite3_create_function_v2(db, "jet_datetext", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               SqlDateText, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "jet_money", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               SqlMoney, nullptr, nullptr, nullptr);
    return db;
}

sqlite3* TDAODatabase::OpenMain(const QByteArray& name, int flags) {
    sqlite3* db = OpenLedgerFile(name, flags);
    openedName_ = name;
    openedFlags_ = flags;
    return db;
}

sqlite3* TDAODatabase::OpenReader() {
    if (!db_ || exclusive_ || InTransaction()) {
        return nullptr;
    }
    try {
        sqlite3* reader = OpenLedgerFile(openedName_, openedFlags_);
        if (sqlite3_exec(reader, "PRAGMA query_only=1", nullptr, nullptr, nullptr) != SQLITE_OK) {
            sqlite3_close(reader);
            return nullptr;
        }
        return reader;
    } catch (const EOleException&) {
        return nullptr;
    }
}

void TDAODatabase::Adopt(sqlite3* db, const std::function<void()>& setUp) {
    db_ = db;
    try {
        if (exclusive_) {
            Execute("PRAGMA locking_mode=EXCLUSIVE");
        }
        setUp();
        LoadCatalog();
    } catch (...) {
        db_ = nullptr;
        sqlite3_close(db);
        lock_.Release();
        throw;
    }
}

void TDAODatabase::ConnectForWriting() {
    const QString& path = databaseName_;
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(path).isWritable()) {
        throw EOleException(OpenErrorText(SQLITE_READONLY, path), SQLITE_READONLY);
    }
    if (!Writable(folder)) {
        throw EOleException(
            QStringLiteral("账本所在的文件夹“%1”是只读的，程序不能在其中写入账本的日志文件。"
                           "请修改该文件夹的权限，或者把账本复制到可以写入的文件夹后再打开。")
                .arg(QDir::toNativeSeparators(folder)),
            SQLITE_READONLY);
    }
    QStringList blocked;
    for (const QString& log : {path + QStringLiteral("-wal"), path + QStringLiteral("-shm")}) {
        if (QFileInfo::exists(log) && !Writable(log)) {
            blocked.append(QStringLiteral("“%1”").arg(QDir::toNativeSeparators(log)));
        }
    }
    if (!blocked.isEmpty()) {
        throw EOleException(
            QStringLiteral("账本的日志文件%1不能写入（它们属于其他用户或者是只读的），账本无法保存"
                           "更改。请关闭所有使用该账本的程序，然后删除这些文件或者请管理员改正"
                           "它们的权限，再打开账本。")
                .arg(blocked.join(u'、')),
            SQLITE_READONLY);
    }
    const QString busy = lock_.AcquireShared(path);
    if (!busy.isEmpty()) {
        throw EOleException(busy, SQLITE_BUSY);
    }
    try {
        sqlite3* db = OpenMain(path.toUtf8(), SQLITE_OPEN_READWRITE);
        Adopt(db, [this] {
            Execute("PRAGMA journal_mode=WAL");
            Execute("PRAGMA synchronous=FULL");
        });
    } catch (const EOleException& error) {
        lock_.Release();
        if (!LowOnSpace(folder, error.EngineCode())) {
            throw;
        }
        // Reading needs no space: the ledger opens as it stands on the disk,
        // and a write says why it cannot be made.
        if (!ConnectToSnapshot(true)) {
            throw EOleException(QStringLiteral("磁盘空间不足，无法打开账本文件“%1”。请删除不需要的"
                                               "文件、腾出磁盘空间（至少 1 MB）后再打开；急需备份"
                                               "时，请把账本备份到其他磁盘。")
                                    .arg(QDir::toNativeSeparators(path)),
                                SQLITE_FULL);
        }
    }
}

void TDAODatabase::ConnectForReading() {
    if (ConnectToSnapshot(false)) {
        return;
    }
    const QString& path = databaseName_;
    const QString busy = lock_.AcquireShared(path);
    if (!busy.isEmpty()) {
        throw EOleException(busy, SQLITE_BUSY);
    }
    // Another connection has the ledger open (or left a log to replay): read
    // through its write-ahead log. A writable file is still opened for writing
    // and refuses writes itself (query_only): only a writing connection can
    // fold the log back and remove it when it closes.
    const bool writable = QFileInfo(path).isWritable();
    try {
        sqlite3* db =
            OpenMain(path.toUtf8(), writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY);
        Adopt(db, [this] { Execute("PRAGMA query_only=1"); });
    } catch (...) {
        lock_.Release();
        throw;
    }
}

bool TDAODatabase::ConnectToSnapshot(bool diskFull) {
    const QString& path = databaseName_;
    const QString log = path + QStringLiteral("-wal");
    // A log holds committed changes that only an ordinary open replays.
    auto hasLog = [&] { return QFileInfo(log).size() > 0; };
    if (hasLog() || !lock_.AcquireExclusive(path).isEmpty()) {
        return false;
    }
    if (hasLog()) {
        lock_.Release();
        return false;
    }
    // Nobody else has the file open and the exclusive mark keeps writers out:
    // it is read as it stands, without creating a log or an index beside it
    // (which another account's program could then not write).
    QByteArray uri =
        "file:" + QUrl::toPercentEncoding(QFileInfo(path).absoluteFilePath(), "/") + "?immutable=1";
    if (diskFull) {
        uri += "&" + QByteArray(LowDiskParameter) + "=1";
    }
    try {
        sqlite3* db = OpenMain(uri, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
        Adopt(db, [this] { Execute("PRAGMA query_only=1"); });
    } catch (...) {
        lock_.Release();
        throw;
    }
    return true;
}

void TDAODatabase::Disconnect() {
    if (OnDisconnect) {
        OnDisconnect();
    }
    for (auto it = datasets_.crbegin(); it != datasets_.crend(); ++it) {
        (*it)->Close();
    }
    if (transactionDepth_ > 0) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        transactionDepth_ = 0;
        rollbackOnly_ = false;
    }
    ClearStatementCache();
    translations_.clear();
    catalog_ = TCatalog();
    sqlite3_close(db_);
    db_ = nullptr;
    lock_.Release();
}

void TDAODatabase::Execute(const char* sql) {
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        RaiseEngineError(db_, rc);
    }
}

void TDAODatabase::LoadCatalog() {
    catalog_ = TCatalog();
    sqlite3_stmt* tables = nullptr;
    sqlite3_prepare_v2(db_,
                       "SELECT m.type, m.name, m.tbl_name, p.name, p.type FROM sqlite_master AS m, "
                       "pragma_table_info(m.name) AS p WHERE m.type='table' "
                       "UNION ALL SELECT m.type, m.name, m.tbl_name, p.name, '' FROM sqlite_master "
                       "AS m, pragma_index_info(m.name) AS p WHERE m.type='index'",
                       -1, &tables, nullptr);
    QHash<QString, QStringList> indexColumns;
    QHash<QString, QString> indexTables;
    while (sqlite3_step(tables) == SQLITE_ROW) {
        auto text = [&](int i) {
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(tables, i)));
        };
        if (text(0) == QLatin1String("table")) {
            catalog_.AddColumn(text(1), text(3), ColumnKindOfType(text(4)));
        } else {
            indexColumns[text(1)].append(text(3));
            indexTables[text(1)] = text(2);
        }
    }
    sqlite3_finalize(tables);
    for (auto it = indexColumns.cbegin(); it != indexColumns.cend(); ++it) {
        catalog_.AddIndex(it.key(), indexTables.value(it.key()), it.value());
    }
}

void TDAODatabase::SchemaChanged() {
    schemaChangedInTransaction_ = transactionDepth_ > 0;
    translations_.clear();
    ClearStatementCache();
    LoadCatalog();
}

const TTranslation& TDAODatabase::Translate(const QString& jetSql) {
    if (const TTranslation* cached = translations_.object(jetSql)) {
        return *cached;
    }
    auto* translation = new TTranslation(TJetSqlTranslator::Translate(jetSql, catalog_));
    translations_.insert(jetSql, translation);
    return *translation;
}

sqlite3_stmt* TDAODatabase::Prepare(const QString& sql) {
    if (sqlite3_stmt* idle = idleStatements_.take(sql)) {
        idleOrder_.removeOne(sql);
        return idle;
    }
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v3(db_, text.constData(), int(text.size()),
                                      SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(statement);
        RaiseEngineError(db_, rc);
    }
    return statement;
}

void TDAODatabase::Release(sqlite3_stmt* statement) {
    if (!statement) {
        return;
    }
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    const QString sql = QString::fromUtf8(sqlite3_sql(statement));
    if (!db_ || idleStatements_.contains(sql)) {
        sqlite3_finalize(statement);
        return;
    }
    idleStatements_.insert(sql, statement);
    idleOrder_.append(sql);
    if (idleOrder_.size() > IdleStatementLimit) {
        sqlite3_finalize(idleStatements_.take(idleOrder_.takeFirst()));
    }
}

void TDAODatabase::ClearStatementCache() {
    for (sqlite3_stmt* statement : std::as_const(idleStatements_)) {
        sqlite3_finalize(statement);
    }
    idleStatements_.clear();
    idleOrder_.clear();
}

void TDAODatabase::Attach(TDAODataset* dataset) {
    if (!datasets_.contains(dataset)) {
        datasets_.append(dataset);
    }
}

void TDAODatabase::Detach(TDAODataset* dataset) {
    datasets_.removeOne(dataset);
}

void TDAODatabase::CompletePendingReads() {
    for (TDAODataset* dataset : std::as_const(datasets_)) {
        dataset->FinishReading();
    }
}

void TDAODatabase::BeginTransaction() {
    SetConnected(true);
    if (transactionDepth_++ == 0) {
        CompletePendingReads();
        rollbackOnly_ = false;
        try {
            Execute("BEGIN IMMEDIATE");
        } catch (...) {
            transactionDepth_ = 0;
            throw;
        }
    }
}

void TDAODatabase::CommitTransaction() {
    if (transactionDepth_ == 0) {
        return;
    }
    if (--transactionDepth_ > 0) {
        return;
    }
    CompletePendingReads();
    if (rollbackOnly_) {
        rollbackOnly_ = false;
        RollBack();
        throw EOleException(QStringLiteral("事务中有操作失败，全部更改已经撤消。"));
    }
    const int rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        try {
            RaiseEngineError(db_, rc); // read the engine's message before rolling back
        } catch (...) {
            RollBack();
            throw;
        }
    }
    schemaChangedInTransaction_ = false;
}

void TDAODatabase::RollbackTransaction() {
    if (transactionDepth_ == 0) {
        return;
    }
    if (--transactionDepth_ > 0) {
        rollbackOnly_ = true;
        return;
    }
    rollbackOnly_ = false;
    if (db_) {
        CompletePendingReads();
        RollBack();
    }
}

void TDAODatabase::RollBack() {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    // Schema changes were undone with the rest: forget what was learnt of them.
    if (std::exchange(schemaChangedInTransaction_, false)) {
        SchemaChanged();
    }
}
