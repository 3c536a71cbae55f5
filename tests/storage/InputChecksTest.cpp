#include "storage/InputChecks.h"
#include "storage/ScriptedPrompter.h"
#include "storage/dao/Format.h"
#include "storage/records/Associator.h"
#include "tests/support/LedgerFixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace InputChecks;

namespace {

using Kind = TScriptedPrompter::Kind;

const QString wrong = QStringLiteral("“\"单价\"”输入不正确，请重新输入。");
const QString zero = QStringLiteral("“\"单价\"”不能为零，请重新输入。");
const QString notHalf = QStringLiteral("“\"单价\"”输入不正确，应该为0.5的倍数。请重新输入。");

// Runs one check with a scripted prompter: the errors it showed, or an empty
// list when it accepted (a refusal without a message fails the test).
QStringList Refusals(const std::function<bool()>& check) {
    TScriptedPrompter prompter;
    TPrompterScope scope(prompter);
    const bool accepted = check();
    EXPECT_EQ(prompter.Texts(Kind::Error).size(), prompter.Messages().size());
    EXPECT_EQ(accepted, prompter.Messages().isEmpty());
    return prompter.Texts(Kind::Error);
}

QStringList Money(const char* text, bool zeroAllowed) {
    return Refusals(
        [&] { return CheckMoney(QStringLiteral("单价"), QString::fromUtf8(text), zeroAllowed); });
}

QStringList HalfStep(const char* text, bool zeroAllowed) {
    return Refusals([&] {
        return CheckHalfStep(QStringLiteral("单价"), QString::fromUtf8(text), zeroAllowed);
    });
}

QStringList Integer(const char* text, bool zeroAllowed) {
    return Refusals(
        [&] { return CheckInteger(QStringLiteral("单价"), QString::fromUtf8(text), zeroAllowed); });
}

} // namespace

TEST(InputChecks, EmptyTextIsRefusedWithTheFieldsCaption) {
    const QString empty = QStringLiteral("“\"会员名称\"”输入不能为空，请输入。");
    for (const char* text : {"", "   ", "\t", "\u3000"}) {
        EXPECT_EQ(Refusals([&] {
                      return CheckNotEmpty(QStringLiteral("会员名称"), QString::fromUtf8(text));
                  }),
                  QStringList{empty})
            << text;
    }
    EXPECT_TRUE(Refusals([] {
                    return CheckNotEmpty(QStringLiteral("会员名称"), QStringLiteral(" 张三 "));
                }).isEmpty());

    EXPECT_EQ(Refusals([] { return CheckChosen(QStringLiteral("会员类型"), QStringLiteral(" ")); }),
              QStringList{QStringLiteral("请先在“系统设置”中添加“会员类型”才能使用此功能。")});
    EXPECT_TRUE(Refusals([] {
                    return CheckChosen(QStringLiteral("会员类型"), QStringLiteral("金卡"));
                }).isEmpty());
}

TEST(InputChecks, IntegersAreWhole32BitNumbersAndZeroOnlyWhenAllowed) {
    EXPECT_TRUE(Integer("12", false).isEmpty());
    EXPECT_TRUE(Integer(" -3 ", false).isEmpty());
    EXPECT_TRUE(Integer("0", true).isEmpty());
    EXPECT_EQ(Integer("0", false), QStringList{zero});
    EXPECT_EQ(Integer("-0", false), QStringList{zero});
    for (const char* text : {"abc", "1.5", "", "1 2", "99999999999"}) {
        EXPECT_EQ(Integer(text, true), QStringList{wrong}) << text;
    }
}

TEST(InputChecks, DatesFollowTheShortDateFormat) {
    const QString bad = QStringLiteral("“\"开始日期\"”日期输入不正确，请重新输入。");
    for (const char* text : {"2024-02-29", "2024-6-1"}) {
        EXPECT_TRUE(Refusals([&] {
                        return CheckDate(QStringLiteral("开始日期"), QString::fromUtf8(text));
                    }).isEmpty())
            << text;
    }
    for (const char* text : {"2023-02-29", "2024/06/01", "06-01-2024", "", "昨天"}) {
        EXPECT_EQ(Refusals([&] {
                      return CheckDate(QStringLiteral("开始日期"), QString::fromUtf8(text));
                  }),
                  QStringList{bad})
            << text;
    }
}

TEST(InputChecks, MoneyTakesAtMostFourDecimalsAndZeroOnlyWhenAllowed) {
    for (const char* text : {"12", "1.2345", "1.23450", "-2.5", " 7 ", ".5"}) {
        EXPECT_TRUE(Money(text, false).isEmpty()) << text;
    }
    EXPECT_TRUE(Money("0", true).isEmpty());
    EXPECT_EQ(Money("0", false), QStringList{zero});
    EXPECT_EQ(Money("0.00", false), QStringList{zero});
    // A fifth decimal would be rounded away: the amount stored would not be the one typed.
    for (const char* text : {"abc", "1.23456", "1,5", "", "."}) {
        EXPECT_EQ(Money(text, true), QStringList{wrong}) << text;
    }
}

TEST(InputChecks, HalfStepsAreWholeMultiplesOfOneHalf) {
    for (const char* text : {"1.5", "2", "0.5", "-1.5", "3.0000"}) {
        EXPECT_TRUE(HalfStep(text, false).isEmpty()) << text;
    }
    for (const char* text : {"1.25", "0.3", "0.50001", "abc", ""}) {
        EXPECT_EQ(HalfStep(text, true), QStringList{notHalf}) << text;
    }
    EXPECT_TRUE(HalfStep("0", true).isEmpty());
    EXPECT_EQ(HalfStep("0", false), QStringList{zero});
}

TEST(InputChecks, MoneyStaysWithinWhatTheLedgerStoresExactly) {
    const QString tooLarge = QStringLiteral(
        "“\"单价\"”超出范围，不能大于500000000000，也不能小于-500000000000，请重新输入。");
    for (const char* text : {"500000000000", "-500000000000.0000", "499999999999.9999"}) {
        EXPECT_TRUE(Money(text, false).isEmpty()) << text;
    }
    for (const char* text :
         {"500000000000.0001", "-500000000000.0001", "900719925474.0993", "922337203685477.5807"}) {
        EXPECT_EQ(Money(text, true), QStringList{tooLarge}) << text;
    }
    EXPECT_TRUE(HalfStep("499999999999.5", false).isEmpty());
    EXPECT_EQ(HalfStep("500000000000.5", false), QStringList{tooLarge});

    std::optional<Currency> typed;
    EXPECT_EQ(Refusals([&] {
                  typed = TypedMoney(QStringLiteral("单价"), QStringLiteral("600000000000"));
                  return typed.has_value();
              }),
              QStringList{tooLarge});
    EXPECT_TRUE(Refusals([&] {
                    typed = TypedMoney(QStringLiteral("单价"), QStringLiteral(" "));
                    return typed.has_value();
                }).isEmpty());
    EXPECT_EQ(typed, Currency());
}

class InputChecksLedger : public LedgerTest {
protected:
    int AddMember(const QString& code, const QString& name) {
        dm_->ExecSql(SqlFormat(
            QStringLiteral("INSERT INTO TbAssociator (Code,Name,Spell,AId,LastDay,Number,Balance,"
                           "Deposit,Telephone,Address,Memo) VALUES (\"%s\",\"%s\",\"\",0,"
                           "#2024-06-01#,0,0,0,\"\",\"\",\"\")"),
            {code, name}));
        return Value(QStringLiteral("SELECT Max(Id) AS V FROM TbAssociator")).toInt();
    }
};

TEST_F(InputChecksLedger, CodeAndNameClashesCountEveryRowButTheRecordItself) {
    const int own = AddMember(QStringLiteral("A\"01"), QStringLiteral("他说\"好\""));
    const int other = AddMember(QStringLiteral("B02"), QStringLiteral("李四"));
    const QString table = QStringLiteral("TbAssociator");

    TScriptedPrompter prompter;
    TPrompterScope scope(prompter);
    // A value with a quote is found as typed, not broken into the SQL.
    EXPECT_TRUE(CodeTaken(-1, QStringLiteral("A\"01"), table));
    EXPECT_FALSE(CodeTaken(own, QStringLiteral("A\"01"), table));
    EXPECT_TRUE(CodeTaken(other, QStringLiteral("a\"01"), table)); // codes ignore case
    EXPECT_FALSE(CodeTaken(-1, QStringLiteral("A\"02"), table));
    EXPECT_TRUE(NameTaken(-1, QStringLiteral("他说\"好\""), table));
    EXPECT_FALSE(NameTaken(own, QStringLiteral("他说\"好\""), table));
    EXPECT_FALSE(NameTaken(-1, QStringLiteral("他说"), table));
    EXPECT_EQ(prompter.Texts(Kind::Error),
              (QStringList{QStringLiteral("“\"A\"01\"”编号已经存在，请重新输入。"),
                           QStringLiteral("“\"a\"01\"”编号已经存在，请重新输入。"),
                           QStringLiteral("“\"他说\"好\"\"”名称已经存在，请重新输入。")}));
    EXPECT_EQ(prompter.Messages().size(), 3);
}

// Every amount the checks let through reads back from a money column as typed.
TEST_F(InputChecksLedger, AmountsAtTheMoneyLimitReadBackExactly) {
    const int id = AddMember(QStringLiteral("M01"), QStringLiteral("王五"));
    const qint64 limit = MaxLedgerMoney.Raw();
    for (const qint64 raw : {limit, limit - 1, limit - 3, -limit + 7, qint64(1)}) {
        TAssociator member;
        ASSERT_TRUE(member.LoadById(id));
        member.Balance = Currency::FromRaw(raw);
        ASSERT_TRUE(member.Save());
        ASSERT_TRUE(member.LoadById(id));
        EXPECT_EQ(member.Balance.Raw(), raw);
    }
}
