#pragma once

#include "storage/Currency.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <initializer_list>

struct sqlite3;
struct sqlite3_stmt;

// Fills a fresh SQLite file fast: prepared INSERTs, one transaction per batch
// of rows, no journal and no syncs while writing. Finish() commits and forces
// the file to the disk once. A file left by a failed run is garbage: the
// caller writes under a temporary name. Engine errors raise EOleException.
class TBulkWriter {
public:
    // One column value: a whole number (keys, codes, day numbers), money
    // (stored as the REAL nearest to its four decimals) or text.
    class TValue {
    public:
        TValue(int value) : kind_(Kind::Integer), integer_(value) {}
        TValue(qint64 value) : kind_(Kind::Integer), integer_(value) {}
        TValue(Currency value) : kind_(Kind::Money), integer_(value.Raw()) {}
        TValue(const QString& value) : kind_(Kind::Text), text_(value.toUtf8()) {}
        TValue(const char* value) : kind_(Kind::Text), text_(value) {}

    private:
        friend class TBulkWriter;
        enum class Kind { Integer, Money, Text };
        Kind kind_;
        qint64 integer_ = 0;
        QByteArray text_;
    };

    // The prepared INSERT of one table and column list.
    class TTable {
    public:
        // Appends a row (values in column order) and returns its Id.
        qint64 Insert(std::initializer_list<TValue> values);

    private:
        friend class TBulkWriter;
        TTable(TBulkWriter* writer, sqlite3_stmt* statement)
            : writer_(writer), statement_(statement) {}
        TBulkWriter* writer_;
        sqlite3_stmt* statement_;
    };

    static constexpr qint64 BatchRows = 50000;

    explicit TBulkWriter(const QString& path);
    ~TBulkWriter();
    TBulkWriter(const TBulkWriter&) = delete;
    TBulkWriter& operator=(const TBulkWriter&) = delete;

    // `columns` as in SQL: "Code,Name,Spell".
    TTable Table(const char* table, const char* columns);
    // Runs SQLite SQL (not Jet SQL) inside the current batch.
    void Exec(const char* sql);
    // Commits the last batch, closes the file and syncs it to the disk.
    void Finish();
    qint64 Rows() const { return rows_; }

private:
    void Check(int rc);
    void RowWritten();

    QString path_;
    sqlite3* db_ = nullptr;
    QList<sqlite3_stmt*> statements_;
    qint64 rows_ = 0;
    qint64 batch_ = 0;
};
