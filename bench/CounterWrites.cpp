#include "bench/CounterWrites.h"

#include "storage/Clock.h"
#include "storage/dao/CBQuery.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"

#include <functional>

namespace CounterWrites {

namespace {

constexpr int CashBox = 1;
constexpr int LineOut = 2;
constexpr int LineReturned = 1;

// Saves one row as a record object does: the row of that Id is edited, a new
// one appended when there is none (Id -1). Returns the row's Id.
int SaveRow(const QString& table, int id, const std::function<void(TDAODataset&)>& write) {
    TCBQuery query;
    const bool found =
        query.HasRows(Format(QStringLiteral("SELECT * FROM %s WHERE Id=%d"), {table, id}));
    if (found && id > 0) {
        query.Edit();
    } else {
        query.Append();
    }
    write(query);
    query.Post();
    return int(query.FieldByName(QStringLiteral("Id")).AsInteger());
}

void Set(TDAODataset& row, const char* column, qint64 value) {
    row.FieldByName(QLatin1String(column)).SetAsInteger(value);
}

void SetMoney(TDAODataset& row, const char* column, Currency value) {
    row.FieldByName(QLatin1String(column)).SetAsCurrency(value);
}

void SetDay(TDAODataset& row, const char* column, const QDate& value) {
    row.FieldByName(QLatin1String(column)).SetAsDateTime(value);
}

} // namespace

TBill Rent(TDM& dm, int member, const QList<TRentCd*>& discs, int clerk) {
    TDM::TTransaction transaction(dm);
    const QDate today = TClock::Today();
    TBill bill;
    bill.member = member;
    bill.discs = discs;
    for (const TRentCd* disc : discs) {
        bill.deposit += disc->Fee.Deposit2 * disc->Power;
    }
    bill.sn = dm.SqlFieldText(QStringLiteral("SELECT Max(Id) AS MaxId FROM TbRTransaction"),
                              QStringLiteral("MaxId"))
                  .toInt() +
              1;
    bill.fund = SaveRow(QStringLiteral("TbFTransaction"), -1, [&](TDAODataset& row) {
        SetDay(row, "Day", today);
        Set(row, "CId1", 2);
        Set(row, "Flag", 0);
        Set(row, "CId2", 0);
        Set(row, "CId3", clerk);
        Set(row, "AId1", CashBox);
        Set(row, "AId2", 0);
        Set(row, "AId3", member);
        SetMoney(row, "Sum1", bill.deposit);
        SetMoney(row, "Sum2", Currency());
        row.FieldByName(QStringLiteral("Memo")).SetAsString(QString());
    });
    Currency units;
    for (TRentCd* disc : discs) {
        disc->Status = TRentCd::RentedOut;
        disc->Save();
        bill.lines.append(SaveRow(QStringLiteral("TbRTransaction"), -1, [&](TDAODataset& row) {
            SetDay(row, "Day1", today);
            SetDay(row, "Day2", today);
            Set(row, "AId", member);
            Set(row, "CId1", disc->Id);
            Set(row, "FId", bill.fund);
            SetMoney(row, "Deposit", disc->Fee.Deposit2 * disc->Power);
            SetMoney(row, "Rent", Currency());
            Set(row, "Sn", bill.sn);
            Set(row, "CId2", LineOut);
        }));
        units += disc->Power;
    }
    TCBQuery quota;
    quota.HasRows(Format(QStringLiteral("SELECT * FROM TbAssociator WHERE Id=%d"), {member}));
    const Currency left = quota.FieldByName(QStringLiteral("Number")).AsCurrency() - units;
    quota.Close();
    SaveRow(QStringLiteral("TbAssociator"), member,
            [&](TDAODataset& row) { SetMoney(row, "Number", left); });
    transaction.Commit();
    return bill;
}

void Return(TDM& dm, const TBill& bill, int clerk) {
    TDM::TTransaction transaction(dm);
    const QDate today = TClock::Today();
    Currency rent;
    for (qsizetype n = 0; n < bill.lines.size(); ++n) {
        TRentCd* disc = bill.discs[n];
        const Currency lineRent = disc->Fee.Rent2 * disc->Power;
        rent += lineRent;
        disc->Status = TRentCd::InStock;
        disc->Save();
        SaveRow(QStringLiteral("TbRTransaction"), bill.lines[n], [&](TDAODataset& row) {
            SetDay(row, "Day2", today);
            SetMoney(row, "Rent", lineRent);
            Set(row, "CId2", LineReturned);
        });
    }
    const Currency refund = rent < bill.deposit ? bill.deposit - rent : Currency();
    SaveRow(QStringLiteral("TbFTransaction"), bill.fund, [&](TDAODataset& row) {
        SetDay(row, "Day", today);
        Set(row, "CId1", LineReturned);
        Set(row, "CId3", clerk);
        SetMoney(row, "Sum1", refund);
        SetMoney(row, "Sum2", bill.deposit < refund + rent ? rent : -rent);
    });
    transaction.Commit();
}

} // namespace CounterWrites
