#include "storage/Clock.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/dao/JetSqlTranslator.h"
#include "storage/ledger/ExampleLedger.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

// Every SQL statement the program writes, read from the fixtures, run on the
// example ledger (or, for the upgrade statements, translated only).

namespace {

// One entry of a statement fixture.
struct TJetStatement {
    int index = 0;
    int line = 0; // of the first SQL line in the fixture
    QString purpose;
    QStringList sql; // the lines, as the program sets them on a query
    QList<QPair<QString, qint64>> params;
    int rows = -1; // expected row count; -1 when not checked
    QList<QPair<QString, QString>> values;
    QString knownFailure;

    QString Text() const { return sql.join(u' '); }
};

void PrintTo(const TJetStatement& s, std::ostream* os) {
    *os << "line " << s.line << ": " << s.Text().toStdString();
}

// A test name made of the entry's number and the ASCII words of its purpose.
std::string TestName(const ::testing::TestParamInfo<TJetStatement>& info) {
    QString name = QStringLiteral("%1_").arg(info.param.index, 3, 10, QLatin1Char('0'));
    static const QRegularExpression word(QStringLiteral("[A-Za-z0-9]+"));
    const QString purpose = QString(info.param.purpose).remove(u'\'');
    for (auto it = word.globalMatch(purpose); it.hasNext();) {
        const QString w = it.next().captured();
        name += w.left(1).toUpper() + w.mid(1);
    }
    return name.left(72).toStdString();
}

// Entries are separated by ";;". Comment lines hold the purpose (the first
// one) and the directives param:, rows:, value: and fails:; a blank line
// before any SQL starts the entry afresh, so a file may open with a preamble.
std::vector<TJetStatement> ReadFixture(const char* name) {
    QFile file(QStringLiteral(VINTOR_SOURCE_DIR "/tests/fixtures/") + QLatin1String(name));
    std::vector<TJetStatement> entries;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return entries;
    }
    static const QRegularExpression directive(
        QStringLiteral("^--\\s*(param|rows|value|fails):\\s*(.*)$"));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    TJetStatement entry;
    auto finish = [&] {
        if (!entry.sql.isEmpty()) {
            entry.index = int(entries.size()) + 1;
            entries.push_back(entry);
        }
        entry = TJetStatement();
    };
    for (int n = 0; n < lines.size(); ++n) {
        const QString& line = lines[n];
        const QString trimmed = line.trimmed();
        if (trimmed == QLatin1String(";;")) {
            finish();
        } else if (trimmed.isEmpty()) {
            if (entry.sql.isEmpty()) {
                entry = TJetStatement();
            }
        } else if (!trimmed.startsWith(QLatin1String("--"))) {
            if (entry.sql.isEmpty()) {
                entry.line = n + 1;
            }
            entry.sql.append(line);
        } else if (const auto m = directive.match(trimmed); m.hasMatch()) {
            const QString key = m.captured(1);
            const QString text = m.captured(2).trimmed();
            const QString left = text.section(u'=', 0, 0).trimmed();
            const QString right = text.section(u'=', 1).trimmed();
            if (key == QLatin1String("param")) {
                entry.params.append({left, right.toLongLong()});
            } else if (key == QLatin1String("rows")) {
                entry.rows = text.toInt();
            } else if (key == QLatin1String("value")) {
                entry.values.append({left, right});
            } else {
                entry.knownFailure = text;
            }
        } else if (entry.purpose.isEmpty()) {
            entry.purpose = trimmed.mid(2).trimmed();
        }
    }
    finish();
    return entries;
}

const std::vector<TJetStatement>& CurrentStatements() {
    static const std::vector<TJetStatement> entries = ReadFixture("JetStatements.sql");
    return entries;
}

const std::vector<TJetStatement>& UpgradeStatements() {
    static const std::vector<TJetStatement> entries = ReadFixture("JetUpgradeStatements.sql");
    return entries;
}

// A little business on top of the example ledger, so that the rental, sale
// and report statements have rows to find: a walk-in bill of titles 1 and 2
// still out (movement 10), member 1's rental of title 3 returned with 2.00
// rent taken from the deposit (movement 11), and a sale of two sets of sale
// title 1 at a discount of 8 (movement 12).
const char* const BusinessRows[] = {
    "INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,AId3,Sum1,Sum2,Memo) "
    "VALUES (#2024-06-10#,2,0,0,1,1,0,0,40.00,0,\"\")",
    "INSERT INTO TbRTransaction (Day1,Day2,AId,CId1,FId,Deposit,Rent,Sn,CId2) VALUES "
    "(#2024-06-10#,#2024-06-10#,0,1,10,30.00,0,1,2)",
    "INSERT INTO TbRTransaction (Day1,Day2,AId,CId1,FId,Deposit,Rent,Sn,CId2) VALUES "
    "(#2024-06-10#,#2024-06-10#,0,2,10,10.00,0,1,2)",
    "UPDATE TbRentCd SET Status=2 WHERE Id IN (1,2)",
    "INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,AId3,Sum1,Sum2,Memo) "
    "VALUES (#2024-06-14#,1,0,0,1,1,0,1,18.00,-2.00,\"\")",
    "INSERT INTO TbRTransaction (Day1,Day2,AId,CId1,FId,Deposit,Rent,Sn,CId2) VALUES "
    "(#2024-06-12#,#2024-06-14#,1,3,11,20.00,2.00,3,1)",
    "INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,AId3,Sum1,Sum2,Memo) "
    "VALUES (#2024-06-15#,6,0,0,1,1,0,0,40.00,0,\"\")",
    "INSERT INTO TbSTransaction (Day,CId1,CId2,FId,Discount,Number,Price,Sn) VALUES "
    "(#2024-06-15#,1,6,12,8,2,25.00,1)",
    "UPDATE TbSaleCd SET Number2=Number2-2 WHERE Id=1",
};

// The example ledger with the business rows, shared by the statements of a
// suite; each statement runs inside a transaction that is rolled back.
class ExampleLedgerStatements : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        TClock::SetToday(QDate(2024, 6, 15));
        dir_ = std::make_unique<QTemporaryDir>();
        const QString path = dir_->filePath(QStringLiteral("example.mdb"));
        ExampleLedger::Write(path);
        dm_ = std::make_unique<TDM>();
        dm_->DbBase.SetDatabaseName(path);
        TDM::TTransaction transaction(*dm_);
        for (const char* sql : BusinessRows) {
            dm_->ExecSql(QString::fromUtf8(sql));
        }
        transaction.Commit();
        TClock::Release();
    }
    static void TearDownTestSuite() {
        dm_.reset();
        dir_.reset();
    }
    void SetUp() override {
        ASSERT_TRUE(dm_) << "the example ledger could not be made";
        TClock::SetToday(QDate(2024, 6, 15));
    }
    void TearDown() override { TClock::Release(); }

    // The statement and what the translator made of it, for failure messages.
    static std::string Describe(const TJetStatement& s, const QString& finalSql) {
        QString translated;
        try {
            translated = dm_->DbBase.Translate(finalSql).statements.join(QLatin1String(" ;; "));
        } catch (const EVintorError& e) {
            translated = QStringLiteral("(not translated: ") + e.Message() + u')';
        }
        return QStringLiteral("%1 (fixture line %2)\n  Jet:    %3\n  SQLite: %4")
            .arg(s.purpose, QString::number(s.line), finalSql, translated)
            .toStdString();
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline std::unique_ptr<TDM> dm_;
};

struct TOutcome {
    QString error; // the engine's message; empty when the statement ran
    int rows = -1;
    QHash<QString, QString> firstRow; // the checked columns of the first row
};

class CurrentLedgerStatement : public ExampleLedgerStatements,
                               public ::testing::WithParamInterface<TJetStatement> {
protected:
    // Runs the statement on Q1 as the program does: a SELECT is opened and all
    // its rows read, anything else executed.
    static TOutcome Run(const TJetStatement& s) {
        TOutcome outcome;
        TDAOQuery& query = dm_->Q1;
        try {
            query.Close();
            query.SetSQL(s.sql);
            for (const auto& [name, value] : s.params) {
                query.Params().ParamByName(name).SetAsInteger(value);
            }
            static const QRegularExpression select(QStringLiteral("^\\s*(\\(\\s*)*SELECT\\b"),
                                                   QRegularExpression::CaseInsensitiveOption);
            if (!select.match(query.Text()).hasMatch()) {
                query.ExecSQL();
                return outcome;
            }
            query.Open();
            outcome.rows = 0;
            for (query.First(); !query.Eof(); query.Next()) {
                for (int i = 0; i < query.FieldCount(); ++i) {
                    query.Fields(i).AsString();
                }
                if (outcome.rows++ == 0) {
                    for (const auto& [column, expected] : s.values) {
                        outcome.firstRow.insert(column, query.FieldByName(column).AsString());
                    }
                }
            }
            query.Close();
        } catch (const EVintorError& e) {
            outcome.error = e.Message();
            query.Close();
        }
        return outcome;
    }
};

TEST_P(CurrentLedgerStatement, RunsOnTheExampleLedger) {
    const TJetStatement& s = GetParam();
    TOutcome outcome;
    QString finalSql;
    {
        TDM::TTransaction transaction(*dm_);
        outcome = Run(s);
        finalSql = dm_->Q1.FinalSql();
    } // rolled back: no statement sees another's changes
    if (!s.knownFailure.isEmpty()) {
        ASSERT_FALSE(outcome.error.isEmpty()) << "marked as failing but runs now; drop the mark:\n"
                                              << Describe(s, finalSql);
        GTEST_SKIP() << s.knownFailure.toStdString();
    }
    ASSERT_TRUE(outcome.error.isEmpty())
        << Describe(s, finalSql) << "\n  engine: " << outcome.error.toStdString();
    if (s.rows >= 0) {
        EXPECT_EQ(outcome.rows, s.rows) << Describe(s, finalSql);
    }
    for (const auto& [column, expected] : s.values) {
        EXPECT_EQ(outcome.firstRow.value(column), expected)
            << "column " << column.toStdString() << " of " << Describe(s, finalSql);
    }
}

INSTANTIATE_TEST_SUITE_P(JetStatements, CurrentLedgerStatement,
                         ::testing::ValuesIn(CurrentStatements()), TestName);

class UpgradeStatement : public ExampleLedgerStatements,
                         public ::testing::WithParamInterface<TJetStatement> {};

TEST_P(UpgradeStatement, Translates) {
    const TJetStatement& s = GetParam();
    try {
        const TTranslation t = TJetSqlTranslator::Translate(s.Text(), dm_->DbBase.Catalog());
        ASSERT_FALSE(t.statements.isEmpty()) << Describe(s, s.Text());
        for (const QString& statement : t.statements) {
            EXPECT_FALSE(statement.trimmed().isEmpty()) << Describe(s, s.Text());
        }
    } catch (const EVintorError& e) {
        FAIL() << Describe(s, s.Text()) << "\n  translator: " << e.Message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(JetUpgradeStatements, UpgradeStatement,
                         ::testing::ValuesIn(UpgradeStatements()), TestName);

} // namespace

// A fixture that cannot be found or read yields no cases at all; this says so.
TEST(JetStatementFixtures, AreFoundAndEveryEntrySaysWhatItIsFor) {
    ASSERT_GT(CurrentStatements().size(), 100u);
    ASSERT_GT(UpgradeStatements().size(), 50u);
    for (const auto* fixture : {&CurrentStatements(), &UpgradeStatements()}) {
        for (const TJetStatement& s : *fixture) {
            EXPECT_FALSE(s.purpose.isEmpty()) << "fixture line " << s.line;
        }
    }
}
