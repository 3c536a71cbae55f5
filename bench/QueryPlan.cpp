#include "bench/QueryPlan.h"

#include "storage/dao/DAODatabase.h"
#include "storage/dao/SqliteError.h"

#include <QHash>

#include <sqlite3.h>

namespace QueryPlan {

QStringList Explain(TDAODatabase& database, const QString& jetSql) {
    const QByteArray sql =
        "EXPLAIN QUERY PLAN " + database.Translate(jetSql).statements.value(0).toUtf8();
    sqlite3* db = database.Handle();
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr);
    if (rc != SQLITE_OK) {
        RaiseEngineError(db, rc);
    }
    QStringList plan;
    QHash<int, int> depth; // step id -> nesting
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const int id = sqlite3_column_int(statement, 0);
        const int parent = sqlite3_column_int(statement, 1);
        depth[id] = depth.value(parent, -1) + 1;
        const auto* detail = reinterpret_cast<const char*>(sqlite3_column_text(statement, 3));
        plan.append(QString(depth[id] * 2, u' ') + QString::fromUtf8(detail));
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE) {
        RaiseEngineError(db, rc);
    }
    return plan;
}

QStringList FullScans(const QStringList& plan) {
    QStringList scans;
    for (const QString& step : plan) {
        const QString text = step.trimmed();
        if (text.startsWith(QStringLiteral("SCAN "))) {
            scans.append(text);
        }
    }
    return scans;
}

} // namespace QueryPlan
