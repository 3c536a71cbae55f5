#include "tests/support/jet/JetWriter.h"

#include "storage/Currency.h"
#include "storage/ledger/LedgerBalances.h"

#include <QRegularExpression>
#include <QSet>

#include <sqlite3.h>

#include <memory>
#include <optional>
#include <vector>

namespace {

using TDatabase = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;
using TStatement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

// The tables the SQLite ledger keeps for itself (the kept balances): no Jet
// ledger has them.
const QSet<QString>& OwnTables() {
    static const QSet<QString> tables = [] {
        static const QRegularExpression create(QStringLiteral(R"(^CREATE TABLE (\w+))"));
        QSet<QString> names;
        for (const QString& statement : LedgerBalances::CreateStatements()) {
            const QRegularExpressionMatch m = create.match(statement);
            if (m.hasMatch()) {
                names.insert(m.captured(1));
            }
        }
        return names;
    }();
    return tables;
}

QString Message(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

TStatement Prepare(sqlite3* db, const QString& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        throw std::runtime_error(Message(db).toStdString());
    }
    return {statement, &sqlite3_finalize};
}

QString Quoted(const QString& name) {
    return u'"' + QString(name).replace(u'"', QLatin1String("\"\"")) + u'"';
}

QString Text(sqlite3_stmt* statement, int column) {
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(statement, column));
    return QString::fromUtf16(text, sqlite3_column_bytes16(statement, column) / 2);
}

// The Jet column a declared type stands for: the translator turns Jet's
// COUNTER/LONG/SHORT/YESNO into INTEGER, CURRENCY/MONEY into CURRENCY,
// DATE/DATETIME into DATETIME, TEXT(n) into TEXT(n), MEMO into TEXT and the
// floating types into REAL.
std::optional<TJetColumn> JetColumn(const QString& name, const QString& declared, bool counter) {
    static const QRegularExpression text(QStringLiteral(R"(^TEXT\s*\(\s*(\d+)\s*\)$)"));
    const QString type = declared.trimmed().toUpper();
    if (type == QLatin1String("INTEGER")) {
        return TJetColumn{name, TJetType::Long, 0, counter};
    }
    if (type == QLatin1String("CURRENCY")) {
        return TJetColumn{name, TJetType::Currency};
    }
    if (type == QLatin1String("DATETIME")) {
        return TJetColumn{name, TJetType::DateTime};
    }
    if (type == QLatin1String("REAL")) {
        return TJetColumn{name, TJetType::Double};
    }
    if (type == QLatin1String("TEXT")) {
        return TJetColumn{name, TJetType::Memo};
    }
    const QRegularExpressionMatch m = text.match(type);
    if (m.hasMatch()) {
        return TJetColumn{name, TJetType::Text, m.captured(1).toInt()};
    }
    return std::nullopt;
}

// Reads one table's rows in the order of their keys, one row at a time.
class TTableReader {
public:
    TTableReader(sqlite3* db, const QString& table, const QList<TJetColumn>& columns)
        : db_(db), table_(table), columns_(columns) {}

    bool Next(QVariantList& row, QString& error) {
        try {
            if (!statement_) {
                QStringList names;
                for (const TJetColumn& column : columns_) {
                    names.append(Quoted(column.name));
                }
                statement_ = Prepare(db_, QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                                              .arg(names.join(u','), Quoted(table_)));
            }
            const int rc = sqlite3_step(statement_.get());
            if (rc == SQLITE_DONE) {
                statement_.reset();
                return false;
            }
            if (rc != SQLITE_ROW) {
                throw std::runtime_error(Message(db_).toStdString());
            }
            row.resize(columns_.size());
            for (int i = 0; i < columns_.size(); ++i) {
                row[i] = Value(i);
            }
            return true;
        } catch (const std::runtime_error& e) {
            error =
                QStringLiteral("读取账本表“%1”失败：%2").arg(table_, QString::fromUtf8(e.what()));
            statement_.reset();
            return false;
        }
    }

private:
    QVariant Value(int i) const {
        sqlite3_stmt* s = statement_.get();
        const int kind = sqlite3_column_type(s, i);
        if (kind == SQLITE_NULL) {
            return {};
        }
        switch (columns_[i].type) {
        case TJetType::Currency:
            if (kind == SQLITE_INTEGER) {
                const qint64 whole = sqlite3_column_int64(s, i);
                if (whole > std::numeric_limits<qint64>::max() / Currency::Scale ||
                    whole < std::numeric_limits<qint64>::min() / Currency::Scale) {
                    throw std::runtime_error(QStringLiteral("金额超出了范围。").toStdString());
                }
                return whole * Currency::Scale;
            }
            if (kind == SQLITE_FLOAT) {
                return Currency::FromDouble(sqlite3_column_double(s, i)).Raw();
            }
            return Text(s, i); // refused by the writer: not an amount
        case TJetType::Text:
        case TJetType::Memo:
            return Text(s, i);
        default:
            if (kind == SQLITE_INTEGER) {
                return qint64(sqlite3_column_int64(s, i));
            }
            if (kind == SQLITE_FLOAT) {
                return sqlite3_column_double(s, i);
            }
            return Text(s, i);
        }
    }

    sqlite3* db_;
    QString table_;
    QList<TJetColumn> columns_;
    TStatement statement_{nullptr, &sqlite3_finalize};
};

QList<TJetColumn> LedgerColumns(sqlite3* db, const QString& table, bool counter) {
    const TStatement info = Prepare(db, QStringLiteral("PRAGMA table_info(%1)").arg(Quoted(table)));
    QList<TJetColumn> columns;
    while (sqlite3_step(info.get()) == SQLITE_ROW) {
        const QString name = Text(info.get(), 1);
        const QString declared = Text(info.get(), 2);
        const bool key = sqlite3_column_int(info.get(), 5) == 1;
        const std::optional<TJetColumn> column = JetColumn(name, declared, counter && key);
        if (!column) {
            throw std::runtime_error(QStringLiteral("表“%1”的列“%2”的类型“%3”在 Jet 里没有对应。")
                                         .arg(table, name, declared)
                                         .toStdString());
        }
        columns.append(*column);
    }
    return columns;
}

// The next COUNTER value SQLite would hand out, or 0 when it has none yet.
qint32 NextAutoNumber(sqlite3* db, const QString& table) {
    const TStatement has =
        Prepare(db, QStringLiteral("SELECT 1 FROM sqlite_master WHERE name='sqlite_sequence'"));
    if (sqlite3_step(has.get()) != SQLITE_ROW) {
        return 0;
    }
    const TStatement seq =
        Prepare(db, QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name=?"));
    const QByteArray name = table.toUtf8();
    sqlite3_bind_text(seq.get(), 1, name.constData(), static_cast<int>(name.size()),
                      SQLITE_TRANSIENT);
    if (sqlite3_step(seq.get()) != SQLITE_ROW) {
        return 0;
    }
    return static_cast<qint32>(sqlite3_column_int64(seq.get(), 0) + 1);
}

} // namespace

QString WriteJetLedger(const QString& ledger, const QString& file, TJetFormat format) {
    sqlite3* opened = nullptr;
    const int rc =
        sqlite3_open_v2(ledger.toUtf8().constData(), &opened, SQLITE_OPEN_READONLY, nullptr);
    const TDatabase db(opened, &sqlite3_close);
    if (rc != SQLITE_OK) {
        return QStringLiteral("无法打开账本“%1”：%2").arg(ledger, Message(opened));
    }
    std::vector<std::unique_ptr<TTableReader>> readers;
    QList<TJetStreamTable> tables;
    try {
        const TStatement list = Prepare(
            db.get(), QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type='table' "
                                     "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"));
        while (sqlite3_step(list.get()) == SQLITE_ROW) {
            const QString name = Text(list.get(), 0);
            if (OwnTables().contains(name)) {
                continue;
            }
            const bool counter =
                Text(list.get(), 1).contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive);
            const QList<TJetColumn> columns = LedgerColumns(db.get(), name, counter);
            TTableReader* reader =
                readers.emplace_back(std::make_unique<TTableReader>(db.get(), name, columns)).get();
            tables.append(
                {name,
                 columns,
                 {[reader](QVariantList& row, QString& error) { return reader->Next(row, error); }},
                 NextAutoNumber(db.get(), name)});
        }
    } catch (const std::runtime_error& e) {
        return QStringLiteral("读取账本“%1”失败：%2").arg(ledger, QString::fromUtf8(e.what()));
    }
    return WriteJet(file, format, tables);
}
