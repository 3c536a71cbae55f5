#include "storage/Pinyin.h"
#include "storage/ScriptedPrompter.h"
#include "storage/records/Account.h"
#include "storage/records/Associator.h"
#include "storage/records/AtorType.h"
#include "storage/records/Category.h"
#include "storage/records/CdCategory.h"
#include "storage/records/Company.h"
#include "storage/records/DeleteMessages.h"
#include "storage/records/FTransaction.h"
#include "storage/records/Fee.h"
#include "storage/records/ITransaction.h"
#include "storage/records/Operator.h"
#include "storage/records/RTransaction.h"
#include "storage/records/RentCd.h"
#include "storage/records/STransaction.h"
#include "storage/records/SaleCd.h"
#include "tests/support/LedgerFixture.h"

#include <gtest/gtest.h>

namespace {

class RecordTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        prompter_ = std::make_unique<TPrompterScope>(answers_);
    }
    void TearDown() override {
        prompter_.reset();
        LedgerTest::TearDown();
    }

    TRentCd NewTitle(const QString& code, const QString& name) {
        TRentCd title;
        title.Code = code;
        title.Name = name;
        title.Day = QDate(2024, 1, 2);
        title.CId = 1;
        title.FId = 1;
        title.Price = Currency::FromWhole(20);
        title.Power = Currency::FromWhole(1);
        title.Save();
        return title;
    }
    int NewMovement(int kind, int account, Currency sum1, Currency sum2 = {}, int counter = 0) {
        TFTransaction movement;
        movement.Day = QDate(2024, 6, 1);
        movement.CId1 = kind;
        movement.CId3 = 1;
        movement.AId1 = account;
        movement.AId2 = counter;
        movement.Sum1 = sum1;
        movement.Sum2 = sum2;
        movement.Save();
        return movement.Id;
    }
    void StockIn(int sn, int title, int flag, int payment) {
        TITransaction line;
        line.Day = QDate(2024, 1, 2);
        line.CId1 = title;
        line.CId2 = flag == TITransaction::RentalLine ? 21 : 22;
        line.FId = payment;
        line.Flag = flag;
        line.Number = 1;
        line.Price = Currency::FromWhole(20);
        line.Sn = sn;
        line.Save();
    }
    void RentOut(int title, int member, int sn) {
        TRTransaction line;
        line.Day1 = line.Day2 = QDate(2024, 6, 10);
        line.AId = member;
        line.CId1 = title;
        line.Sn = sn;
        line.CId2 = 2;
        line.Save();
        dm_->ExecSql(QStringLiteral("UPDATE TbRentCd SET Status=2 WHERE Id=%1").arg(title));
    }

    TScriptedPrompter answers_;
    std::unique_ptr<TPrompterScope> prompter_;
};

Currency Money(int whole) {
    return Currency::FromWhole(whole);
}

} // namespace

TEST_F(RecordTest, SerialsFollowTheLargestKeyEvenAfterDeletes) {
    TRTransaction line;
    EXPECT_EQ(line.NextSerial(), 1);
    dm_->ExecSql(QStringLiteral("INSERT INTO TbRTransaction (Id,Day1,Day2,AId,CId1,FId,Deposit,"
                                "Rent,Sn,CId2) VALUES (41,#2024-06-01#,#2024-06-01#,0,1,0,0,0,"
                                "1,2)"));
    dm_->ExecSql(QStringLiteral("INSERT INTO TbRTransaction (Id,Day1,Day2,AId,CId1,FId,Deposit,"
                                "Rent,Sn,CId2) VALUES (7,#2024-06-01#,#2024-06-01#,0,1,0,0,0,1,"
                                "2)"));
    dm_->ExecSql(QStringLiteral("DELETE * FROM TbRTransaction WHERE Id=7"));
    EXPECT_EQ(line.NextSerial(), 42);
}

TEST_F(RecordTest, SavingTwiceInsertsOnceAndSpellFollowsTheName) {
    TRentCd title = NewTitle(QStringLiteral("0001"), QStringLiteral("少林寺"));
    const int id = title.Id;
    EXPECT_GT(id, 0);
    EXPECT_EQ(title.Spell, QStringLiteral("SLS"));
    title.Name = QStringLiteral("他说\"好\"");
    title.Spell = QStringLiteral("ignored");
    title.Save();
    EXPECT_EQ(title.Id, id);
    EXPECT_EQ(Count(QStringLiteral("TbRentCd")), 1);

    TRentCd again;
    ASSERT_EQ(again.LoadByCode(QStringLiteral("0001")), id);
    EXPECT_EQ(again.Name, QStringLiteral("他说\"好\""));
    EXPECT_EQ(Value(QStringLiteral("SELECT Spell AS V FROM TbRentCd WHERE Code=\"0001\"")),
              PinyinInitials(again.Name));
    EXPECT_EQ(again.Price, Money(20));
    EXPECT_EQ(again.Day, QDate(2024, 1, 2));
    EXPECT_EQ(again.Category.Id, 1); // linked records come with the load
    EXPECT_EQ(again.Fee.Id, 1);

    // A save of a key that no longer exists inserts a new row.
    dm_->ExecSql(QStringLiteral("DELETE * FROM TbRentCd"));
    again.Save();
    EXPECT_EQ(Count(QStringLiteral("TbRentCd")), 1);
    EXPECT_NE(again.Id, id);
}

TEST_F(RecordTest, FailedLoadsKeepWhatTheObjectHeld) {
    TRentCd title = NewTitle(QStringLiteral("0001"), QStringLiteral("英雄"));
    EXPECT_FALSE(title.LoadById(999));
    EXPECT_EQ(title.Id, 999);
    EXPECT_EQ(title.Name, QStringLiteral("英雄"));
    title.Id = 5;
    EXPECT_EQ(title.LoadByCode(QStringLiteral("nope\"")), -1);
    EXPECT_EQ(title.Id, 5);
    EXPECT_EQ(title.Code, QStringLiteral("0001"));
}

TEST_F(RecordTest, StatusTextAndAssign) {
    TRentCd title = NewTitle(QStringLiteral("0001"), QStringLiteral("英雄"));
    EXPECT_EQ(title.StatusText(), QStringLiteral("未租"));
    title.Status = TRentCd::RentedOut;
    EXPECT_EQ(title.StatusText(), QStringLiteral("已租"));
    title.Status = TRentCd::WrittenOff;
    EXPECT_EQ(title.StatusText(), QStringLiteral("注销"));
    title.Status = 9;
    EXPECT_EQ(title.StatusText(QStringLiteral("x")), QStringLiteral("x"));

    TRentCd copy;
    copy.Spell = QStringLiteral("KEEP");
    copy.Assign(title);
    EXPECT_EQ(copy.Id, title.Id);
    EXPECT_EQ(copy.Name, title.Name);
    EXPECT_EQ(copy.Spell, QStringLiteral("KEEP"));
    EXPECT_EQ(copy.Category.Id, -1);

    TRTransaction line;
    line.AId = 3;
    line.Deposit = Money(5);
    line.RentCd = title;
    line.Selected = true;
    line.Days = 4;
    TRTransaction duplicate;
    duplicate.Assign(line);
    EXPECT_EQ(duplicate.AId, 3);
    EXPECT_EQ(duplicate.Deposit, Money(5));
    EXPECT_EQ(duplicate.RentCd.Id, -1);
    EXPECT_FALSE(duplicate.Selected);
}

TEST_F(RecordTest, OperatorFlagsAreSetExactlyWhenTheColumnHoldsOne) {
    dm_->ExecSql(
        QStringLiteral("INSERT INTO TbOperator (Name,[Password]) VALUES (\"小李\",\"x\")"));
    const int id = Value(QStringLiteral("SELECT Max(Id) AS V FROM TbOperator")).toInt();
    dm_->ExecSql(QStringLiteral("UPDATE TbOperator SET Op3=1,Op4=2,Op50=1 WHERE Id=%1").arg(id));
    TOperator op;
    ASSERT_TRUE(op.LoadById(id));
    EXPECT_TRUE(op.Has(3));
    EXPECT_FALSE(op.Has(4)); // 2 is not 1
    EXPECT_TRUE(op.Has(50));
    EXPECT_FALSE(op.Has(51));
    op.Op[4] = true;
    op.Op[50] = false;
    op.Save();
    EXPECT_EQ(Value(QStringLiteral("SELECT Op4 AS V FROM TbOperator WHERE Id=%1").arg(id)),
              QStringLiteral("1"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Op50 AS V FROM TbOperator WHERE Id=%1").arg(id)),
              QStringLiteral("0"));
}

TEST_F(RecordTest, GuardsRefuseAndNameTheirReason) {
    TOperator admin;
    admin.LoadById(1);
    EXPECT_EQ(admin.Delete(), DeleteSystemRow);
    EXPECT_EQ(DeleteMessages::Text(admin.TableName(), DeleteSystemRow),
              QStringLiteral("管理员不能删除。"));

    TAccount cashBox;
    cashBox.LoadById(TAccount::CashBoxId);
    EXPECT_EQ(cashBox.Delete(), DeleteSystemRow);
    EXPECT_FALSE(DeleteMessages::Report(cashBox, DeleteSystemRow));
    EXPECT_EQ(answers_.Texts(TScriptedPrompter::Kind::Warning),
              QStringList{QStringLiteral("收银箱是系统账户，不能删除。")});

    TCategory rentalKind;
    rentalKind.LoadById(2);
    EXPECT_EQ(rentalKind.Delete(), DeleteSystemRow);
    TCategory transferKind;
    transferKind.LoadById(16);
    EXPECT_EQ(transferKind.Delete(), DeleteSystemRow);

    // A disc category with sub-categories answers 1 even when it is in use too.
    NewTitle(QStringLiteral("0001"), QStringLiteral("英雄"));
    TCdCategory top;
    top.Name = QStringLiteral("顶层");
    top.Save();
    TCdCategory sub;
    sub.Name = QStringLiteral("下层");
    sub.SubId = top.Id;
    sub.Save();
    dm_->ExecSql(QStringLiteral("UPDATE TbRentCd SET CId=%1").arg(top.Id));
    EXPECT_EQ(top.Delete(), DeleteHasSubCategories);
    EXPECT_EQ(sub.Delete(), DeleteDone);
    EXPECT_EQ(top.Delete(), DeleteInUse);

    TFee fee;
    fee.LoadById(1);
    EXPECT_EQ(fee.Delete(), DeleteInUse);

    TAtorType type;
    type.LoadById(1);
    TAssociator member;
    member.Code = QStringLiteral("A1");
    member.Name = QStringLiteral("张三");
    member.AId = 1;
    member.LastDay = QDate(2024, 6, 1);
    member.Save();
    EXPECT_EQ(type.Delete(), DeleteInUse);

    TCompany supplier;
    supplier.Name = QStringLiteral("供应商");
    supplier.Save();
    TFTransaction purchase;
    purchase.CId1 = 21;
    purchase.CId2 = supplier.Id;
    purchase.Day = QDate(2024, 6, 1);
    purchase.Save();
    EXPECT_EQ(supplier.Delete(), DeleteInUse);

    EXPECT_EQ(Count(QStringLiteral("TbCdCategory"), QStringLiteral("Id=%1").arg(top.Id)), 1);
    EXPECT_EQ(Count(QStringLiteral("TbOperator"), QStringLiteral("Id=1")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbAccount"), QStringLiteral("Id=1")), 1);
}

TEST_F(RecordTest, DeletingAMemberReturnsItsDiscsAndRemovesItsMovements) {
    TAssociator member;
    member.Code = QStringLiteral("A1");
    member.Name = QStringLiteral("张三");
    member.AId = 1;
    member.LastDay = QDate(2024, 6, 1);
    member.Save();
    const TRentCd held = NewTitle(QStringLiteral("0001"), QStringLiteral("英雄"));
    const TRentCd other = NewTitle(QStringLiteral("0002"), QStringLiteral("少林寺"));
    RentOut(held.Id, member.Id, 1);
    RentOut(other.Id, 0, 2); // a walk-in renter's disc stays out
    TFTransaction payment;
    payment.Day = QDate(2024, 6, 1);
    payment.CId1 = 11;
    payment.Flag = TFTransaction::MemberMovement;
    payment.AId1 = payment.AId3 = member.Id;
    payment.AId2 = 1;
    payment.Save();

    EXPECT_EQ(member.Delete(), DeleteDone);
    EXPECT_EQ(Value(QStringLiteral("SELECT Status AS V FROM TbRentCd WHERE Id=%1").arg(held.Id)),
              QStringLiteral("1"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Status AS V FROM TbRentCd WHERE Id=%1").arg(other.Id)),
              QStringLiteral("2"));
    EXPECT_EQ(Count(QStringLiteral("TbRTransaction")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("AId3=%1").arg(member.Id)), 0);
    EXPECT_EQ(Count(QStringLiteral("TbAssociator")), 0);
}

TEST_F(RecordTest, ARentedTitleCannotBeDeleted) {
    TRentCd title = NewTitle(QStringLiteral("0001"), QStringLiteral("英雄"));
    RentOut(title.Id, 0, 1);
    EXPECT_EQ(title.Delete(), DeleteInUse);
    EXPECT_TRUE(answers_.Messages().isEmpty()); // refused before any question
    EXPECT_EQ(Count(QStringLiteral("TbRentCd")), 1);
}

TEST_F(RecordTest, ATitleAloneInItsBatchTakesItsPaymentOnlyWhenTheOperatorSaysYes) {
    for (bool yes : {true, false}) {
        SCOPED_TRACE(yes);
        dm_->ExecSql(QStringLiteral("DELETE * FROM TbFTransaction"));
        TRentCd title = NewTitle(QStringLiteral("0001"), QStringLiteral("英雄"));
        const int payment = NewMovement(21, 2, Money(-20));
        StockIn(1, title.Id, TITransaction::RentalLine, payment);
        answers_.Clear();
        answers_.QueueAnswer(yes);
        EXPECT_EQ(title.Delete(), DeleteDone);
        EXPECT_EQ(
            answers_.Texts(TScriptedPrompter::Kind::Question),
            QStringList{QStringLiteral("是否在删除此影片时，同时删除此影片进货时的资金记录？")});
        EXPECT_EQ(Count(QStringLiteral("TbFTransaction")), yes ? 0 : 1);
        EXPECT_EQ(Count(QStringLiteral("TbITransaction")), 0);
        EXPECT_EQ(Count(QStringLiteral("TbRentCd")), 0);
        TAccount bank;
        bank.Id = 2;
        EXPECT_EQ(bank.Balance(), yes ? Currency() : Money(-20));
    }
}

TEST_F(RecordTest, ATitleOfALargerBatchShrinksThePaymentOnYes) {
    const TRentCd first = NewTitle(QStringLiteral("0001"), QStringLiteral("英雄"));
    TRentCd second = NewTitle(QStringLiteral("0002"), QStringLiteral("少林寺"));
    const int payment = NewMovement(21, 2, Money(-40));
    StockIn(1, first.Id, TITransaction::RentalLine, payment);
    StockIn(1, second.Id, TITransaction::RentalLine, payment);
    answers_.QueueAnswer(true);
    EXPECT_EQ(second.Delete(), DeleteDone);
    EXPECT_EQ(
        answers_.Texts(TScriptedPrompter::Kind::Question),
        QStringList{QStringLiteral("是否在删除此影片时，重新修改影片进货时的资金记录金额？")});
    EXPECT_EQ(
        Value(QStringLiteral("SELECT Sum1 AS V FROM TbFTransaction WHERE Id=%1").arg(payment)),
        QStringLiteral("-20"));
    EXPECT_EQ(Count(QStringLiteral("TbITransaction")), 1);
}

TEST_F(RecordTest, RentalAndSaleTitlesWithTheSameKeyKeepTheirOwnStockInLines) {
    const TRentCd rental = NewTitle(QStringLiteral("0001"), QStringLiteral("英雄"));
    TSaleCd sale;
    sale.Code = QStringLiteral("S1");
    sale.Name = QStringLiteral("英雄");
    sale.Day = QDate(2024, 1, 2);
    sale.Save();
    ASSERT_EQ(sale.Id, rental.Id);
    const int rentalPayment = NewMovement(21, 2, Money(-20));
    const int salePayment = NewMovement(22, 2, Money(-30));
    StockIn(1, rental.Id, TITransaction::RentalLine, rentalPayment);
    StockIn(2, sale.Id, TITransaction::SaleLine, salePayment);

    EXPECT_EQ(sale.Delete(), DeleteDone);
    EXPECT_EQ(Count(QStringLiteral("TbITransaction"), QStringLiteral("Flag=0")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbITransaction"), QStringLiteral("Flag=1")), 0);

    TITransaction line;
    ASSERT_TRUE(line.LoadById(
        Value(QStringLiteral("SELECT Id AS V FROM TbITransaction WHERE Flag=0")).toInt()));
    EXPECT_EQ(line.RentCd.Code, QStringLiteral("0001")); // Flag 0 links the rental title
    EXPECT_EQ(line.SaleCd.Id, -1);
}

TEST_F(RecordTest, ASoldTitleCannotBeDeleted) {
    TSaleCd sale;
    sale.Code = QStringLiteral("S1");
    sale.Name = QStringLiteral("英雄");
    sale.Day = QDate(2024, 1, 2);
    sale.Save();
    TSTransaction line;
    line.Day = QDate(2024, 6, 1);
    line.CId1 = sale.Id;
    line.CId2 = 6;
    line.Number = 1;
    line.Save();
    EXPECT_EQ(sale.Delete(), DeleteInUse);
    TSTransaction loaded;
    ASSERT_TRUE(loaded.LoadById(line.Id));
    EXPECT_EQ(loaded.SaleCd.Code, QStringLiteral("S1"));
    EXPECT_EQ(loaded.Category.Id, 6);
}

TEST_F(RecordTest, BalancesCountEachKindOfMovement) {
    const Currency none;
    TAccount cashBox;
    cashBox.Id = TAccount::CashBoxId;
    TAccount bankAccount;
    bankAccount.Name = QStringLiteral("工商银行");
    bankAccount.Save();
    ASSERT_EQ(bankAccount.Id, 2);
    TAccount bank;
    bank.Id = 2;
    EXPECT_EQ(cashBox.Balance(), none);

    NewMovement(2, 1, Money(30), Money(0));       // a rental still out: its deposit
    NewMovement(1, 1, Money(30), Money(-8));      // a settled rental: its rent
    NewMovement(3, 1, Money(30), Money(0));       // a cancelled rental: nothing
    NewMovement(7, 1, Money(12), Money(0));       // a refunded sale: nothing
    NewMovement(6, 1, Money(25), Money(0));       // a sale
    NewMovement(16, 1, Money(-50), Money(50), 2); // the cash box pays 50 into the bank
    NewMovement(16, 2, Money(-5), Money(5), 1);   // the bank pays 5 into the cash box
    TFTransaction payment;                        // a member pays 100 into the cash box
    payment.Day = QDate(2024, 6, 1);
    payment.CId1 = 11;
    payment.Flag = TFTransaction::MemberMovement;
    payment.AId1 = payment.AId3 = 9;
    payment.AId2 = 1;
    payment.Sum1 = Money(-100);
    payment.Sum2 = Money(100);
    payment.Save();

    EXPECT_EQ(cashBox.Balance(), Money(30 + 8 + 25 - 50 + 5 + 100));
    EXPECT_EQ(bank.Balance(), Money(50 - 5));

    // Deleting the bank account takes both sides of its transfers with it.
    EXPECT_EQ(bankAccount.Delete(), DeleteDone);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("CId1=16")), 0);
    EXPECT_EQ(cashBox.Balance(), Money(30 + 8 + 25 + 100));
}

TEST_F(RecordTest, AMovementIsFoundByItsOpenRentalBill) {
    TFTransaction found;
    EXPECT_EQ(found.LoadByRentalSn(1), 0);
    const int movement = NewMovement(2, 1, Money(30));
    const TRentCd title = NewTitle(QStringLiteral("0001"), QStringLiteral("英雄"));
    TRTransaction line;
    line.Day1 = line.Day2 = QDate(2024, 6, 10);
    line.CId1 = title.Id;
    line.FId = movement;
    line.Sn = 4;
    line.CId2 = 2;
    line.Save();
    EXPECT_EQ(found.LoadByRentalSn(4), 1);
    EXPECT_EQ(found.Id, movement);
    EXPECT_EQ(found.Category.Id, 2);
    EXPECT_EQ(found.Account.Id, 1);
    EXPECT_EQ(found.Operator.Id, 1);
    EXPECT_EQ(found.Associator.Id, -1); // a walk-in renter has no member
    dm_->ExecSql(QStringLiteral("UPDATE TbRTransaction SET CId2=1"));
    TFTransaction settled;
    EXPECT_EQ(settled.LoadByRentalSn(4), 0);
}
