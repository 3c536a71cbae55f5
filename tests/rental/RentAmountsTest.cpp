#include "rental/RentAmounts.h"
#include "rental/RentObject.h"
#include "storage/ScriptedPrompter.h"
#include "storage/records/Operator.h"
#include "storage/records/Printer.h"
#include "storage/records/ShopInfo.h"

#include <gtest/gtest.h>

using namespace RentAmounts;

namespace {

const QString refundTooLarge = QStringLiteral("实退押金不能大于押金，请重新输入！");

// A rental engine holding a deposit of 30 and the previous figures of a
// customer, with the errors it shows collected.
class RentAmountsTest : public ::testing::Test {
protected:
    RentAmountsTest() : rent_(printer_, shop_, cashier_) {
        rent_.DepositTotal = Currency::FromWhole(30);
        rent_.Received = Currency::FromWhole(1);
        rent_.Refund = Currency::FromWhole(2);
        rent_.Memo = QStringLiteral("旧说明");
    }
    QStringList Errors() const { return prompter_.Texts(TScriptedPrompter::Kind::Error); }

    TPrinter printer_;
    TShopInfo shop_;
    TOperator cashier_;
    TRentObject rent_;
    TScriptedPrompter prompter_;
    TPrompterScope scope_{prompter_};
};

TEST(RentAmounts, TheRefundFollowsWhatTheReceivedAmountLeavesOfTheDeposit) {
    const Currency deposit = Currency::FromWhole(30);
    EXPECT_EQ(FollowingRefund(deposit, Currency::FromRaw(45000)), Currency::FromRaw(255000));
    EXPECT_EQ(FollowingRefund(deposit, deposit), Currency());
    EXPECT_EQ(FollowingRefund(deposit, Currency::FromWhole(31)), Currency());
    EXPECT_EQ(ReceivedCaption(TRentObject::Idle), QStringLiteral("实收金额"));
    EXPECT_EQ(ReceivedCaption(TRentObject::Returning), QStringLiteral("实收租金"));
    EXPECT_EQ(ReceivedCaption(TRentObject::Renting), QStringLiteral("实收押金"));
}

TEST_F(RentAmountsTest, TypingTheReceivedAmountMovesTheRefundOnlyWhileReturning) {
    rent_.State = TRentObject::Returning;
    EXPECT_TRUE(TypeReceived(rent_, QStringLiteral("4.5")));
    EXPECT_EQ(rent_.Received, Currency::FromRaw(45000));
    EXPECT_EQ(rent_.Refund, Currency::FromRaw(255000));
    EXPECT_TRUE(TypeReceived(rent_, QString())); // empty counts as 0
    EXPECT_EQ(rent_.Received, Currency());
    EXPECT_EQ(rent_.Refund, Currency::FromWhole(30));

    rent_.State = TRentObject::Renting;
    EXPECT_TRUE(TypeReceived(rent_, QStringLiteral("40")));
    EXPECT_EQ(rent_.Received, Currency::FromWhole(40));
    EXPECT_EQ(rent_.Refund, Currency::FromWhole(30));
    EXPECT_EQ(rent_.Memo, QStringLiteral("旧说明"));
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(RentAmountsTest, ABadReceivedAmountIsReportedUnderTheStatesCaptionAndChangesNothing) {
    rent_.State = TRentObject::Renting;
    EXPECT_FALSE(TypeReceived(rent_, QStringLiteral("4.5元")));
    rent_.State = TRentObject::Returning;
    EXPECT_FALSE(
        BeforeCommit(rent_, QStringLiteral("abc"), QStringLiteral("5"), QStringLiteral("新说明")));
    EXPECT_EQ(Errors(), (QStringList{QStringLiteral("“\"实收押金\"”输入不正确，请重新输入。"),
                                     QStringLiteral("“\"实收租金\"”输入不正确，请重新输入。")}));
    EXPECT_EQ(rent_.Received, Currency::FromWhole(1));
    EXPECT_EQ(rent_.Refund, Currency::FromWhole(2));
    EXPECT_EQ(rent_.Memo, QStringLiteral("旧说明"));
}

TEST_F(RentAmountsTest, BeforeACommitTheRefundAndMemoAreTakenUpToTheDeposit) {
    rent_.State = TRentObject::Returning;
    // The typed refund stands; it does not follow the received amount here.
    EXPECT_TRUE(
        BeforeCommit(rent_, QStringLiteral("4.5"), QStringLiteral("30"), QStringLiteral("新说明")));
    EXPECT_EQ(rent_.Received, Currency::FromRaw(45000));
    EXPECT_EQ(rent_.Refund, Currency::FromWhole(30));
    EXPECT_EQ(rent_.Memo, QStringLiteral("新说明"));

    EXPECT_FALSE(BeforeCommit(rent_, QStringLiteral("6"), QStringLiteral("30.0001"),
                              QStringLiteral("再改")));
    EXPECT_FALSE(TakeRefund(rent_, QStringLiteral("-"), QStringLiteral("再改")));
    EXPECT_EQ(Errors(), (QStringList{refundTooLarge,
                                     QStringLiteral("“\"实退押金\"”输入不正确，请重新输入。")}));
    EXPECT_EQ(rent_.Received, Currency::FromWhole(6));
    EXPECT_EQ(rent_.Refund, Currency::FromWhole(30));
    EXPECT_EQ(rent_.Memo, QStringLiteral("新说明"));

    EXPECT_TRUE(TakeRefund(rent_, QString(), QString()));
    EXPECT_EQ(rent_.Refund, Currency());
    EXPECT_TRUE(rent_.Memo.isEmpty());
}

} // namespace
