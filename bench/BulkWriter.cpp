#include "bench/BulkWriter.h"

#include "storage/dao/Errors.h"
#include "storage/dao/SqliteError.h"
#include "storage/ledger/FileOps.h"

#include <sqlite3.h>

qint64 TBulkWriter::TTable::Insert(std::initializer_list<TValue> values) {
    int position = 0;
    for (const TValue& value : values) {
        ++position;
        switch (value.kind_) {
        case TValue::Kind::Integer:
            writer_->Check(sqlite3_bind_int64(statement_, position, value.integer_));
            break;
        case TValue::Kind::Money:
            // The double nearest to the four-decimal amount, as the data layer writes it.
            writer_->Check(sqlite3_bind_double(statement_, position,
                                               double(value.integer_) / Currency::Scale));
            break;
        case TValue::Kind::Text:
            writer_->Check(sqlite3_bind_text(statement_, position, value.text_.constData(),
                                             int(value.text_.size()), SQLITE_STATIC));
            break;
        }
    }
    const int rc = sqlite3_step(statement_);
    sqlite3_reset(statement_);
    if (rc != SQLITE_DONE) {
        writer_->Check(rc);
    }
    writer_->RowWritten();
    return sqlite3_last_insert_rowid(writer_->db_);
}

TBulkWriter::TBulkWriter(const QString& path) : path_(path) {
    const QByteArray file = path.toUtf8();
    const int rc = sqlite3_open_v2(file.constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw EOleException(QStringLiteral("无法打开“%1”。").arg(path), rc);
    }
    Exec("PRAGMA journal_mode=OFF");
    Exec("PRAGMA synchronous=OFF");
    Exec("PRAGMA cache_size=-1048576"); // 1 GiB: the indexes stay in memory while filling
    Exec("BEGIN");
}

TBulkWriter::~TBulkWriter() {
    for (sqlite3_stmt* statement : statements_) {
        sqlite3_finalize(statement);
    }
    sqlite3_close(db_);
}

TBulkWriter::TTable TBulkWriter::Table(const char* table, const char* columns) {
    const QByteArray names(columns);
    QByteArray marks = "?";
    marks += QByteArray(",?").repeated(int(names.count(',')));
    const QByteArray sql =
        "INSERT INTO " + QByteArray(table) + " (" + names + ") VALUES (" + marks + ")";
    sqlite3_stmt* statement = nullptr;
    Check(sqlite3_prepare_v2(db_, sql.constData(), int(sql.size()), &statement, nullptr));
    statements_.append(statement);
    return TTable(this, statement);
}

void TBulkWriter::Exec(const char* sql) {
    Check(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr));
}

void TBulkWriter::Finish() {
    Exec("COMMIT");
    for (sqlite3_stmt* statement : statements_) {
        sqlite3_finalize(statement);
    }
    statements_.clear();
    Check(sqlite3_close(db_));
    db_ = nullptr;
    if (!FileOps::Sync(path_)) {
        throw EInOutError(QStringLiteral("无法写入“%1”。").arg(path_));
    }
}

void TBulkWriter::Check(int rc) {
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE) {
        RaiseEngineError(db_, rc);
    }
}

void TBulkWriter::RowWritten() {
    ++rows_;
    if (++batch_ == BatchRows) {
        batch_ = 0;
        Exec("COMMIT");
        Exec("BEGIN");
    }
}
