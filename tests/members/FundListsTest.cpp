#include "tests/members/MembersFixture.h"

#include "members/FundLists.h"
#include "members/FundRecords.h"
#include "storage/dao/DM.h"
#include "storage/grid/GridData.h"
#include "storage/records/Account.h"

#include <optional>

namespace {

const QDate Today(2024, 6, 15);

// A row as the list shows it: date, category, operator, counterpart, amount.
QStringList Shown(const char* day, const char* category, const char* counterpart, const char* sum) {
    return {QLatin1String(day),       QString::fromUtf8(category),
            QStringLiteral("管理员"), QString::fromUtf8(counterpart),
            QLatin1String(sum),       QString()};
}

} // namespace

// The cash box and a bank account "工行" (2), the members 会员A (1) and 会员B
// (2, the bank's Id as well) and one movement of every kind the list shows
// differently.
class FundListsTest : public MembersTest {
protected:
    void SetUp() override {
        MembersTest::SetUp();
        bank_ = AddAccount(QStringLiteral("工行"));
        memberA_ = InsertMember(QStringLiteral("A"), 1, 30, "0");
        memberB_ = InsertMember(QStringLiteral("B"), 1, 30, "0");
        ASSERT_EQ(memberB_, bank_);
        // A settled rental of 会员A: 30.00 deposit back, 5.00 rent kept.
        Insert(1, 0, TAccount::CashBoxId, 0, memberA_, "30", "-5", "2024-06-14");
        // A walk-in rental out.
        Insert(2, 0, TAccount::CashBoxId, 0, 0, "20", "0", "2024-06-14");
        // 会员B pays 30.00 into the cash box: a member movement naming the
        // member in AId1, where an account movement names its account.
        Insert(11, 1, memberB_, TAccount::CashBoxId, memberB_, "-30", "30", "2024-06-15");
        TFundRecords::TTransferFields transfer;
        transfer.day = QStringLiteral("2024-06-15");
        transfer.operatorId = 1;
        transfer.otherAccountId = bank_;
        transfer.sum = QStringLiteral("100");
        ASSERT_TRUE(TFundRecords(TAccount::CashBoxId).SaveTransfer(-1, transfer).Ok());
        TFundRecords::TMovementFields income;
        income.day = QStringLiteral("2024-06-15");
        income.categoryId = 26;
        income.operatorId = 1;
        income.sum = QStringLiteral("7");
        ASSERT_TRUE(TFundRecords(TAccount::CashBoxId).SaveMovement(-1, income).Ok());
        TFundRecords::TMovementFields rent = income;
        rent.day = QStringLiteral("2024-06-14");
        rent.categoryId = 27;
        rent.sum = QStringLiteral("10");
        ASSERT_TRUE(TFundRecords(bank_).SaveMovement(-1, rent).Ok());
    }
    void Insert(int category, int flag, int aId1, int aId2, int aId3, const char* sum1,
                const char* sum2, const char* day) {
        dm_->ExecSql(QStringLiteral("INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,"
                                    "AId2,AId3,Sum1,Sum2,Memo) VALUES (#%1#,%2,%3,0,1,%4,%5,%6,"
                                    "%7,%8,\"\")")
                         .arg(QLatin1String(day))
                         .arg(category)
                         .arg(flag)
                         .arg(aId1)
                         .arg(aId2)
                         .arg(aId3)
                         .arg(QLatin1String(sum1), QLatin1String(sum2)));
    }
    static Currency Balance(int account) {
        TAccount row;
        EXPECT_TRUE(row.LoadById(account));
        return row.Balance();
    }
    // The account's list as shown, in date order, with a column filtered.
    QList<QStringList> List(int account, const std::optional<QDate>& since = std::nullopt,
                            int column = -1, const QString& filter = {}) {
        TGridData grid(&dm_->DbBase);
        grid.SetColumns(FundLists::Columns());
        grid.SetSql(FundLists::Select(account), FundLists::Where(account, since), FundLists::Key);
        grid.Reload();
        if (column >= 0) {
            EXPECT_TRUE(grid.SetFilter(column, filter));
        }
        return grid.Texts();
    }

    int bank_ = 0;
    int memberA_ = 0;
    int memberB_ = 0;
};

TEST_F(FundListsTest, EachAccountShowsItsMovementsFromItsOwnSideWithTheOtherParty) {
    const QList<QStringList> cashBox = List(TAccount::CashBoxId);
    ASSERT_EQ(cashBox.size(), 5);
    // The rent kept of a settled rental, the renter or the walk-in renter, the
    // paying member, the transfer out to the bank, an income without another
    // party.
    EXPECT_EQ(cashBox[0], Shown("2024-06-14", "返还", "会员A", "5.00"));
    EXPECT_EQ(cashBox[1], Shown("2024-06-14", "出租", "零租用户", "20.00"));
    EXPECT_EQ(cashBox[2].mid(3, 2),
              (QStringList{QStringLiteral("会员B"), QStringLiteral("30.00")}));
    EXPECT_EQ(cashBox[3].mid(3, 2),
              (QStringList{QStringLiteral("工行"), QStringLiteral("-100.00")}));
    EXPECT_EQ(cashBox[4].mid(3, 2), (QStringList{QString(), QStringLiteral("7.00")}));

    // The same transfer into the bank; 会员B's payment is no movement of the
    // bank although its AId1 is the bank's Id.
    const QList<QStringList> bank = List(bank_);
    ASSERT_EQ(bank.size(), 2);
    EXPECT_EQ(bank[0].mid(3, 2), (QStringList{QString(), QStringLiteral("-10.00")}));
    EXPECT_EQ(bank[1].mid(3, 2), (QStringList{QStringLiteral("收银箱"), QStringLiteral("100.00")}));

    // The counterpart and the amount filter by what they show, though they
    // sort by the other side's Id and by Sum1.
    EXPECT_EQ(List(TAccount::CashBoxId, std::nullopt, FundLists::CounterpartColumn,
                   QStringLiteral("会员"))
                  .size(),
              2);
    EXPECT_EQ(
        List(bank_, std::nullopt, FundLists::CounterpartColumn, QStringLiteral("收银")).size(), 1);
    EXPECT_EQ(List(bank_, std::nullopt, FundLists::SumColumn, QStringLiteral("100")), bank.mid(1));
    EXPECT_EQ(List(TAccount::CashBoxId, std::nullopt, FundLists::SumColumn, QStringLiteral("5")),
              cashBox.mid(0, 1));
}

TEST_F(FundListsTest, AStartDayHidesEarlierRowsWhileTheFootersCountAndTotalThemAll) {
    EXPECT_EQ(List(TAccount::CashBoxId, Today).size(), 3);
    EXPECT_EQ(List(bank_, Today).size(), 1);
    EXPECT_EQ(List(bank_, Today.addDays(1)).size(), 0);

    // Every row of the list counted, whatever the period; the balance is the
    // account's: the rental's deposit counts as nothing, only its rent.
    EXPECT_EQ(FundLists::MovementCount(TAccount::CashBoxId), 5);
    EXPECT_EQ(FundLists::MovementCount(bank_), 2);
    EXPECT_EQ(FundLists::Footer(TAccount::CashBoxId, Balance(TAccount::CashBoxId)),
              (FundLists::TFooter{{FundLists::DayColumn, QStringLiteral("总数:5")},
                                  {FundLists::SumColumn, QStringLiteral("合计:-38.00")}}));
    EXPECT_EQ(FundLists::Footer(bank_, Balance(bank_)),
              (FundLists::TFooter{{FundLists::DayColumn, QStringLiteral("总数:2")},
                                  {FundLists::SumColumn, QStringLiteral("合计:90.00")}}));

    // A movement naming the cash box on both sides is one row, counted once.
    Insert(16, 0, TAccount::CashBoxId, TAccount::CashBoxId, 0, "-1", "1", "2024-06-15");
    EXPECT_EQ(List(TAccount::CashBoxId).size(), 6);
    EXPECT_EQ(FundLists::MovementCount(TAccount::CashBoxId), 6);
}
