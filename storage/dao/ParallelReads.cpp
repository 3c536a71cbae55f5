#include "storage/dao/ParallelReads.h"

#include "storage/dao/DAODatabase.h"
#include "storage/dao/DAODataset.h"
#include "storage/dao/SqliteError.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

#include <sqlite3.h>

namespace ParallelReads {

namespace {

// The first row of one SQLite SELECT on `db`.
TFirstRow Run(sqlite3* db, const QByteArray& sql) {
    TFirstRow result;
    sqlite3_stmt* statement = nullptr;
    try {
        int rc = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr);
        if (rc == SQLITE_OK) {
            rc = sqlite3_step(statement);
        }
        if (rc == SQLITE_ROW) {
            const int columns = sqlite3_column_count(statement);
            for (int i = 0; i < columns; ++i) {
                result.values.append(ColumnValue(statement, i));
            }
        } else if (rc != SQLITE_DONE) {
            RaiseEngineError(db, rc);
        }
    } catch (const EOleException& error) {
        result.error = error;
    } catch (const std::exception& error) {
        result.error = EOleException(QString::fromUtf8(error.what()));
    }
    sqlite3_finalize(statement);
    return result;
}

} // namespace

QList<TFirstRow> FirstRows(TDAODatabase& database, const QStringList& jetSql, int workers) {
    database.Open();
    const int count = int(jetSql.size());
    std::vector<TFirstRow> results(count);
    std::vector<QByteArray> sql(count);
    int runnable = 0;
    for (int i = 0; i < count; ++i) {
        try {
            const TTranslation& translation = database.Translate(jetSql[i]);
            if (!translation.isQuery || !translation.parameters.isEmpty()) {
                throw EOleException(QStringLiteral("不能作为查询打开：%1").arg(jetSql[i]));
            }
            sql[i] = translation.statements.front().toUtf8();
            ++runnable;
        } catch (const EOleException& error) {
            results[i].error = error;
        }
    }

    if (workers <= 0) {
        workers = QThread::idealThreadCount();
    }
    std::vector<sqlite3*> readers;
    for (int w = 1; w < std::min(workers, runnable); ++w) {
        sqlite3* reader = database.OpenReader();
        if (!reader) {
            break;
        }
        readers.push_back(reader);
    }

    // Each worker takes the next statement not yet taken.
    std::atomic<int> next = 0;
    const auto work = [&](sqlite3* db) {
        for (int i = next++; i < count; i = next++) {
            if (!results[i].error) {
                results[i] = Run(db, sql[i]);
            }
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(readers.size());
    for (sqlite3* reader : readers) {
        try {
            threads.emplace_back(work, reader);
        } catch (const std::system_error&) {
            break; // no more threads: the ones running take what is left
        }
    }
    work(database.Handle());
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (sqlite3* reader : readers) {
        sqlite3_close(reader);
    }
    return QList<TFirstRow>(results.begin(), results.end());
}

} // namespace ParallelReads
