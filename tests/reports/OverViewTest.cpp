#include "reports/OverView.h"
#include "members/MemberRecords.h"
#include "sales/SaleObject.h"
#include "sales/StockRentObject.h"
#include "sales/StockSaleObject.h"
#include "storage/Clock.h"
#include "storage/dao/DM.h"
#include "storage/records/Account.h"
#include "tests/rental/RentFixture.h"

namespace {

using OverView::TFigures;
using OverViewSql::TFigure;

Currency Money(const char* text) {
    return Currency::Parse(QString::fromUtf8(text)).value();
}

// The printed figures as "column|label|value", "|-" added for a red one.
QStringList Figures(const TPreparedReport& report) {
    QStringList lines;
    for (const TReportRow& row : report.figures) {
        lines.append(row.values.join(u'|') + (row.red.isEmpty() ? "" : "|-"));
    }
    return lines;
}

// A June of business through the counters' engines: rentals and returns, a
// sale and its refund, stock-ins paid from the cash box and the bank, and
// member payments.
class OverViewTest : public RentTest {
protected:
    void SetUp() override {
        RentTest::SetUp();
        dm_->ExecSql(QStringLiteral("INSERT INTO TbAccount (Name,[Max],[Min],[No],Bank,Contact,"
                                    "Telephone,Memo) VALUES (\"银行\",0,0,\"\",\"\",\"\",\"\","
                                    "\"\")"));
        bank_ = Value(QStringLiteral("SELECT Max(Id) AS V FROM TbAccount")).toInt();
        dm_->ExecSql(QStringLiteral("INSERT INTO TbCompany (Name,Address,Telephone,Memo) VALUES "
                                    "(\"音像公司\",\"\",\"\",\"\")"));
        supplier_ = Value(QStringLiteral("SELECT Max(Id) AS V FROM TbCompany")).toInt();
        // Walk-in: deposit 10.00 a disc, rent 0.50 a day; members: deposit
        // 10.00, rent 1.00 for three days.
        daily_ = AddFee("每天五毛", "10", "1", "0.5", 1);
        const int type = AddType("押金租金", 0, "0", 0, 0, 4, 1);
        member_ = AddMember(QStringLiteral("M1"), type);
        for (const char* code : {"W1", "W2", "W3", "H1"}) {
            AddTitle(QLatin1String(code), daily_);
        }
        AddTitle(QStringLiteral("H2"), daily_, "1.5");
        sale_ = std::make_unique<TSaleObject>(printer_, shop_, cashier_);
    }
    void TearDown() override {
        sale_.reset();
        RentTest::TearDown();
    }

    void On(int month, int day) { TClock::SetToday(QDate(2024, month, day)); }
    // Takes back the whole bill the disc is on; the rent comes out of the
    // deposit, as the desk proposes.
    void ReturnOn(int month, int day, const QString& code) {
        On(month, day);
        engine_->Reset();
        engine_->EnterCode(code);
        engine_->CommitReturn();
    }
    // Every account's balance added up.
    Currency Balances() {
        Currency total;
        for (int id : {1, bank_}) {
            TAccount account;
            account.LoadById(id);
            total += account.Balance();
        }
        return total;
    }
    TFigures Compute(const char* from, const char* to) {
        const TStored<TFigures> figures =
            OverView::Compute({QLatin1String(from), QLatin1String(to)});
        EXPECT_TRUE(figures.Ok());
        return figures.Value();
    }
    void StockIn(const char* amount, int account) {
        TStockRentObject rental;
        TStockRentEntry entry;
        entry.code = QStringLiteral("N1");
        entry.name = QStringLiteral("新片");
        entry.cid = 1;
        entry.fid = daily_;
        ASSERT_FALSE(rental.SubmitEntry(entry, supplier_));
        TStockHeader header{QStringLiteral("2024-06-10"), supplier_, account, 1,
                            QLatin1String(amount),        {}};
        ASSERT_FALSE(rental.SetHeader(header));
        ASSERT_TRUE(rental.Save());
    }
    void SaleStockIn(const char* code, const char* amount, int account) {
        TStockSaleObject batch;
        TTitleSaleEntry entry;
        entry.code = QLatin1String(code);
        entry.name = QStringLiteral("售片");
        entry.cid = 1;
        entry.number2 = QStringLiteral("5");
        entry.cost = QStringLiteral("10");
        entry.price = QStringLiteral("25");
        ASSERT_FALSE(batch.SubmitEntry(entry, supplier_));
        TStockHeader header{QStringLiteral("2024-06-10"), supplier_, account, 1,
                            QLatin1String(amount),        {}};
        ASSERT_FALSE(batch.SetHeader(header));
        ASSERT_TRUE(batch.Save());
    }
    void MemberRecord(int category, const char* sum) {
        TMemberRecords::TRecordFields fields;
        fields.day = QStringLiteral("2024-06-12");
        fields.categoryId = category;
        fields.operatorId = 1;
        fields.sum = QLatin1String(sum);
        ASSERT_TRUE(TMemberRecords(member_).SaveRecord(-1, fields).Ok());
    }

    std::unique_ptr<TSaleObject> sale_;
    int bank_ = 0;
    int supplier_ = 0;
    int daily_ = 0;
    int member_ = 0;
};

TEST_F(OverViewTest, RentTakenFromTheDepositCountsOnceAndTheProfitIsWhatTheAccountsGained) {
    On(6, 1);
    const Currency before = Balances();
    // A walk-in bill of two discs: 20.00 deposit, returned after three days
    // with 3.00 rent taken out of it and 17.00 handed back.
    On(6, 3);
    Rent(QStringLiteral("W1.W2"));
    ReturnOn(6, 6, QStringLiteral("W1"));
    // A member's disc of 1.5 units (two for the rent), returned after six
    // days: 4.00 rent paid on top of the 15.00 deposit, which goes back whole.
    On(6, 4);
    engine_->Reset();
    ASSERT_TRUE(engine_->EnterMember(QStringLiteral("M1")));
    Rent(QStringLiteral("H2"));
    On(6, 10);
    engine_->Reset();
    engine_->EnterMember(QStringLiteral("M1"));
    engine_->Refund = engine_->DepositTotal;
    engine_->CommitReturn();
    // A walk-in disc still out, and one cancelled.
    On(6, 20);
    engine_->Reset();
    Rent(QStringLiteral("W3"));
    engine_->Reset();
    Rent(QStringLiteral("H1"));
    engine_->Reset();
    engine_->EnterCode(QStringLiteral("H1"));
    engine_->Refund = engine_->DepositTotal;
    engine_->CancelRent();
    const Currency gained = Balances() - before;
    ASSERT_EQ(gained, Money("17")); // 3.00 rent, 4.00 rent, 10.00 deposit held

    // June holds every line (rented 3 to 20 June), 5 to 9 June five of those
    // eighteen days: each range is counted its own way, to the same figures.
    EXPECT_EQ(OverView::SpanOf("2024-06-01", "2024-06-30"), OverViewSql::TSpan::Long);
    EXPECT_EQ(OverView::SpanOf("2024-06-05", "2024-06-09"), OverViewSql::TSpan::Short);
    const TFigures june = Compute("2024-06-01", "2024-06-30");
    EXPECT_EQ(june[TFigure::WalkInDeposit], Money("40")); // 20.00 once, 10.00, 10.00
    EXPECT_EQ(june[TFigure::MemberDeposit], Money("15"));
    EXPECT_EQ(june[TFigure::DepositReturned], Money("42")); // 17.00, 15.00, 10.00
    EXPECT_EQ(june[TFigure::DepositHeld], Money("10"));
    EXPECT_EQ(june[TFigure::WalkInRent], Money("3"));
    EXPECT_EQ(june[TFigure::MemberRent], Money("4"));
    EXPECT_EQ(june[TFigure::RentFromDeposits], Money("3"));
    EXPECT_EQ(june[TFigure::WalkInRented], Money("3")); // the cancelled disc not
    EXPECT_EQ(june[TFigure::MemberRented], Money("1.5"));
    EXPECT_EQ(june[TFigure::WalkInReturned], Money("2"));
    EXPECT_EQ(june[TFigure::MemberReturned], Money("1.5"));
    EXPECT_EQ(june[TFigure::Cancelled], Money("1"));
    EXPECT_TRUE(june.failed.isEmpty());
    // Counting the rent taken from the deposit again would make it 20.00.
    EXPECT_EQ(june.Profit(), gained);

    // From the day after the walk-in rental: its deposit came in before, the
    // 17.00 handed back went out in the range.
    const TFigures later = Compute("2024-06-05", "2024-06-09");
    EXPECT_EQ(later[TFigure::WalkInDeposit], Currency());
    EXPECT_EQ(later[TFigure::WalkInReturned], Money("2"));
    EXPECT_EQ(later[TFigure::DepositReturned], Money("17"));
    EXPECT_EQ(later.Profit(), Money("-17"));

    const TPreparedReport page = OverView::Page(june);
    EXPECT_TRUE(Figures(page).contains("押金(元)|零租押金：|40.00"));
    EXPECT_TRUE(Figures(page).contains("押金(元)|合计：|10.00"));
    EXPECT_TRUE(Figures(page).contains("出租(部)|会员出租：|1.5"));
    EXPECT_TRUE(Figures(page).contains("出租(部)|合计：|4.5"));
    EXPECT_EQ(Figures(page).last(), "当前盈亏：|17.00");
    EXPECT_EQ(Figures(OverView::Page(later)).last(), "当前盈亏：|17.00|-");
}

TEST_F(OverViewTest, PurchasesRefundsAndMemberMoneyAddUpToTheChangeOfTheBalances) {
    On(6, 1);
    const Currency before = Balances();
    SaleStockIn("S1", "50", bank_); // five sets of S1, paid from the bank
    On(6, 11);
    sale_->EnterCodes({QStringLiteral("S1")});
    sale_->CommitSale(); // 25.00 kept
    sale_->Reset();
    SaleStockIn("S2", "50.5", 1);
    sale_->EnterCodes({QStringLiteral("S2")});
    sale_->CommitSale();
    const int sn = sale_->Sn;
    sale_->Reset();
    On(6, 12);
    sale_->LoadBill(sn); // refunded in full: the sale's movement becomes the refund
    sale_->CommitRefund();
    MemberRecord(11, "30");
    MemberRecord(13, "50");
    MemberRecord(12, "10");

    const TFigures june = Compute("2024-06-01", "2024-06-30");
    EXPECT_EQ(june[TFigure::SalePurchases], Money("-100.5"));
    EXPECT_EQ(june[TFigure::Sales], Money("25"));
    EXPECT_EQ(june[TFigure::SaleRefunds], Money("-25"));
    EXPECT_EQ(june[TFigure::RangeSaleRefunds], Money("-25"));
    EXPECT_EQ(june[TFigure::MemberPayments], Money("30"));
    EXPECT_EQ(june[TFigure::MemberDeposits], Money("50"));
    EXPECT_EQ(june[TFigure::MemberRefunds], Money("10"));
    EXPECT_EQ(june[TFigure::SaleBought], Money("10"));
    EXPECT_EQ(june[TFigure::Sold], Money("1"));
    EXPECT_EQ(june[TFigure::Refunded], Money("1"));
    // 25.00 sold, 70.00 from the member, 100.50 paid for stock.
    EXPECT_EQ(june.Profit(), Money("-5.5"));
    EXPECT_EQ(june.Profit(), Balances() - before);

    // The refund of a sale made before the range is money out of it.
    EXPECT_EQ(Compute("2024-06-12", "2024-06-12").Profit(), Money("45"));

    // A rental stock-in turns the profit into a loss; purchases print as
    // positive amounts, what goes out to a member in red.
    StockIn("100", 1);
    const TFigures loss = Compute("2024-06-01", "2024-06-30");
    EXPECT_EQ(loss.Profit(), Balances() - before);
    EXPECT_EQ(loss[TFigure::RentalBought], Money("1"));
    const QStringList printed = Figures(OverView::Page(loss));
    EXPECT_EQ(printed.size(), 33);
    for (const char* line :
         {"进货(元)|出租进货：|100.00", "进货(元)|销售进货：|100.50", "进货(元)|合计：|200.50",
          "销售(元)|退还金额：|25.00", "销售(元)|合计：|0.00", "会费/押金(元)|会员退费：|-10.00|-",
          "会费/押金(元)|合计：|80.00", "进货(套)|合计：|11", "销售(套)|退还影片：|1",
          "销售(套)|合计：|1"}) {
        EXPECT_TRUE(printed.contains(QString::fromUtf8(line))) << line;
    }
    EXPECT_EQ(printed.last(), "当前盈亏：|105.50|-");
}

TEST_F(OverViewTest, ThePageShowsEachPartInFiveColumnsWithNegativeFiguresInRed) {
    TFigures figures;
    figures.dateFrom = QStringLiteral("2024-06-01");
    figures.dateTo = QStringLiteral("2024-06-30");
    figures.values[size_t(TFigure::WalkInDeposit)] = Money("-2");
    figures.values[size_t(TFigure::SaleRefunds)] = Money("-4");
    figures.values[size_t(TFigure::Sold)] = Money("3");
    const TPreparedReport page = OverView::Page(figures);
    EXPECT_TRUE(page.landscape);
    EXPECT_TRUE(page.header.isEmpty());
    // Captions, four rows and the totals; captions, two rows and the totals;
    // the profit.
    ASSERT_EQ(page.rows.size(), 11);
    EXPECT_EQ(page.rows[0].values, (QStringList{"资金方面", "押金(元)", "租金(元)", "进货(元)",
                                                "销售(元)", "会费/押金(元)"}));
    EXPECT_EQ(page.rows[1].values.mid(0, 2), (QStringList{"零租押金：", "-2.00"}));
    EXPECT_EQ(page.rows[1].red, (QList<int>{0, 1}));
    EXPECT_EQ(page.rows[2].values.mid(6, 2), (QStringList{"退还金额：", "4.00"}));
    EXPECT_TRUE(page.rows[2].red.isEmpty());
    EXPECT_EQ(page.rows[4].values.mid(0, 2), (QStringList{"未退押金：", "0.00"}));
    EXPECT_EQ(page.rows[4].values.mid(2), QStringList(8)); // the other columns end earlier
    EXPECT_EQ(page.rows[5].band, TBandKind::GroupFooter);
    EXPECT_EQ(page.rows[5].values.mid(6, 2), (QStringList{"合计：", "4.00"})); // ABS of sales
    EXPECT_EQ(page.rows[6].values[0], "影片方面");
    EXPECT_EQ(page.rows[9].values.mid(6, 2), (QStringList{"合计：", "3"})); // sold only
    const TReportRow& profit = page.rows.last();
    EXPECT_EQ(profit.band, TBandKind::Summary);
    EXPECT_EQ(profit.values.mid(0, 2), (QStringList{"当前盈亏：", "6.00"}));
    EXPECT_EQ(profit.red, (QList<int>{0, 1}));
    EXPECT_TRUE(profit.values.last().contains("(红字表示负数)"));
    for (const TReportRow& row : page.rows) {
        EXPECT_EQ(row.values.size(), page.Layout(row.band).size());
    }
}

TEST_F(OverViewTest, ABadDateRunsNothingAndAFailingStatementCountsZero) {
    const TStored<TFigures> refused = OverView::Compute({"2024-06-01", "2024-06-31"});
    ASSERT_FALSE(refused.Ok());
    EXPECT_EQ(refused.Refusal().field, "edTo");
    EXPECT_EQ(prompter_.Messages().size(), 1);

    On(6, 3);
    Rent(QStringLiteral("W1"));
    StockIn("100", 1);
    prompter_.Clear();
    dm_->ExecSql(QStringLiteral("DROP TABLE TbITransaction"));
    const TFigures figures = Compute("2024-06-01", "2024-06-30");
    EXPECT_EQ(figures.failed, (QList<TFigure>{TFigure::RentalBought, TFigure::SaleBought}));
    EXPECT_EQ(figures[TFigure::RentalBought], Currency());
    EXPECT_EQ(figures[TFigure::WalkInDeposit], Money("10"));
    EXPECT_EQ(figures[TFigure::RentalPurchases], Money("-100"));
    EXPECT_EQ(
        prompter_.Texts(TScriptedPrompter::Kind::Warning),
        QStringList{"以下数字未能从账本中统计，按 0 计：进货(套) 出租进货、进货(套) 销售进货。"});
}

} // namespace
