#include "storage/DM.h"

#include "storage/Errors.h"
#include "storage/FileOps.h"
#include "storage/LedgerFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstdio>

namespace {
TDM* current = nullptr;

bool VacuumInto(const QString& ledger, const QString& password, const QString& target) {
    // VACUUM INTO only reads the ledger, but it counts as a write: the source
    // connection is a writing one (and so removes its log when it closes).
    TDAODatabase source;
    source.SetDatabaseName(ledger);
    source.SetPassword(password);
    try {
        source.Open();
    } catch (const EVintorError&) {
        return false;
    }
    const QByteArray sql =
        ("VACUUM INTO '" + QString(target).replace(u'\'', QLatin1String("''")) + u'\'').toUtf8();
    const bool ok =
        sqlite3_exec(source.Handle(), sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    source.Close();
    return ok;
}
} // namespace

TDM::TDM() : Q1(&DbBase), Q2(&DbBase), previous_(current) {
    DbBase.SetDAOVersion(TDAOVersion::Dao35);
    DbBase.SetPassword(LedgerFormat::LedgerPassword);
    current = this;
}

TDM::~TDM() {
    Q1.Close();
    Q2.Close();
    if (current == this) {
        current = previous_;
    }
}

TDM& TDM::Instance() {
    if (!current) {
        throw EDAODatabaseError(QStringLiteral("数据模块还没有创建。"));
    }
    return *current;
}

bool TDM::Exists() {
    return current != nullptr;
}

void TDM::ExecSql(const QString& sql) {
    ExecSqlOn(Q1, sql);
}

void TDM::ExecSqlOn(TDAOQuery& query, const QString& sql) {
    query.Close();
    query.SetSQL(sql);
    query.ExecSQL();
}

void TDM::OpenSql(const QString& sql) {
    OpenSqlOn(Q1, sql);
}

void TDM::OpenSqlOn(TDAOQuery& query, const QString& sql) {
    query.Close();
    query.SetSQL(sql);
    query.Open();
}

bool TDM::SqlHasRows(const QString& sql) {
    return SqlHasRowsOn(Q1, sql);
}

bool TDM::SqlHasRowsOn(TDAOQuery& query, const QString& sql) {
    OpenSqlOn(query, sql);
    return !query.IsEmpty();
}

QString TDM::SqlFieldText(const QString& sql, const QString& column) {
    return SqlFieldTextOn(Q1, sql, column);
}

QString TDM::SqlFieldTextOn(TDAOQuery& query, const QString& sql, const QString& column) {
    OpenSqlOn(query, sql);
    const QString text = query.IsEmpty() ? QString() : query.FieldByName(column).AsString();
    query.Close();
    return text;
}

void TDM::FillIdList(TIdList& list, const QString& sql) {
    OpenSqlOn(Q1, sql);
    const TField text = Q1.FieldByName(QStringLiteral("Txt"));
    const TField id = Q1.FieldByName(QStringLiteral("Id"));
    for (; !Q1.Eof(); Q1.Next()) {
        list.append({text.AsString(), int(id.AsInteger())});
    }
}

Currency TDM::SqlSum(TDAOQuery& query, const QString& sql, const QString& column) {
    OpenSqlOn(query, sql);
    Currency sum;
    if (!query.IsEmpty()) {
        const TField field = query.FieldByName(column);
        for (; !query.Eof(); query.Next()) {
            sum += field.AsCurrency();
        }
    }
    query.Close();
    return sum;
}

qint64 TDM::FileSizeOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw EInOutError(QStringLiteral("无法读取文件“%1”：%2").arg(path, file.errorString()));
    }
    return file.size();
}

Currency TDM::CompactLedger() {
    const QString ledger = DbBase.DatabaseName();
    const QString password = DbBase.Password();
    DbBase.Close();
    const qint64 oldSize = FileSizeOf(ledger);
    const QString temporary =
        QFileInfo(ledger).absoluteDir().filePath(QStringLiteral("Tmp_mdb.mdb"));
    QFile::remove(temporary);
    // A write-ahead log still beside the ledger means another program has it
    // open: replacing the file under it would lose that program's changes.
    const bool inUse = QFileInfo::exists(ledger + QStringLiteral("-wal"));
    if (inUse || !VacuumInto(ledger, password, temporary) || !FileOps::Sync(temporary)) {
        QFile::remove(temporary);
        return Currency::FromWhole(1);
    }
    const qint64 newSize = QFileInfo(temporary).size();
    if (std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(ledger).constData()) != 0) {
        QFile::remove(temporary);
        return Currency::FromWhole(1);
    }
    FileOps::Sync(QFileInfo(ledger).absolutePath());
    if (oldSize <= 0) {
        return Currency::FromWhole(1);
    }
    return Currency::FromLongDouble(RoundHalfEven(static_cast<long double>(newSize) / oldSize, 4));
}

TDM::TTransaction::TTransaction(TDM& dm) : database_(dm.DbBase) {
    database_.BeginTransaction();
}

TDM::TTransaction::~TTransaction() {
    if (!done_) {
        database_.RollbackTransaction();
    }
}

void TDM::TTransaction::Commit() {
    done_ = true;
    database_.CommitTransaction();
}
