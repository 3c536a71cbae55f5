#include "bench/BalanceBench.h"

#include "bench/CounterWrites.h"
#include "bench/Measurement.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"
#include "storage/ledger/LedgerBalances.h"
#include "storage/records/Account.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace BalanceBench {

namespace {

using Measurement::Line;
using Measurement::Print;
using Measurement::Time;

constexpr int ReadRuns = 300;
constexpr int CountRuns = 15;
constexpr int RebuildRuns = 3;
constexpr int OpenRuns = 20;
constexpr int CommitRuns = 40;
constexpr int Clerk = 1;

// Rentals of three discs each and their returns, on discs in stock.
void TimeCommits(TDM& dm, const QString& label) {
    const int member =
        dm.SqlFieldText(QStringLiteral("SELECT TOP 1 Id FROM TbAssociator ORDER BY Id"),
                        QStringLiteral("Id"))
            .toInt();
    QList<int> ids;
    dm.OpenSql(Format(QStringLiteral("SELECT TOP %d Id FROM TbRentCd WHERE Status=1 ORDER BY Id"),
                      {3 * (CommitRuns + 1)}));
    for (; !dm.Q1.Eof(); dm.Q1.Next()) {
        ids.append(int(dm.Q1.FieldByName(QStringLiteral("Id")).AsInteger()));
    }
    if (ids.size() < 3 * (CommitRuns + 1)) {
        Print(QStringLiteral("commits skipped: too few titles in stock"));
        return;
    }
    std::vector<std::unique_ptr<TRentCd>> discs;
    for (const int id : ids) {
        discs.push_back(std::make_unique<TRentCd>());
        discs.back()->LoadById(id);
    }
    std::vector<CounterWrites::TBill> bills;
    Print(Line(QStringLiteral("commit a rental of 3 discs, ") + label, Time(CommitRuns, [&](int) {
                   const size_t first = bills.size() * 3;
                   bills.push_back(CounterWrites::Rent(
                       dm, member,
                       {discs[first].get(), discs[first + 1].get(), discs[first + 2].get()},
                       Clerk));
               })));
    size_t next = 0;
    Print(Line(QStringLiteral("commit the return of that bill, ") + label,
               Time(CommitRuns, [&](int) { CounterWrites::Return(dm, bills[next++], Clerk); })));
}

} // namespace

void Run(const QString& ledger) {
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("balances.mdb"));
    if (!dir.isValid() || !QFile::copy(ledger, copy)) {
        Print(QStringLiteral("balance figures skipped: cannot copy %1").arg(ledger));
        return;
    }
    QFile(copy).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    TDM dm;
    dm.DbBase.SetDatabaseName(copy);
    dm.DbBase.Open();
    TAccount cashBox;
    cashBox.Id = TAccount::CashBoxId;
    const qint64 movements =
        dm.SqlFieldText(QStringLiteral("SELECT Count(*) AS N FROM TbFTransaction"),
                        QStringLiteral("N"))
            .toLongLong();
    Print(QStringLiteral("balances on %1 movements").arg(movements));

    // Before: a ledger without kept balances, as an earlier build wrote it.
    for (const QString& statement : LedgerBalances::DropStatements()) {
        dm.ExecSql(statement);
    }
    Print(Line(QStringLiteral("cash-box balance counted by its statement (before)"),
               Time(CountRuns, [&](int) { cashBox.CountedBalance(); })));
    TimeCommits(dm, QStringLiteral("without balance triggers"));

    QElapsedTimer first;
    first.start();
    LedgerBalances::Ensure(dm);
    Print(QStringLiteral("first open of that ledger: install and recount %1 ms")
              .arg(first.elapsed()));
    Print(Line(QStringLiteral("full recount of every balance (Reinstall)"),
               Time(RebuildRuns, [&](int) { LedgerBalances::Reinstall(dm); })));

    Print(Line(QStringLiteral("cash-box balance read from the kept total (after)"),
               Time(ReadRuns, [&](int) { cashBox.Balance(); })));
    Print(Line(QStringLiteral("trust check"),
               Time(ReadRuns, [&](int) { LedgerBalances::Trusted(dm); })));
    Print(Line(QStringLiteral("open a trusted ledger, with the trust check"),
               Time(OpenRuns, [&](int) {
                   dm.DbBase.Close();
                   dm.DbBase.Open();
                   LedgerBalances::Ensure(dm);
               })));
    Print(Line(QStringLiteral("open a trusted ledger, without it"), Time(OpenRuns, [&](int) {
                   dm.DbBase.Close();
                   dm.DbBase.Open();
               })));
    TimeCommits(dm, QStringLiteral("with balance triggers"));

    const bool equal = cashBox.Balance() == cashBox.CountedBalance() &&
                       LedgerBalances::Differences(dm.DbBase).isEmpty();
    Print(QStringLiteral("kept balances equal the counted ones after the commits: %1")
              .arg(equal ? QStringLiteral("yes") : QStringLiteral("NO")));
}

} // namespace BalanceBench
