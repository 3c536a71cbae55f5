#include "storage/import/LedgerLayout.h"

#include "storage/dao/DAODatabase.h"
#include "storage/dao/Format.h"
#include "storage/dao/SqliteError.h"
#include "storage/ledger/LedgerSchema.h"

#include <QSet>

#include <sqlite3.h>

namespace {

// The rows of a statement of SQLite's own SQL, each column as text.
QList<QStringList> Rows(TDAODatabase& db, const QString& sql) {
    sqlite3_stmt* statement = db.Prepare(sql);
    QList<QStringList> rows;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        QStringList row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            row.append(QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement, i))));
        }
        rows.append(row);
    }
    db.Release(statement);
    if (rc != SQLITE_DONE) {
        RaiseEngineError(db.Handle(), rc);
    }
    return rows;
}

void Execute(TDAODatabase& db, const QString& sql) {
    const int rc = sqlite3_exec(db.Handle(), sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        RaiseEngineError(db.Handle(), rc);
    }
}

QString TypeName(TJetColumnType type) {
    switch (type) {
    case TJetColumnType::Boolean:
        return QStringLiteral("是/否");
    case TJetColumnType::Byte:
        return QStringLiteral("字节");
    case TJetColumnType::Integer:
        return QStringLiteral("整型");
    case TJetColumnType::Long:
        return QStringLiteral("长整型");
    case TJetColumnType::Currency:
        return QStringLiteral("货币");
    case TJetColumnType::Single:
        return QStringLiteral("单精度型");
    case TJetColumnType::Double:
        return QStringLiteral("双精度型");
    case TJetColumnType::DateTime:
        return QStringLiteral("日期/时间");
    case TJetColumnType::Text:
        return QStringLiteral("文本");
    case TJetColumnType::Memo:
        return QStringLiteral("备注");
    case TJetColumnType::Other:
        break;
    }
    return QStringLiteral("二进制或其他");
}

QString KindName(TColumnKind kind) {
    switch (kind) {
    case TColumnKind::Integer:
        return QStringLiteral("整数");
    case TColumnKind::Currency:
        return QStringLiteral("货币");
    case TColumnKind::Date:
        return QStringLiteral("日期");
    case TColumnKind::Text:
        return QStringLiteral("文本");
    case TColumnKind::Float:
        return QStringLiteral("小数");
    case TColumnKind::Unknown:
        break;
    }
    return QStringLiteral("未知类型");
}

// True when every value of the Jet type fits the ledger column exactly.
bool Holds(TColumnKind kind, TJetColumnType type) {
    const bool whole = type == TJetColumnType::Byte || type == TJetColumnType::Integer ||
                       type == TJetColumnType::Long;
    switch (kind) {
    case TColumnKind::Integer:
        return whole || type == TJetColumnType::Boolean;
    case TColumnKind::Currency:
        return whole || type == TJetColumnType::Currency;
    case TColumnKind::Float:
        return whole || type == TJetColumnType::Single || type == TJetColumnType::Double;
    case TColumnKind::Date:
        return type == TJetColumnType::DateTime;
    case TColumnKind::Text:
        return type == TJetColumnType::Text || type == TJetColumnType::Memo;
    case TColumnKind::Unknown:
        break;
    }
    return false;
}

} // namespace

TLedgerLayout TLedgerLayout::Read(TDAODatabase& db) {
    TLedgerLayout layout;
    const QList<QStringList> tables =
        Rows(db, QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type='table' AND "
                                "name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"));
    for (const QStringList& row : tables) {
        TLayoutTable table{
            row[0], {}, row[1].contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive)};
        for (const QStringList& column :
             Rows(db, QStringLiteral("SELECT name, type FROM pragma_table_info(%1)")
                          .arg(u'\'' + QString(table.name).replace(u'\'', QLatin1String("''")) +
                               u'\''))) {
            table.columns.append({column[0], ColumnKindOfType(column[1])});
        }
        layout.tables_.append(table);
    }
    return layout;
}

bool TLedgerLayout::Has(const QString& table) const {
    return std::any_of(tables_.cbegin(), tables_.cend(), [&](const TLayoutTable& t) {
        return t.name.compare(table, Qt::CaseInsensitive) == 0;
    });
}

QStringList TLedgerLayout::DropIndexes(TDAODatabase& db) const {
    const QStringList names = LedgerSchema::IndexNames();
    const QSet<QString> own(names.cbegin(), names.cend());
    QStringList kept;
    for (const QStringList& index :
         Rows(db, QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type='index' AND "
                                 "sql IS NOT NULL"))) {
        if (!own.contains(index[0])) {
            kept.append(index[1]);
        }
        Execute(db, QStringLiteral("DROP INDEX ") + QuoteName(index[0]));
    }
    db.SchemaChanged();
    return kept;
}

void TLedgerLayout::CreateIndexes(TDAODatabase& db, const QStringList& statements) const {
    for (const QString& statement : statements) {
        Execute(db, statement);
    }
    db.SchemaChanged();
}

void TLedgerLayout::KeepCounter(TDAODatabase& db, const QString& table,
                                qint64 lastHandedOut) const {
    const auto t = std::find_if(tables_.cbegin(), tables_.cend(),
                                [&](const TLayoutTable& each) { return each.name == table; });
    if (t == tables_.cend() || !t->counter || lastHandedOut <= 0) {
        return;
    }
    // Inserting the rows with their Ids has already moved it past every Id.
    const QString name = u'\'' + QString(table).replace(u'\'', QLatin1String("''")) + u'\'';
    Execute(db, QStringLiteral("UPDATE sqlite_sequence SET seq=max(seq,%1) WHERE name=%2")
                    .arg(lastHandedOut)
                    .arg(name));
    if (sqlite3_changes(db.Handle()) == 0) {
        Execute(db, QStringLiteral("INSERT INTO sqlite_sequence (name,seq) VALUES (%1,%2)")
                        .arg(name)
                        .arg(lastHandedOut));
    }
}

QString TTablePlan::InsertStatement() const {
    QStringList names;
    QStringList marks;
    for (const TColumnPlan& column : columns) {
        names.append(QuoteName(column.name));
        marks.append(QStringLiteral("?"));
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(QuoteName(table), names.join(u','), marks.join(u','));
}

TTablePlan PlanTable(const TLayoutTable& table, const QList<TJetColumnInfo>& jetColumns,
                     const QString& build) {
    TTablePlan plan{table.name, {}};
    for (const TJetColumnInfo& jet : jetColumns) {
        const auto isJet = [&](const TLayoutColumn& c) {
            return c.name.compare(jet.name, Qt::CaseInsensitive) == 0;
        };
        if (std::none_of(table.columns.cbegin(), table.columns.cend(), isJet)) {
            throw EImportRefused(QStringLiteral("表 %1 的列 %2 不属于 %3 的账本，不能导入。")
                                     .arg(table.name, jet.name, build));
        }
    }
    for (const TLayoutColumn& column : table.columns) {
        const auto jet =
            std::find_if(jetColumns.cbegin(), jetColumns.cend(), [&](const TJetColumnInfo& c) {
                return c.name.compare(column.name, Qt::CaseInsensitive) == 0;
            });
        if (jet == jetColumns.cend()) {
            throw EImportRefused(QStringLiteral("这不是完整的 %1 账本：表 %2 缺少列 %3，不能导入。")
                                     .arg(build, table.name, column.name));
        }
        if (!Holds(column.kind, jet->type)) {
            throw EImportRefused(
                QStringLiteral("表 %1 的列 %2 是%3类型，%4 的账本中它是%5，不能导入。")
                    .arg(table.name, column.name, TypeName(jet->type), build,
                         KindName(column.kind)));
        }
        plan.columns.append({column.name, column.kind, jet - jetColumns.cbegin()});
    }
    return plan;
}
