#include "storage/dao/DM.h"

#include "storage/dao/Errors.h"
#include "storage/dao/LedgerLock.h"
#include "storage/ledger/FileOps.h"
#include "storage/ledger/LedgerFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstdio>

namespace {
TDM* current = nullptr;

// Writes a compacted copy of the ledger to `target`; the reason on failure.
QString VacuumInto(const QString& ledger, const QString& password, const QString& target) {
    // VACUUM INTO only reads the ledger, but it counts as a write: the source
    // connection is a writing one (and so removes its log when it closes).
    TDAODatabase source;
    source.SetDatabaseName(ledger);
    source.SetPassword(password);
    try {
        source.Open();
    } catch (const EVintorError& error) {
        return error.Message();
    }
    const QByteArray sql =
        ("VACUUM INTO '" + QString(target).replace(u'\'', QLatin1String("''")) + u'\'').toUtf8();
    QString failure;
    if (sqlite3_exec(source.Handle(), sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        failure = QStringLiteral("无法写入整理后的账本：%1")
                      .arg(QString::fromUtf8(sqlite3_errmsg(source.Handle())));
    }
    source.Close();
    return failure;
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

Currency TDM::CompactLedger(QString* failure) {
    const QString ledger = DbBase.DatabaseName();
    const QString password = DbBase.Password();
    DbBase.Close();
    const qint64 oldSize = FileSizeOf(ledger);
    auto notCompacted = [&](const QString& why) {
        if (failure) {
            *failure = why;
        }
        return Currency::FromWhole(1);
    };
    // Replacing the file under another connection would lose its changes:
    // the ledger is held exclusively until the copy has taken its place.
    TLedgerLock lock;
    const QString busy = lock.AcquireExclusive(ledger);
    if (!busy.isEmpty()) {
        return notCompacted(busy);
    }
    const QString temporary =
        QFileInfo(ledger).absoluteDir().filePath(QStringLiteral("Tmp_mdb.mdb"));
    QFile::remove(temporary);
    QString why = VacuumInto(ledger, password, temporary);
    if (why.isEmpty() && !FileOps::Sync(temporary)) {
        why = QStringLiteral("整理后的账本无法写入磁盘");
    }
    if (why.isEmpty() && std::rename(QFile::encodeName(temporary).constData(),
                                     QFile::encodeName(ledger).constData()) != 0) {
        why = QStringLiteral("无法用整理后的账本替换原有文件");
    }
    if (!why.isEmpty()) {
        QFile::remove(temporary);
        return notCompacted(why);
    }
    const qint64 newSize = QFileInfo(ledger).size();
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
