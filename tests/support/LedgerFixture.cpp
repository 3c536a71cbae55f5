#include "tests/support/LedgerFixture.h"

#include "storage/Clock.h"
#include "storage/ledger/LedgerTemplate.h"
#include "tests/support/BalanceWatch.h"

#include <QDir>
#include <QFile>

namespace {

// Every test program keeps the program's files in a folder of its own, so a
// test that makes a ledger from the blank template, or runs vintorctl, without
// choosing a program directory never writes into the user's real data folder.
class TOwnProgramHome : public ::testing::Environment {
public:
    void SetUp() override { qputenv("VINTOR_HOME", home_.path().toUtf8()); }

private:
    QTemporaryDir home_;
};

[[maybe_unused]] const ::testing::Environment* const OwnProgramHome =
    ::testing::AddGlobalTestEnvironment(new TOwnProgramHome);

} // namespace

const QString& BlankLedgerForTests() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("Blank"));
        LedgerTemplate::WriteBlankLedger(p);
        return p;
    }();
    return path;
}

void LedgerTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    TClock::SetToday(QDate(2024, 6, 15));
    dm_ = std::make_unique<TDM>();
    ledger_ = NewLedgerPath();
    dm_->DbBase.SetDatabaseName(ledger_);
    dm_->DbBase.Open();
    BalanceWatch::Watch(dm_->DbBase);
}

void LedgerTest::TearDown() {
    dm_.reset();
    TClock::Release();
}

QString LedgerTest::NewLedgerPath(const QString& name) {
    const QString path = dir_.filePath(name);
    QFile::remove(path);
    EXPECT_TRUE(QFile::copy(BlankLedgerForTests(), path));
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

QString LedgerTest::Value(const QString& sql, const QString& column) {
    return dm_->SqlFieldText(sql, column);
}

int LedgerTest::Count(const QString& table, const QString& where) {
    const QString sql =
        QStringLiteral("SELECT Count(*) AS N FROM %1%2")
            .arg(table, where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where);
    return Value(sql, QStringLiteral("N")).toInt();
}
