#include "tests/members/MembersFixture.h"

#include "members/AccountStore.h"
#include "members/FundRecords.h"
#include "members/MemberRecords.h"
#include "members/MemberStore.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/ledger/LedgerBalances.h"
#include "storage/records/Account.h"
#include "tests/support/BalanceWatch.h"

#include <functional>
#include <random>

namespace {

// Several thousand mixed operations on accounts, members and movements, some
// failing part-way and some rolled back on purpose: after each one every kept
// balance equals the count of its movements.
class BalanceKeepingTest : public MembersTest {
protected:
    // Few enough that every check counts each account's movements quickly.
    static constexpr int MostAccounts = 6;
    static constexpr int MostMembers = 8;

    int Pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(random_); }
    bool Chance(int percent) { return Pick(1, 100) <= percent; }
    template <typename T> T PickOf(const QList<T>& values) {
        return values[Pick(0, int(values.size()) - 1)];
    }
    QList<int> Ids(const QString& sql) {
        QList<int> ids;
        dm_->OpenSql(sql);
        for (; !dm_->Q1.Eof(); dm_->Q1.Next()) {
            ids.append(int(dm_->Q1.FieldByName(QStringLiteral("Id")).AsInteger()));
        }
        return ids;
    }
    QList<int> Accounts() { return Ids(QStringLiteral("SELECT Id FROM TbAccount")); }
    QList<int> Members() { return Ids(QStringLiteral("SELECT Id FROM TbAssociator")); }
    QList<int> Movements() { return Ids(QStringLiteral("SELECT Id FROM TbFTransaction")); }
    // An amount as typed at a dialog (two decimals) or as a desk stores it (four).
    QString Amount(int decimals) {
        const int scale = decimals == 2 ? 100 : 10000;
        return QString::number(Pick(1, 500 * scale) / double(scale), 'f', decimals);
    }
    QString SignedAmount() { return (Chance(50) ? QStringLiteral("-") : QString()) + Amount(4); }
    // An account, a member or no one, as the columns AId1/AId2 may hold them.
    int Party() {
        const QList<int> accounts = Accounts();
        const QList<int> members = Members();
        switch (Pick(0, 3)) {
        case 0:
            return 0;
        case 1:
            return members.isEmpty() ? 1 : PickOf(members);
        default:
            return PickOf(accounts);
        }
    }

    TFundRecords::TMovementFields Movement() {
        TFundRecords::TMovementFields fields;
        fields.day = QStringLiteral("2024-06-15");
        fields.categoryId = PickOf(QList<int>{17, 18, 26, 27, 28, 29});
        fields.sum = Amount(2);
        return fields;
    }

    // One operation, described for the failure message.
    std::pair<QString, std::function<void()>> Operation() {
        const QList<int> accounts = Accounts();
        const QList<int> members = Members();
        const QList<int> movements = Movements();
        const int kind = Pick(0, 11);
        const int account = PickOf(accounts);
        switch (kind) {
        case 0:
            return {QStringLiteral("income/expense"),
                    [=, this] { TFundRecords(account).SaveMovement(-1, Movement()); }};
        case 1: {
            TFundRecords::TTransferFields transfer;
            static_cast<TFundRecords::TMovementFields&>(transfer) = Movement();
            transfer.categoryId = TFundRecords::TransferCategory;
            transfer.out = Chance(50);
            transfer.otherAccountId = PickOf(accounts);
            return {QStringLiteral("transfer"), [=] {
                        if (transfer.otherAccountId != account) {
                            TFundRecords(account).SaveTransfer(-1, transfer);
                        }
                    }};
        }
        case 2:
            return {QStringLiteral("delete movement"), [=, this] {
                        if (!movements.isEmpty()) {
                            TFundRecords::DeleteMovement(PickOf(movements));
                        }
                    }};
        case 3: {
            TMemberRecords::TRecordFields record;
            record.day = QStringLiteral("2024-06-15");
            record.categoryId = PickOf(QList<int>{11, 12, 13});
            record.sum = Amount(2);
            return {QStringLiteral("member record"), [=] {
                        if (!members.isEmpty()) {
                            TMemberRecords(members.front()).SaveRecord(-1, record);
                        }
                    }};
        }
        case 4:
        case 5: {
            // A movement as the desks, stock-in or another program write them.
            const QString sql =
                QStringLiteral("INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,"
                               "AId3,Sum1,Sum2,Memo) VALUES (#2024-06-15#,%1,%2,0,1,%3,%4,0,%5,"
                               "%6,\"\")")
                    .arg(PickOf(QList<int>{1, 2, 3, 6, 7, 11, 12, 13, 16, 21, 22, 27}))
                    .arg(Chance(70) ? 0 : PickOf(QList<int>{1, 2}))
                    .arg(Party())
                    .arg(Party())
                    .arg(SignedAmount(), SignedAmount());
            return {sql, [=, this] { dm_->ExecSql(sql); }};
        }
        case 6:
        case 7: {
            if (movements.isEmpty()) {
                return {QStringLiteral("nothing"), [] {}};
            }
            const QString column = PickOf(
                QStringList{QStringLiteral("Flag"), QStringLiteral("CId1"), QStringLiteral("AId1"),
                            QStringLiteral("AId2"), QStringLiteral("Sum1"), QStringLiteral("Sum2"),
                            QStringLiteral("Memo")});
            QString value;
            if (column.startsWith(QLatin1String("Sum"))) {
                value = SignedAmount();
            } else if (column == QLatin1String("Flag")) {
                value = QString::number(Pick(0, 1));
            } else if (column == QLatin1String("CId1")) {
                value = QString::number(PickOf(QList<int>{1, 3, 6, 7, 16, 26}));
            } else if (column == QLatin1String("Memo")) {
                value = QStringLiteral("\"改\"");
            } else {
                value = QString::number(Party());
            }
            const QString sql = QStringLiteral("UPDATE TbFTransaction SET %1=%2 WHERE Id=%3")
                                    .arg(column, value)
                                    .arg(PickOf(movements));
            return {sql, [=, this] { dm_->ExecSql(sql); }};
        }
        case 8:
            if (accounts.size() >= MostAccounts) {
                return {QStringLiteral("nothing"), [] {}};
            }
            return {QStringLiteral("add account"), [this] {
                        TAccountStore::TAccountFields fields;
                        fields.name = QStringLiteral("账户%1").arg(++names_);
                        TAccountStore::SaveAccount(-1, fields);
                    }};
        case 9:
            return {QStringLiteral("delete account"),
                    [=] { TAccountStore::DeleteAccount(account); }};
        case 10:
            if (members.size() >= MostMembers) {
                return {QStringLiteral("nothing"), [] {}};
            }
            return {QStringLiteral("open member"), [this] {
                        OpenMember(QStringLiteral("M%1").arg(++names_), type_,
                                   Amount(2).toLatin1().constData(),
                                   Amount(2).toLatin1().constData());
                    }};
        default:
            return {QStringLiteral("delete member"), [=, this] {
                        if (!members.isEmpty()) {
                            TMemberStore(cashier_).DeleteMember(PickOf(members));
                        }
                    }};
        }
    }

    std::mt19937 random_{20240615};
    int names_ = 0;
    int type_ = 0;
};

TEST_F(BalanceKeepingTest, KeptBalancesFollowMixedOperationsFailuresAndRollbacks) {
    constexpr int Steps = 2000;
    dm_->ExecSql(QStringLiteral("PRAGMA synchronous=OFF")); // speed only; nothing is cut off
    type_ = AddType("月卡", 30, "30", 10);
    AddAccount(QStringLiteral("工行"));
    const QStringList actions = {QStringLiteral("INSERT"), QStringLiteral("UPDATE"),
                                 QStringLiteral("DELETE")};
    const QStringList tables = {QStringLiteral("TbFTransaction"), QStringLiteral("TbBalance"),
                                QStringLiteral("TbAccount"), QStringLiteral("TbAssociator")};
    int failed = 0;
    int rolledBack = 0;
    for (int step = 0; step < Steps && !HasFailure(); ++step) {
        auto [what, run] = Operation();
        const int mode = Pick(1, 100);
        QString failing;
        if (mode <= 15) {
            failing = PickOf(actions) + u' ' + PickOf(tables);
            FailOn(failing.section(u' ', 0, 0).toLatin1().constData(),
                   failing.section(u' ', 1).toLatin1().constData());
        }
        bool abandoned = mode > 90;
        try {
            if (abandoned) {
                // Done inside a commit that is then abandoned.
                TDM::TTransaction transaction(*dm_);
                run();
                ++rolledBack;
            } else {
                run();
            }
        } catch (const EVintorError&) {
            ++failed;
            abandoned = true;
        }
        if (!failing.isEmpty()) {
            dm_->ExecSql(QStringLiteral("DROP TRIGGER fail_%1_%2")
                             .arg(failing.section(u' ', 0, 0), failing.section(u' ', 1)));
            LedgerBalances::Stamp(*dm_); // the failure trigger was the only schema change
        }
        if (abandoned) {
            BalanceWatch::ExpectKept(dm_->DbBase); // a commit has had it checked already
        }
        TAccount account;
        account.Id = PickOf(Accounts());
        EXPECT_EQ(account.Balance(), account.CountedBalance());
        if (HasFailure()) {
            ADD_FAILURE() << "step " << step << ": " << what.toStdString()
                          << (failing.isEmpty() ? "" : " failing on ") << failing.toStdString();
        }
    }
    // The mix reached every path: failures, rollbacks, and money in many accounts.
    EXPECT_GT(failed, 30) << failed << " failed, " << rolledBack << " rolled back";
    EXPECT_GT(rolledBack, 100) << rolledBack;
    EXPECT_GT(Count(QStringLiteral("TbFTransaction")), 100);
    EXPECT_GT(Count(QStringLiteral("TbBalance"), QStringLiteral("Total<>0")), 3);
    EXPECT_TRUE(LedgerBalances::Trusted(*dm_));
}

} // namespace
