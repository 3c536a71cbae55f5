#include "tests/storage/import/JetImportFixture.h"

#include "storage/Clock.h"
#include "storage/dao/DM.h"
#include "storage/ledger/LedgerUpgrade.h"
#include "storage/ledger/OlderLedgers.h"
#include "tests/support/SqliteRows.h"

#include <QDir>
#include <QFile>

#include <sqlite3.h>

void JetImportTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    TClock::SetToday(QDate(2024, 6, 15));
    qputenv("VINTOR_HOME", dir_.path().toUtf8()); // the template of the example ledger
    TPrompter::Install(&prompter_);
}

void JetImportTest::TearDown() {
    TPrompter::Install(nullptr);
    qunsetenv("VINTOR_HOME");
    TClock::Release();
}

QString JetImportTest::Older(const QString& build, const QString& name) {
    const QString path = Path(name);
    OlderLedgers::Write(path, build);
    return path;
}

void JetImportTest::Sql(const QString& ledger, const QStringList& statements) {
    TDM dm;
    dm.DbBase.SetDatabaseName(ledger);
    for (const QString& statement : statements) {
        dm.ExecSql(statement);
    }
}

QString JetImportTest::Jet(const QString& ledger, TJetFormat format, const QString& name) {
    const QString file = Path(name);
    QFile::remove(file);
    const QString error = WriteJetLedger(ledger, file, format);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    return file;
}

QString JetImportTest::Upgraded(const QString& ledger) {
    const QString copy = ledger + QStringLiteral(".upgraded");
    EXPECT_TRUE(QFile::copy(ledger, copy));
    TDM dm;
    dm.DbBase.SetDatabaseName(copy);
    dm.DbBase.Open();
    TUpgradeProgress progress;
    LedgerUpgrade::UpgradeLedger(dm, progress);
    return copy;
}

TStored<JetImport::TImported> JetImportTest::Import(const QString& source, const QString& target) {
    prompter_.Clear();
    JetImport::TImportProgress progress;
    return JetImport::Import(source, target, progress);
}

QString JetImportTest::Refusal() const {
    const QStringList errors = prompter_.Texts(TScriptedPrompter::Kind::Error);
    return errors.isEmpty() ? QString() : errors.back();
}

QStringList JetImportTest::Files() const {
    return QDir(dir_.path()).entryList(QDir::Files, QDir::Name);
}

QStringList LedgerRows(const QString& ledger) {
    TDM dm;
    dm.DbBase.SetDatabaseName(ledger);
    dm.DbBase.SetReadOnly(true);
    dm.DbBase.Open();
    sqlite3* db = dm.DbBase.Handle();
    using SqliteRows::Text;
    QStringList tables;
    SqliteRows::Each(
        db,
        QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name NOT IN "
                       "('sqlite_stat1','TbBalanceStamp') ORDER BY name"),
        [&](sqlite3_stmt* s) { tables.append(Text(s, 0)); });
    QStringList rows;
    for (const QString& table : tables) {
        const bool sequence = table == QLatin1String("sqlite_sequence");
        SqliteRows::Each(
            db,
            sequence ? QStringLiteral("SELECT * FROM sqlite_sequence WHERE seq>0 ORDER BY name")
                     : QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table),
            [&](sqlite3_stmt* s) {
                QString row = table;
                for (int i = 0; i < sqlite3_column_count(s); ++i) {
                    row += u'|' + QString::fromUtf8(sqlite3_column_name(s, i)) + u'=';
                    switch (sqlite3_column_type(s, i)) {
                    case SQLITE_INTEGER:
                        row += QStringLiteral("i:%1").arg(sqlite3_column_int64(s, i));
                        break;
                    case SQLITE_FLOAT:
                        row += QStringLiteral("r:%1").arg(sqlite3_column_double(s, i), 0, 'g', 17);
                        break;
                    case SQLITE_NULL:
                        row += QStringLiteral("null");
                        break;
                    default:
                        row += QStringLiteral("t:") + Text(s, i);
                    }
                }
                rows.append(row);
            });
    }
    return rows;
}
