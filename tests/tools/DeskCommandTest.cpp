#include "storage/JetDate.h"
#include "tests/support/VintorctlRun.h"

#include <QDate>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Counter scripts run through "vintorctl desk" on a fresh example ledger, made
// today (its members' periods and payments are relative to that day).
class DeskCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ledger_ = dir_.filePath(QStringLiteral("example.mdb"));
        ASSERT_EQ(Start({QStringLiteral("example"), ledger_}, QString()).first, 0);
    }
    std::pair<int, QString> Start(const QStringList& args, const QString& input) {
        const TRun run = RunVintorctl(args, input.toUtf8());
        return {run.rc, run.out};
    }
    // The script's output lines; the run must exit 0.
    QStringList Desk(const QString& script) {
        const auto [rc, out] =
            Start({QStringLiteral("desk"), ledger_, QStringLiteral("--today"), Day(0)}, script);
        EXPECT_EQ(rc, 0);
        return out.split(u'\n', Qt::SkipEmptyParts);
    }
    QString Day(int offset) const { return JetDate::ShortText(today_.addDays(offset)); }

    QTemporaryDir dir_;
    QString ledger_;
    QDate today_ = QDate::currentDate();
};

TEST_F(DeskCommandTest, WalkInRentalAndReturnThreeDaysLater) {
    const QStringList out = Desk(QStringLiteral("# a walk-in renter takes one film\n"
                                                "rent.code 00001\n"
                                                "rent.commit\n"
                                                "rent.show\n"
                                                "today %1\n"
                                                "rent.reset\n"
                                                "rent.code 00001\n"
                                                "rent.show\n"
                                                "rent.return\n"
                                                "sql SELECT CId1,Sum1,Sum2 FROM TbFTransaction "
                                                "WHERE AId3=0 AND CId1<3\n")
                                     .arg(Day(3)));
    EXPECT_EQ(
        out,
        (QStringList{QStringLiteral("STATE 3 RENTER 0 SN 1 RECEIVED 20 REFUND 0 DEPOSIT 0 RENT 0"),
                     QStringLiteral("NOW 0"), QStringLiteral("HELD 1"),
                     QStringLiteral("00001 %1 1 20 0").arg(Day(0)),
                     QStringLiteral("STATE 2 RENTER 0 SN 1 RECEIVED 6 REFUND 14 DEPOSIT 20 RENT 6"),
                     QStringLiteral("NOW 1"), QStringLiteral("1 00001 %1 3 20 6").arg(Day(0)),
                     QStringLiteral("HELD 1"), QStringLiteral("00001 %1 3 20 6").arg(Day(0)),
                     QStringLiteral("CId1\tSum1\tSum2"), QStringLiteral("1\t14\t-6")}));
}

TEST_F(DeskCommandTest, AMemberOutOfUnitsAnsweredNoRentsNothing) {
    const QStringList out = Desk(QStringLiteral("rent.member 1006\n"
                                                "answer no\n"
                                                "rent.code 00002\n"
                                                "rent.show\n"));
    EXPECT_EQ(
        out,
        (QStringList{QStringLiteral("ASK: 会员[赵强]剩余部数不足，需要缴费才能出租。是否继续出租？ "
                                    "-> no"),
                     QStringLiteral("STATE 1 RENTER 6 SN 0 RECEIVED 0 REFUND 0 DEPOSIT 0 RENT 0"),
                     QStringLiteral("NOW 0"), QStringLiteral("HELD 0")}));
}

TEST_F(DeskCommandTest, ALateReturnAsksForThePenaltyAndTakesTheEntry) {
    const QStringList out = Desk(QStringLiteral("rent.member 1003\n"
                                                "rent.code 0001.1-3\n"
                                                "rent.commit\n"
                                                "today %1\n"
                                                "rent.code 0001-2\n"
                                                "penalty 1.5\n"
                                                "rent.return\n"
                                                "sql SELECT Number FROM TbAssociator WHERE "
                                                "Code=\"1003\"\n")
                                     .arg(Day(5)));
    EXPECT_EQ(out, (QStringList{QStringLiteral(
                                    "ASK: 目前正在处理出租业务，但您输入的影片已经出租，是否切换到"
                                    "返还业务。 -> yes"),
                                QStringLiteral("PENALTY: [1003]张伟 | 2 天 | 扣减部数：2"),
                                QStringLiteral("Number"),
                                QStringLiteral("5")})); // 10, three rented, 1.5 rounded to 2 taken
}

TEST_F(DeskCommandTest, AReceiptIsPrintedOnlyOnceThePrinterRowIsSwitchedOn) {
    const QStringList off = Desk(QStringLiteral("rent.code 00005\nrent.commit\nrent.print\n"));
    EXPECT_TRUE(off.isEmpty()) << off.join(u'\n').toStdString();

    const QStringList out = Desk(QStringLiteral("sql UPDATE TbPrinter SET OnOff=1 WHERE Id=1\n"
                                                "rent.code 00007\n"
                                                "rent.commit\n"
                                                "rent.print\n"));
    ASSERT_EQ(out.size(), 16) << out.join(u'\n').toStdString();
    EXPECT_EQ(out[0], QStringLiteral("OK 1"));
    EXPECT_EQ(out[1], QStringLiteral("PRINTER: <1B>!<10>         星光影碟出租店"));
    EXPECT_EQ(out[3], QStringLiteral("PRINTER: 小票号:11         收款:管理员"));
    EXPECT_EQ(out[4].left(28), QStringLiteral("PRINTER: 日期:%1   时间:").arg(Day(0)));
    EXPECT_EQ(out.mid(6, 5),
              (QStringList{QStringLiteral("PRINTER: 影片编号    影片名称"),
                           QStringLiteral("PRINTER: 00007       功夫"),
                           QStringLiteral("PRINTER: ") + QString(32, u'='),
                           QStringLiteral("PRINTER:         实收押金:30.00"),
                           QStringLiteral("PRINTER: ============谢谢惠顾============")}));
}

TEST_F(DeskCommandTest, BadLinesAreReportedAndTheScriptGoesOn) {
    const QStringList out = Desk(QStringLiteral("frobnicate now\n"
                                                "rent.tick 1\n"
                                                "rent.tick 1 yes\n"
                                                "rent.member 9999\n"
                                                "sql SELEC 1\n"
                                                "rent.received 1.23456\n"
                                                "rent.code 00001\n"
                                                "rent.show\n"));
    ASSERT_EQ(out.size(), 10) << out.join(u'\n').toStdString();
    EXPECT_EQ(out.mid(0, 4), (QStringList{QStringLiteral("ERROR: unknown command frobnicate"),
                                          QStringLiteral("ERROR: usage: rent.tick N yes|no"),
                                          QStringLiteral("ERROR: no line 1"),
                                          QStringLiteral("ERROR: no member 9999")}));
    EXPECT_TRUE(out[4].startsWith(QStringLiteral("ERROR: ")));
    EXPECT_EQ(out[5], QStringLiteral("ERROR: “\"实收金额\"”输入不正确，请重新输入。"));
    EXPECT_EQ(out[6],
              QStringLiteral("STATE 3 RENTER 0 SN 0 RECEIVED 20 REFUND 0 DEPOSIT 20 RENT 0"));
}

} // namespace

TEST_F(DeskCommandTest, ASaleWithDiscountAndAPartialRefund) {
    const QStringList out = Desk(QStringLiteral("sale.code S0001\n"
                                                "sale.code S0004\n"
                                                "sale.edit 1 8 2 25\n"
                                                "sale.received 62\n"
                                                "sale.cash 100\n"
                                                "sale.commit\n"
                                                "sale.show\n"
                                                "sale.reset\n"
                                                "sale.bill 1\n"
                                                "sale.tick 2 no\n"
                                                "sale.refund\n"
                                                "sql SELECT Code,Number2 FROM TbSaleCd WHERE "
                                                "Code IN (\"S0001\",\"S0004\") ORDER BY Code\n"
                                                "sale.edit 9 1 1 1\n"));
    EXPECT_EQ(out,
              (QStringList{QStringLiteral("ASK: 影片[千与千寻]目前库存不足，是否继续销售？ -> yes"),
                           QStringLiteral("STATE 5 SN 1 TOTAL 0 RECEIVED 62 CASH 100 CHANGE 38"),
                           QStringLiteral("NOW 0"), QStringLiteral("HISTORY 2"),
                           QStringLiteral("S0001 8 2 25 40"), QStringLiteral("S0004 0 1 22 22"),
                           QStringLiteral("Code\tNumber2"), QStringLiteral("S0001\t5"),
                           QStringLiteral("S0004\t-1"), QStringLiteral("ERROR: no line 9")}));
}

TEST_F(DeskCommandTest, MembersAndFundsThroughTheStoreRules) {
    const QStringList out = Desk(
        QStringLiteral("member.open code=M9 name=测试 type=3 sum=30 deposit=50\n"
                       "member.open code=M9 name=重复 type=3\n"
                       "sql SELECT [Number],Deposit FROM TbAssociator WHERE Code=\"M9\"\n"
                       "account.add name=农业银行 no=123\n"
                       "fund.transfer 1 day=%1 direction=out other=3 operator=1 sum=40 memo=存款\n"
                       "fund.balance 3\n"
                       "member.delete 7\n"
                       "sql SELECT Count(*) AS N FROM TbAssociator WHERE Code=\"M9\"\n")
            .arg(Day(0)));
    EXPECT_EQ(out, (QStringList{QStringLiteral("OK 7"),
                                QStringLiteral("ERROR: “\"M9\"”编号已经存在，请重新输入。"),
                                QStringLiteral("Number\tDeposit"), QStringLiteral("10\t50"),
                                QStringLiteral("OK 3"), QStringLiteral("OK 12"),
                                QStringLiteral("BALANCE 40"),
                                QStringLiteral("ASK: 删除会员[测试],将一并删除此会员的出租返还记录"
                                               "及所有资金记录！\\n真的要删除吗？ -> yes"),
                                QStringLiteral("OK"), QStringLiteral("N"), QStringLiteral("0")}))
        << out.join(u'\n').toStdString();
}

TEST_F(DeskCommandTest, StockInBatchesOfBothKinds) {
    const QStringList out = Desk(
        QStringLiteral(
            "stockrent.header %1 1 1 1 200 新片\n"
            "stockrent.entry code=0100 name=新剧 cid=10 fid=1 power=20 price=200 amount=40\n"
            "stockrent.post\n"
            "stockrent.save\n"
            "sql SELECT Count(*) AS N,Sum(Power) AS P FROM TbRentCd WHERE Code LIKE \"0100-*\"\n"
            "stocksale.header %1 1 1 1 50 补货\n"
            "stocksale.lookup S0001\n"
            "stocksale.entry number2=3\n"
            "stocksale.post\n"
            "stocksale.show\n"
            "stocksale.save\n"
            "sql SELECT Number2 FROM TbSaleCd WHERE Code=\"S0001\"\n")
            .arg(Day(0)));
    ASSERT_EQ(out.size(), 9) << out.join(u'\n').toStdString();
    EXPECT_TRUE(out[0].startsWith(QStringLiteral("OK ")));
    EXPECT_EQ(out.mid(1, 2), (QStringList{QStringLiteral("N\tP"), QStringLiteral("40\t20")}));
    EXPECT_EQ(out.mid(3, 3),
              (QStringList{QStringLiteral("FOUND 泰坦尼克号 STOCK 5"), QStringLiteral("LINES 1"),
                           QStringLiteral("S0001 泰坦尼克号 3 15 15")}));
    EXPECT_TRUE(out[6].startsWith(QStringLiteral("OK ")));
    EXPECT_EQ(out.mid(7), (QStringList{QStringLiteral("Number2"), QStringLiteral("8")}));
}

TEST_F(DeskCommandTest, ASaleEditRefusesAFifthDecimalAndKeepsTheLine) {
    const QStringList out = Desk(QStringLiteral("sale.code S0001\n"
                                                "sale.edit 1 0 2 25.00001\n"
                                                "sale.show\n"));
    EXPECT_EQ(out, (QStringList{QStringLiteral("ERROR: “\"单价\"”输入不正确，请重新输入。"),
                                QStringLiteral("STATE 5 SN 0 TOTAL 50 RECEIVED 50 CASH 0 CHANGE 0"),
                                QStringLiteral("NOW 1"), QStringLiteral("1 S0001 0 2 25 50"),
                                QStringLiteral("HISTORY 0")}))
        << out.join(u'\n').toStdString();
}

TEST_F(DeskCommandTest, ALedgerOfAnOlderBuildIsUpgradedFirst) {
    const QString old = dir_.filePath(QStringLiteral("old.mdb"));
    ASSERT_EQ(Start({QStringLiteral("create"), old, QStringLiteral("--build"),
                     QStringLiteral("Build2.03")},
                    QString())
                  .first,
              0);
    const auto [rc, out] =
        Start({QStringLiteral("desk"), old}, QStringLiteral("sql SELECT Version FROM TbVersion\n"));
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(out, QStringLiteral("Version\nBuild2.06\n"));
}

TEST_F(DeskCommandTest, AStockInOfAnEarlierDayDatesItsTitlesAndLines) {
    const QStringList out =
        Desk(QStringLiteral("stockrent.header %1 1 1 1 20 补录\n"
                            "stockrent.entry code=0200 name=旧片 cid=10 fid=1 price=20\n"
                            "stockrent.post\n"
                            "stockrent.save\n"
                            "stocksale.header %1 1 1 1 15 补录\n"
                            "stocksale.entry code=S0200 name=旧片 cid=10 number2=1 cost=15\n"
                            "stocksale.post\n"
                            "stocksale.save\n"
                            "sql SELECT Count(*) AS N FROM TbITransaction WHERE Day=#%1#\n"
                            "sql SELECT Code FROM TbRentCd WHERE Day=#%1# UNION SELECT Code FROM "
                            "TbSaleCd WHERE Day=#%1#\n")
                 .arg(Day(-3)));
    ASSERT_EQ(out.size(), 7) << out.join(u'\n').toStdString();
    EXPECT_EQ(out.mid(2),
              (QStringList{QStringLiteral("N"), QStringLiteral("2"), QStringLiteral("Code"),
                           QStringLiteral("0200"), QStringLiteral("S0200")}));
}
