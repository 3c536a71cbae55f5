#include "tests/support/jet/JetWriter.h"

#include "storage/Clock.h"
#include "storage/ledger/LedgerUpgrade.h"
#include "storage/ledger/OlderLedgers.h"
#include "tests/support/SqliteRows.h"
#include "tests/support/jet/JetReadBackCheck.h"
#include "tests/support/jet/MdbReadBack.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A ledger table as SQLite holds it, with the values a Jet reader should
// give back: money as its count of 1/10000, dates as day numbers.
struct TSqliteTable {
    QString name;
    QStringList declared;
    bool counter = false;
    qint64 sequence = 0;
    QList<QVariantList> rows;
};

QList<TSqliteTable> SqliteTables(const QString& ledger) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(ledger.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    using SqliteRows::Text;
    QList<TSqliteTable> tables;
    SqliteRows::Each(
        db,
        QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type='table' AND name NOT IN "
                       "('sqlite_sequence','sqlite_stat1','TbBalance','TbBalanceStamp') "
                       "ORDER BY rowid"),
        [&](sqlite3_stmt* s) {
            TSqliteTable table;
            table.name = Text(s, 0);
            table.counter = Text(s, 1).contains(QStringLiteral("AUTOINCREMENT"));
            tables.append(table);
        });
    for (TSqliteTable& table : tables) {
        SqliteRows::Each(db, QStringLiteral("PRAGMA table_info(\"%1\")").arg(table.name),
                         [&](sqlite3_stmt* s) { table.declared.append(Text(s, 2)); });
        SqliteRows::Each(
            db, QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name='%1'").arg(table.name),
            [&](sqlite3_stmt* s) { table.sequence = sqlite3_column_int64(s, 0); });
        SqliteRows::Each(db, QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table.name),
                         [&](sqlite3_stmt* s) {
                             QVariantList row;
                             for (int i = 0; i < table.declared.size(); ++i) {
                                 const QString& type = table.declared[i];
                                 if (sqlite3_column_type(s, i) == SQLITE_NULL) {
                                     row.append(QVariant());
                                 } else if (type == QLatin1String("CURRENCY")) {
                                     row.append(
                                         qint64(std::llround(sqlite3_column_double(s, i) * 10000)));
                                 } else if (type == QLatin1String("DATETIME")) {
                                     row.append(sqlite3_column_double(s, i));
                                 } else if (type == QLatin1String("INTEGER")) {
                                     row.append(qint64(sqlite3_column_int64(s, i)));
                                 } else {
                                     row.append(Text(s, i));
                                 }
                             }
                             table.rows.append(row);
                         });
    }
    sqlite3_close(db);
    return tables;
}

TJetType JetTypeOf(const QString& declared) {
    if (declared == QLatin1String("CURRENCY")) {
        return TJetType::Currency;
    }
    if (declared == QLatin1String("DATETIME")) {
        return TJetType::DateTime;
    }
    return declared == QLatin1String("INTEGER") ? TJetType::Long : TJetType::Text;
}

class JetLedgerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        TClock::SetToday(QDate(2024, 6, 15));
    }
    void TearDown() override { TClock::Release(); }
    QString Path(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
};

// The ledger of every build, as the import finds it: each table of the build
// (not the SQLite ledger's own bookkeeping), every row and value, the column
// types and the COUNTER seeds.
TEST_F(JetLedgerTest, EveryBuildReadsBackCompletely) {
    static const QRegularExpression textSize(QStringLiteral(R"(^TEXT\((\d+)\)$)"));
    for (const QString& build : LedgerUpgrade::Builds()) {
        const QString ledger = Path(build);
        OlderLedgers::Write(ledger, build);
        const QList<TSqliteTable> expected = SqliteTables(ledger);
        ASSERT_FALSE(expected.isEmpty());
        for (const TJetFormat format : {TJetFormat::Jet3, TJetFormat::Jet4}) {
            const QString file = Path(
                build + (format == TJetFormat::Jet4 ? QStringLiteral("-4") : QStringLiteral("-3")));
            ASSERT_EQ(WriteJetLedger(ledger, file, format), QString()) << build.toStdString();
            QString error;
            const QList<MdbReadBack::TTable> tables = MdbReadBack::ReadTables(file, &error);
            ASSERT_TRUE(error.isEmpty()) << error.toStdString();
            ASSERT_EQ(tables.size(), expected.size()) << build.toStdString();
            for (qsizetype t = 0; t < tables.size(); ++t) {
                const MdbReadBack::TTable& read = tables[t];
                const TSqliteTable& want = expected[t];
                const std::string where = (build + u' ' + want.name).toStdString();
                EXPECT_EQ(read.name, want.name) << where;
                ASSERT_EQ(read.columns.size(), want.declared.size()) << where;
                for (qsizetype c = 0; c < read.columns.size(); ++c) {
                    EXPECT_EQ(read.columns[c].type, JetTypeOf(want.declared[c])) << where << c;
                    const QRegularExpressionMatch m = textSize.match(want.declared[c]);
                    EXPECT_EQ(read.columns[c].size, m.hasMatch() ? m.captured(1).toInt() : 0)
                        << where << c;
                }
                EXPECT_EQ(read.columns[0].autoNumber, want.counter) << where;
                EXPECT_EQ(read.lastAutoNumber, want.sequence) << where << " next = seq + 1";
                ExpectRows(read.rows, want.rows, read.name);
            }
            EXPECT_EQ(tables[0].name, QStringLiteral("TbVersion"));
            EXPECT_EQ(tables[0].rows.value(0).value(0).toString(), build);
        }
    }
}

TEST_F(JetLedgerTest, UnreadableLedgersAreRefused) {
    const QString missing =
        WriteJetLedger(Path(QStringLiteral("none")), Path(QStringLiteral("a")), TJetFormat::Jet4);
    EXPECT_TRUE(missing.contains(QStringLiteral("无法打开账本"))) << missing.toStdString();

    const QString text = Path(QStringLiteral("text"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    const QString notLedger = WriteJetLedger(text, Path(QStringLiteral("b")), TJetFormat::Jet4);
    EXPECT_TRUE(notLedger.contains(QStringLiteral("读取账本"))) << notLedger.toStdString();

    const QString odd = Path(QStringLiteral("odd"));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(odd.toUtf8().constData(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE TbOdd (Id INTEGER, Pic BLOB)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const QString blob = WriteJetLedger(odd, Path(QStringLiteral("c")), TJetFormat::Jet4);
    EXPECT_TRUE(blob.contains(QStringLiteral("“Pic”")) && blob.contains(QStringLiteral("BLOB")))
        << blob.toStdString();
    for (const char* name : {"a", "b", "c"}) {
        EXPECT_FALSE(QFile::exists(Path(QString::fromLatin1(name)))) << name;
    }
}

} // namespace
