#include "tests/members/MembersFixture.h"

#include "members/MemberDetails.h"
#include "members/MemberLists.h"
#include "members/MemberRecords.h"
#include "storage/grid/GridData.h"
#include "storage/records/Associator.h"

#include <sqlite3.h>

namespace {

class MemberListsTest : public MembersTest {
protected:
    // A title out, returned or cancelled (line state 2, 1, 3) with `member`.
    void AddLine(int member, const QString& code, int state) {
        dm_->ExecSql(QStringLiteral("INSERT INTO TbRentCd (Code,Name,Spell,Day,Alias1,Alias2,CId,"
                                    "FId,Status,Director,Player,[Number],Price,Power,Memo) VALUES "
                                    "(\"%1\",\"片%1\",\"\",#2024-01-01#,\"\",\"\",1,1,2,\"\",\"\","
                                    "1,20,1,\"\")")
                         .arg(code));
        dm_->ExecSql(QStringLiteral("INSERT INTO TbRTransaction (Sn,Day1,Day2,AId,CId1,CId2,FId,"
                                    "Deposit,Rent) VALUES (1,#2024-06-10#,#2024-06-12#,%1,%2,%3,0,"
                                    "0,0)")
                         .arg(member)
                         .arg(LastId("TbRentCd"))
                         .arg(state));
    }
    // The grid data of one member's list, read in its first column's order.
    std::unique_ptr<TGridData> List(const QList<TGridColumn>& columns, const QString& select,
                                    const QString& where) {
        auto data = std::make_unique<TGridData>(&dm_->DbBase);
        data->SetColumns(columns);
        data->SetSql(select, where, MemberLists::Key);
        data->Reload();
        return data;
    }
    // The steps of SQLite's plan for a Jet SELECT.
    QString Plan(const QString& jet) {
        const QByteArray sql =
            ("EXPLAIN QUERY PLAN " + dm_->DbBase.Translate(jet).statements.value(0)).toUtf8();
        sqlite3_stmt* statement = nullptr;
        EXPECT_EQ(
            sqlite3_prepare_v2(dm_->DbBase.Handle(), sql.constData(), -1, &statement, nullptr),
            SQLITE_OK);
        QStringList steps;
        while (statement && sqlite3_step(statement) == SQLITE_ROW) {
            steps << QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement, 3)));
        }
        sqlite3_finalize(statement);
        return steps.join(QStringLiteral("; "));
    }
    QStringList ColumnTexts(TGridData& data, int column) {
        QStringList texts;
        for (int row = 0; row < data.RowCount(); ++row) {
            texts << data.Text(row, column);
        }
        return texts;
    }
};

} // namespace

TEST_F(MemberListsTest, TheMemberListShowsTypesAndCountsEveryMember) {
    const int type = AddType("月卡", 30, "30", 10);
    OpenMember(QStringLiteral("M2"), type, "30", "50");
    InsertMember(QStringLiteral("M1"), 999, 5, "2.5"); // its type is gone
    auto data = List(MemberLists::MemberColumns(), MemberLists::MemberSelect(), QString());
    ASSERT_EQ(data->RowCount(), 2);
    EXPECT_EQ(ColumnTexts(*data, 0), (QStringList{"M1", "M2"}));
    EXPECT_EQ(ColumnTexts(*data, 2), (QStringList{"", "月卡"}));
    EXPECT_EQ(ColumnTexts(*data, 3), (QStringList{"2.5", "10"})); // discs as stored
    EXPECT_EQ(data->Text(1, 5), QStringLiteral("50.00"));
    // Sorting by the name or the type reaches the right table.
    EXPECT_TRUE(data->ToggleSort(2));
    data->Reload();
    EXPECT_EQ(ColumnTexts(*data, 0), (QStringList{"M1", "M2"}));
    EXPECT_TRUE(data->ToggleSort(1));
    data->Reload();
    EXPECT_EQ(data->Sql().count(QStringLiteral("A.Name")), 2) << data->Sql().toStdString();
    EXPECT_EQ(MemberLists::MemberFooter(), (MemberLists::TFooter{{0, QStringLiteral("总数:2")}}));
}

TEST_F(MemberListsTest, FeeRecordsOfOneMemberWithTheirCountAndSum) {
    const int type = AddType("月卡", 30, "30", 10);
    const int member = OpenMember(QStringLiteral("M1"), type, "30", "50");
    const int other = OpenMember(QStringLiteral("M2"), type, "99");
    TMemberRecords::TRecordFields refund;
    refund.day = QStringLiteral("2024-06-14");
    refund.categoryId = MemberMovement::RefundCategory;
    refund.operatorId = cashier_.Id;
    refund.sum = QStringLiteral("12.5");
    refund.memo = QStringLiteral("退卡");
    ASSERT_TRUE(TMemberRecords(member).SaveRecord(-1, refund).Ok());

    auto data =
        List(MemberLists::FeeColumns(), MemberLists::FeeSelect(), MemberLists::FeeWhere(member));
    ASSERT_EQ(data->RowCount(), 3);
    EXPECT_EQ(ColumnTexts(*data, 0), (QStringList{"2024-06-14", "2024-06-15", "2024-06-15"}));
    EXPECT_EQ(ColumnTexts(*data, 2), (QStringList{"-12.50", "30.00", "50.00"}));
    EXPECT_EQ(data->Text(0, 1), QStringLiteral("会员退费"));
    EXPECT_EQ(data->Text(0, 3), cashier_.Name);
    EXPECT_FALSE(data->Text(0, 4).isEmpty()); // the cash box
    EXPECT_EQ(data->Text(0, 5), QStringLiteral("退卡"));
    // The memo column cannot be sorted: order and mark stay.
    const QString sql = data->Sql();
    EXPECT_FALSE(data->ToggleSort(5));
    EXPECT_EQ(data->Sql(), sql);
    EXPECT_EQ(data->Sort().SortedColumn(), 0);

    EXPECT_EQ(
        MemberLists::FeeFooter(member),
        (MemberLists::TFooter{{0, QStringLiteral("总数:3")}, {2, QStringLiteral("总计:67.50")}}));
    EXPECT_EQ(MemberLists::FeeFooter(other)[2], QStringLiteral("总计:99.00"));
    // Member 1 shares its Id with the cash box: its records are found by the
    // member column, never among the cash box's movements.
    ASSERT_EQ(member, 1);
    EXPECT_TRUE(Plan(QStringLiteral("SELECT Count(A.Id) As Count FROM TbFTransaction AS A WHERE ") +
                     MemberLists::FeeWhere(member))
                    .contains(QStringLiteral("IX_TbFTransaction_AId3")));
    EXPECT_EQ(MemberLists::FeeFooter(-1), (MemberLists::TFooter{{0, QStringLiteral("总数:0")},
                                                                {2, QStringLiteral("总计:0.00")}}));
}

TEST_F(MemberListsTest, RentalsOfOneMemberSortByStateAndAreCountedByState) {
    const int type = AddType("月卡", 30, "30", 10);
    const int member = OpenMember(QStringLiteral("M1"), type);
    const int other = OpenMember(QStringLiteral("M2"), type);
    AddLine(member, QStringLiteral("D1"), 2);
    AddLine(member, QStringLiteral("D2"), 1);
    AddLine(member, QStringLiteral("D3"), 3);
    AddLine(member, QStringLiteral("D4"), 2);
    AddLine(other, QStringLiteral("D5"), 2);

    auto data =
        List(MemberLists::RentColumns(), MemberLists::RentSelect(), MemberLists::RentWhere(member));
    EXPECT_TRUE(data->ToggleSort(5));
    data->Reload();
    EXPECT_EQ(ColumnTexts(*data, 2), (QStringList{"D2", "D1", "D4", "D3"}));
    EXPECT_EQ(ColumnTexts(*data, 5), (QStringList{"已还", "未还", "未还", "撤消"}));
    // A filter on the state tests the word the column shows.
    EXPECT_TRUE(data->SetFilter(5, QStringLiteral("未还")));
    EXPECT_EQ(ColumnTexts(*data, 2), (QStringList{"D1", "D4"}));
    data->ClearFilters();
    EXPECT_EQ(data->Text(0, 1), QStringLiteral("2024-06-12"));
    EXPECT_EQ(data->Text(0, 3), QStringLiteral("片D2"));
    EXPECT_EQ(MemberLists::RentFooter(member),
              (MemberLists::TFooter{{0, QStringLiteral("总数:4")},
                                    {1, QStringLiteral("未还:2")},
                                    {2, QStringLiteral("已还:1")},
                                    {3, QStringLiteral("撤消:1")}}));
    EXPECT_EQ(MemberLists::FeeExportName(QStringLiteral("张三")),
              QStringLiteral("张三-交费情况表"));
    EXPECT_EQ(MemberLists::RentExportName(QStringLiteral("张三")),
              QStringLiteral("张三-出租情况表"));
}

TEST_F(MemberListsTest, DetailsShowWhatTheTypeLimitsAndNeverChangeTheMember) {
    const int both = AddType("月卡", 30, "30", 10);
    const int unlimited = AddType("贵宾", 0, "0", 0, 5);
    TAssociator member;
    // The period ran out a week ago with 4 discs left.
    ASSERT_TRUE(member.LoadById(InsertMember(QStringLiteral("M1"), both, -7, "4")));
    member.Balance = Money("12.5");
    TMemberDetails details = TMemberDetails::Of(member);
    EXPECT_EQ(details.type, QStringLiteral("月卡"));
    EXPECT_EQ(details.days, QStringLiteral("0天"));
    EXPECT_EQ(details.number, QStringLiteral("0.0部"));
    EXPECT_EQ(details.balance, QStringLiteral("12.50元"));
    EXPECT_EQ(details.deposit, QStringLiteral("0.00元"));
    EXPECT_EQ(member.Number, Money("4")); // shown, not changed

    ASSERT_TRUE(member.LoadById(InsertMember(QStringLiteral("M2"), both, 5, "2.5")));
    details = TMemberDetails::Of(member);
    EXPECT_EQ(details.days, QStringLiteral("5天"));
    EXPECT_EQ(details.number, QStringLiteral("2.5部"));

    ASSERT_TRUE(member.LoadById(InsertMember(QStringLiteral("M3"), unlimited, -3, "7")));
    details = TMemberDetails::Of(member);
    EXPECT_EQ(details.days, QStringLiteral("无限制"));
    EXPECT_EQ(details.number, QStringLiteral("无限制"));
}
