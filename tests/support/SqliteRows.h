#pragma once

#include <QString>

#include <gtest/gtest.h>
#include <sqlite3.h>

// Reading a ledger file straight through SQLite, below the program's own data
// layer, so that a test sees exactly what was stored.
namespace SqliteRows {

// Runs `sql` on `db` and hands each row's statement to `take`; a statement
// that does not prepare fails the test and gives no rows.
template <typename Take> void Each(sqlite3* db, const QString& sql, const Take& take) {
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr), SQLITE_OK)
        << sql.toStdString();
    while (statement && sqlite3_step(statement) == SQLITE_ROW) {
        take(statement);
    }
    sqlite3_finalize(statement);
}

// Column `i` of the current row as text.
inline QString Text(sqlite3_stmt* statement, int i) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, i)));
}

} // namespace SqliteRows
