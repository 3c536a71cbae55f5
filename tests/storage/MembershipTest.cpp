#include "storage/Clock.h"
#include "storage/records/Associator.h"

#include <gtest/gtest.h>

namespace {

const QDate Today(2024, 6, 15);

Currency Money(const char* text) {
    return Currency::Parse(QString::fromUtf8(text)).value();
}

// A member of a type with the given period fee, days and discs per period.
class MembershipTest : public ::testing::Test {
protected:
    void SetUp() override { TClock::SetToday(Today); }
    void TearDown() override { TClock::Release(); }

    TAssociator Member(const char* fee, int days, int discs, int charging = 4) {
        TAssociator member;
        member.AtorType.T_Sum = Money(fee);
        member.AtorType.T_Day = days;
        member.AtorType.T_Num = discs;
        member.AtorType.Fee = charging;
        member.LastDay = Today.addDays(5);
        return member;
    }
};

} // namespace

TEST_F(MembershipTest, RemainingDaysNeverGoBelowZeroAndSettingCountsFromToday) {
    TAssociator member = Member("30", 30, 0);
    EXPECT_EQ(member.RemainingDays(), 5);
    member.LastDay = Today.addDays(-7);
    EXPECT_EQ(member.RemainingDays(), 0);
    // A run-out period set to 30 days runs 30 days from today, not from its old end.
    member.SetRemainingDays(30);
    EXPECT_EQ(member.LastDay, Today.addDays(30));
    member.SetRemainingDays(0);
    EXPECT_EQ(member.LastDay, Today);
}

TEST_F(MembershipTest, ARunOutPeriodDropsTheQuotaLeft) {
    TAssociator member = Member("30", 30, 10);
    member.Number = Money("4");
    EXPECT_EQ(member.RemainingNumber(), Money("4"));
    member.LastDay = Today.addDays(-1);
    EXPECT_EQ(member.RemainingNumber(), Currency());
    EXPECT_EQ(member.Number, Currency()); // in memory, stored at the next save

    // An overdrawn quota stays as it is; a type without a period keeps it too.
    member.Number = Money("-1.5");
    EXPECT_EQ(member.RemainingNumber(), Money("-1.5"));
    TAssociator numbersOnly = Member("30", 0, 10);
    numbersOnly.LastDay = Today.addDays(-100);
    numbersOnly.Number = Money("3");
    EXPECT_EQ(numbersOnly.RemainingNumber(), Money("3"));
    numbersOnly.SetRemainingNumber(Money("7"));
    EXPECT_EQ(numbersOnly.Number, Money("7"));
}

TEST_F(MembershipTest, DaysAndDiscsAreEachRoundedFromTheExactRatio) {
    TAssociator member = Member("30", 30, 10);
    member.ApplyPayment(Money("10"));
    EXPECT_EQ(member.LastDay, Today.addDays(5 + 10));
    EXPECT_EQ(member.Number, Money("3")); // rnd(3.33)
    member.RevokePayment(Money("10"));
    EXPECT_EQ(member.LastDay, Today.addDays(5));
    EXPECT_EQ(member.Number, Currency());

    // Halves go to the even neighbour: 15 / 30 * 5 = 2.5 -> 2, 45 / 30 * 5 = 7.5 -> 8.
    TAssociator halves = Member("30", 0, 5);
    halves.ApplyPayment(Money("15"));
    EXPECT_EQ(halves.Number, Money("2"));
    halves.ApplyPayment(Money("45"));
    EXPECT_EQ(halves.Number, Money("10"));
}

TEST_F(MembershipTest, APaymentAfterThePeriodRanOutStartsANewPeriodToday) {
    TAssociator member = Member("30", 30, 10);
    member.LastDay = Today.addDays(-7);
    member.Number = Money("4");
    member.ApplyPayment(Money("30"));
    EXPECT_EQ(member.LastDay, Today.addDays(30));
    EXPECT_EQ(member.Number, Money("10")); // the 4 expired discs are dropped

    // An overdrawn quota is carried into the new period by a payment...
    TAssociator overdrawn = Member("30", 30, 10);
    overdrawn.LastDay = Today.addDays(-1);
    overdrawn.Number = Money("-2");
    overdrawn.ApplyPayment(Money("30"));
    EXPECT_EQ(overdrawn.Number, Money("8"));
    // ...but cleared when a payment is taken back after the period ran out.
    TAssociator revoked = Member("30", 30, 10);
    revoked.LastDay = Today.addDays(-1);
    revoked.Number = Money("-2");
    revoked.RevokePayment(Money("30"));
    EXPECT_EQ(revoked.LastDay, Today.addDays(-30));
    EXPECT_EQ(revoked.Number, Money("-10"));
}

TEST_F(MembershipTest, FreeTypesAddOnePeriodWhateverThePayment) {
    TAssociator discs = Member("0", 0, 10);
    discs.ApplyPayment(Money("1"));
    discs.ApplyPayment(Money("999"));
    EXPECT_EQ(discs.Number, Money("20"));
    discs.RevokePayment(Money("5"));
    EXPECT_EQ(discs.Number, Money("10"));

    TAssociator days = Member("0", 30, 0);
    days.ApplyPayment(Money("50"));
    EXPECT_EQ(days.LastDay, Today.addDays(35));
    EXPECT_EQ(days.Number, Currency());

    TAssociator both = Member("0", 30, 10);
    both.ApplyPayment(Money("7"));
    EXPECT_EQ(both.LastDay, Today.addDays(35));
    EXPECT_EQ(both.Number, Money("10"));
}

TEST_F(MembershipTest, PrepaidAndUnlimitedTypes) {
    TAssociator prepaid = Member("30", 30, 10, 5);
    prepaid.ApplyPayment(Money("12.5"));
    EXPECT_EQ(prepaid.Balance, Money("12.5"));
    EXPECT_EQ(prepaid.LastDay, Today.addDays(5)); // the period is not touched
    EXPECT_EQ(prepaid.Number, Currency());
    prepaid.RevokePayment(Money("20"));
    EXPECT_EQ(prepaid.Balance, Money("-7.5"));
    TAssociator aboveFive = Member("30", 30, 10, 9);
    aboveFive.ApplyPayment(Money("3"));
    EXPECT_EQ(aboveFive.Balance, Money("3"));

    TAssociator unlimited = Member("30", 0, 0);
    unlimited.ApplyPayment(Money("30"));
    unlimited.RevokePayment(Money("60"));
    EXPECT_EQ(unlimited.LastDay, Today.addDays(5));
    EXPECT_EQ(unlimited.Number, Currency());
    EXPECT_EQ(unlimited.Balance, Currency());

    unlimited.Deposit = Money("50");
    unlimited.ReduceDeposit(Money("20"));
    EXPECT_EQ(unlimited.Deposit, Money("30"));
}
