#include "rental/BillRentObject.h"
#include "rental/BillSaleObject.h"
#include "storage/Clock.h"
#include "storage/ScriptedPrompter.h"
#include "storage/records/Associator.h"
#include "storage/records/AtorType.h"
#include "storage/records/Operator.h"
#include "storage/records/Printer.h"
#include "storage/records/ShopInfo.h"
#include "tests/rental/CapturePort.h"
#include "tests/rental/ReceiptBytes.h"
#include "tests/support/LedgerFixture.h"

#include <gtest/gtest.h>

using namespace ReceiptBytes;

namespace {

const QString Rule = QStringLiteral("================================");

class ReceiptTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        scope_ = std::make_unique<TPrompterScope>(prompter_);
        printer_.OnOff = 1;
        shop_.Name = QStringLiteral("影音小店");
        shop_.Telephone = QStringLiteral("0571-8888");
        shop_.Address = QStringLiteral("解放路1号");
        cashier_.Name = QStringLiteral("张三");
    }
    void TearDown() override {
        scope_.reset();
        LedgerTest::TearDown();
    }

    template <class TBill> void Capture(TBill& bill) {
        bill.Printer.SetPort(std::make_unique<TCapturePort>(capture_));
    }
    // Prints the bill; the time of day in the header is checked and masked.
    QByteArray Printed(TBillObject& bill, bool expectSuccess = true) {
        const QTime before = TClock::Now().addMSecs(-1000);
        EXPECT_EQ(bill.Print(), expectSuccess);
        const QTime after = TClock::Now();
        QByteArray bytes = capture_.bytes;
        const QByteArray label = Gbk(QStringLiteral("时间:"));
        const qsizetype at = bytes.indexOf(label);
        if (at >= 0) {
            const QTime shown = QTime::fromString(
                QString::fromLatin1(bytes.mid(at + label.size(), 8)), QStringLiteral("hh:mm:ss"));
            EXPECT_TRUE(shown.isValid() && shown >= before && shown <= after)
                << bytes.mid(at + label.size(), 8).toStdString();
            bytes.replace(at + label.size(), 8, "HH:MM:SS");
        }
        return bytes;
    }

    // The header of a bill numbered 17 for a walk-in renter.
    static QByteArray Header() {
        return Emphasised(Sp(12) + QStringLiteral("影音小店")) +
               Lines({Rule, QStringLiteral("小票号:17") + Sp(9) + QStringLiteral("收款:张三"),
                      QStringLiteral("日期:2024-06-15") + Sp(3) + QStringLiteral("时间:HH:MM:SS")});
    }
    static QByteArray Footer() {
        return Lines({QStringLiteral("============谢谢惠顾============"),
                      Sp(8) + QStringLiteral("电话:0571-8888"), QStringLiteral("地址:解放路1号"),
                      QString(), QString(), QString()});
    }

    static TRTransaction RentalLine(const QString& code, const QString& name,
                                    bool selected = true) {
        TRTransaction line;
        line.RentCd.Code = code;
        line.RentCd.Name = name;
        line.Selected = selected;
        return line;
    }
    int NewMember(const QString& code, int fee, Currency balance, Currency number) {
        TAtorType type;
        type.Name = QStringLiteral("类型");
        type.Fee = fee;
        type.Save();
        TAssociator member;
        member.Code = code;
        member.Name = QStringLiteral("李四");
        member.LastDay = QDate(2024, 12, 31);
        member.AId = type.Id;
        member.Balance = balance;
        member.Number = number;
        member.Save();
        return member.Id;
    }

    TPrinter printer_;
    TShopInfo shop_;
    TOperator cashier_;
    TCapture capture_;
    TScriptedPrompter prompter_;
    std::unique_ptr<TPrompterScope> scope_;
};

TEST_F(ReceiptTest, AWalkInRentalListsTheSelectedDiscsAndTheDeposit) {
    TBillRentObject bill(printer_, shop_, cashier_);
    Capture(bill);
    QList<TRTransaction> desk{RentalLine(QStringLiteral("0001"), QStringLiteral("大话西游")),
                              RentalLine(QStringLiteral("0009"), QStringLiteral("不选"), false)};
    bill.AddLines(desk);
    bill.AddLines({RentalLine(QStringLiteral("0002"), QStringLiteral("英雄"))});
    desk[0].RentCd.Name = QStringLiteral("改了"); // the receipt holds its own copies
    bill.Kind = TBillRentObject::RentalReceipt;
    bill.BillNo = QStringLiteral("17");
    bill.Amount1 = Currency::FromWhole(30);
    bill.Note = QStringLiteral("  ");

    const QByteArray expected = Header() +
                                Lines({Rule, QStringLiteral("影片编号    影片名称"),
                                       QStringLiteral("0001") + Sp(8) + QStringLiteral("大话西游"),
                                       QStringLiteral("0002") + Sp(8) + QStringLiteral("英雄"),
                                       Rule, Sp(8) + QStringLiteral("实收押金:30.00")}) +
                                Footer();
    EXPECT_EQ(Printed(bill), expected);
    EXPECT_TRUE(prompter_.Messages().isEmpty());
}

TEST_F(ReceiptTest, AReturnShowsTheRefundBeforeTheRentAndTheNote) {
    TBillRentObject bill(printer_, shop_, cashier_);
    Capture(bill);
    bill.AddLines({RentalLine(QStringLiteral("0001"), QStringLiteral("大话西游"))});
    bill.Kind = TBillRentObject::ReturnReceipt;
    bill.BillNo = QStringLiteral("17");
    bill.Amount1 = Currency::FromRaw(45000);
    bill.Amount2 = Currency::FromWhole(30);
    bill.Note = QStringLiteral("逾期一天");
    const QByteArray expected =
        Header() +
        Lines({Rule, QStringLiteral("影片编号    影片名称"),
               QStringLiteral("0001") + Sp(8) + QStringLiteral("大话西游"), Rule,
               Sp(8) + QStringLiteral("实退押金:30.00"), Sp(8) + QStringLiteral("实收租金:4.50"),
               QStringLiteral("说明:逾期一天")}) +
        Footer();
    EXPECT_EQ(Printed(bill), expected);

    capture_.bytes.clear();
    bill.Kind = 1; // neither rental nor return: header and footer only
    EXPECT_EQ(Printed(bill), Header() + Footer());
}

TEST_F(ReceiptTest, AMemberBlockShowsTheBalanceForPrepaidRentElseTheUnits) {
    const int prepaid =
        NewMember(QStringLiteral("M0001"), 5, Currency::FromRaw(1234000), Currency::FromWhole(3));
    const int units = NewMember(QStringLiteral("M000000000012"), 2, Currency::FromWhole(9),
                                Currency::FromRaw(75000));
    TBillRentObject bill(printer_, shop_, cashier_);
    Capture(bill);
    bill.BillNo = QStringLiteral("17");

    bill.RenterId = prepaid;
    EXPECT_EQ(Printed(bill), Header() +
                                 Lines({Rule, QStringLiteral("会员号:M0001") + Sp(6) +
                                                  QStringLiteral("余额:123.40")}) +
                                 Footer());

    // 20 bytes before a column of 18: as many blanks as it overruns.
    capture_.bytes.clear();
    bill.RenterId = units;
    EXPECT_EQ(Printed(bill), Header() +
                                 Lines({Rule, QStringLiteral("会员号:M000000000012") + Sp(2) +
                                                  QStringLiteral("部数:7.50")}) +
                                 Footer());

    // A member that is no longer in the ledger gets no block.
    capture_.bytes.clear();
    bill.RenterId = units + 100;
    EXPECT_EQ(Printed(bill), Header() + Footer());
}

TEST_F(ReceiptTest, LongCodesAndNumbersKeepAtLeastOneBlankBeforeTheNextColumn) {
    TBillRentObject bill(printer_, shop_, cashier_);
    Capture(bill);
    bill.AddLines({RentalLine(QStringLiteral("000000000012"), QStringLiteral("甲")),
                   RentalLine(QStringLiteral("0000000000013"), QStringLiteral("乙")),
                   RentalLine(QStringLiteral("00000000000014"), QStringLiteral("丙")),
                   RentalLine(QStringLiteral("功夫熊猫"), QStringLiteral("丁"))});
    bill.Kind = TBillRentObject::RentalReceipt;
    bill.BillNo = QStringLiteral("12345678901");
    const QByteArray bytes = Printed(bill);
    for (const QString& line :
         {QStringLiteral("小票号:12345678901") + Sp(1) + QStringLiteral("收款:张三"),
          QStringLiteral("000000000012") + Sp(1) + QStringLiteral("甲"),
          QStringLiteral("0000000000013") + Sp(1) + QStringLiteral("乙"),
          QStringLiteral("00000000000014") + Sp(2) + QStringLiteral("丙"),
          QStringLiteral("功夫熊猫") + Sp(4) + QStringLiteral("丁")}) {
        EXPECT_TRUE(bytes.contains('\n' + Gbk(line) + '\n')) << line.toStdString();
    }
}

TEST_F(ReceiptTest, TheShopNameIsCentredWithTheHalvingRoundedToEven) {
    const struct {
        QString name;
        int indent;
    } cases[] = {{QStringLiteral("影音店A"), 12},    // 7 bytes: 12.5
                 {QStringLiteral("ABC影音店"), 12},  // 9 bytes: 11.5
                 {QStringLiteral("影音小店01"), 11}, // 10 bytes
                 {QString(16, u'影') + u'A', 1},     // 33 bytes: -0.5
                 {QString(18, u'影'), 2}};           // 36 bytes: -2
    for (const auto& c : cases) {
        shop_.Name = c.name;
        capture_.bytes.clear();
        TBillSaleObject bill(printer_, shop_, cashier_);
        Capture(bill);
        EXPECT_TRUE(Printed(bill).startsWith(Emphasised(Sp(c.indent) + c.name)))
            << c.name.toStdString();
    }
}

TEST_F(ReceiptTest, ASaleShowsDiscountPriceAndNumberThenTheCash) {
    TBillSaleObject bill(printer_, shop_, cashier_);
    Capture(bill);
    TSTransaction line;
    line.SaleCd.Code = QStringLiteral("S001");
    line.SaleCd.Name = QStringLiteral("功夫");
    line.Discount = Currency::FromRaw(9000);
    line.Price = Currency::FromWhole(25);
    line.Number = 2;
    bill.Lines.append(line);
    line.SaleCd.Code = QStringLiteral("S002");
    line.Discount = Currency::FromWhole(100);
    line.Price = Currency::FromRaw(12345000);
    line.Number = 12;
    bill.Lines.append(line);
    bill.BillNo = QStringLiteral("17");
    bill.Amount1 = Currency::FromWhole(45);
    bill.Amount2 = Currency::FromWhole(50);
    bill.Amount3 = Currency::FromWhole(5);
    bill.Note = QStringLiteral("会员九折");
    const QByteArray expected =
        Header() +
        Lines({Rule, QStringLiteral("影片编号    影片名称"),
               QStringLiteral("S001") + Sp(8) + QStringLiteral("功夫"),
               QStringLiteral("折扣:0.90") + Sp(1) + QStringLiteral("单价:25.00") + Sp(3) +
                   QStringLiteral("数量:2"),
               QStringLiteral("S002") + Sp(8) + QStringLiteral("功夫"),
               QStringLiteral("折扣:100.00") + Sp(1) + QStringLiteral("单价:1234.50") + Sp(1) +
                   QStringLiteral("数量:12"),
               Rule, Sp(8) + QStringLiteral("实收金额:45.00"), Sp(8) + QStringLiteral("现金:50.00"),
               Sp(8) + QStringLiteral("找补:5.00"), QStringLiteral("说明:会员九折")}) +
        Footer();
    EXPECT_EQ(Printed(bill), expected);

    bill.ClearLines();
    EXPECT_TRUE(bill.Lines.isEmpty());
}

TEST_F(ReceiptTest, APrinterThatFailsShowsOneErrorAndTheRestIsNotSent) {
    TBillRentObject bill(printer_, shop_, cashier_);
    Capture(bill);
    bill.AddLines({RentalLine(QStringLiteral("0001"), QStringLiteral("大话西游"))});
    bill.Kind = TBillRentObject::RentalReceipt;
    bill.BillNo = QStringLiteral("17");
    capture_.failFrom = 5; // shop name (3 writes) and the rule go out
    EXPECT_EQ(Printed(bill, false),
              Emphasised(Sp(12) + QStringLiteral("影音小店")) + Lines({Rule}));
    EXPECT_EQ(capture_.writes, 5);
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Error),
              QStringList{QStringLiteral("打印出错！请检查打印机是否连接正确。")});
    EXPECT_EQ(prompter_.Messages().size(), 1);
    EXPECT_EQ(bill.Lines.size(), 1);

    // Once the printer is back the whole receipt goes out again.
    capture_ = TCapture();
    prompter_.Clear();
    EXPECT_TRUE(Printed(bill).endsWith(Footer()));
    EXPECT_TRUE(prompter_.Messages().isEmpty());
}

// Names and notes can hold any character; none of them may reach the printer as
// a command (ESC p opens the drawer, ESC ! changes the print mode).
TEST_F(ReceiptTest, ControlCharactersInTheTextsAreLeftOutAndTakeNoWidth) {
    const QChar esc(0x1b);
    shop_.Name = QStringLiteral("影音") + esc + u'p' + QChar(0) + u'2' + QStringLiteral("小店");
    shop_.Telephone = QStringLiteral("0571-8888") + esc + u'@';
    shop_.Address = QStringLiteral("解放路") + esc + u'!' + QChar(0x10) + QStringLiteral("1号");
    cashier_.Name = QStringLiteral("张") + QChar(0x10) + QStringLiteral("三");
    TBillRentObject bill(printer_, shop_, cashier_);
    Capture(bill);
    bill.AddLines({RentalLine(QStringLiteral("00\t01"), QStringLiteral("大话\r\n西游\x7f"))});
    bill.Kind = TBillRentObject::ReturnReceipt;
    bill.BillNo = QStringLiteral("17");
    bill.Amount2 = Currency::FromWhole(30);
    bill.Note = QStringLiteral("逾期\n一天") + QChar(0x1f);
    const QByteArray expected =
        Emphasised(Sp(11) + QStringLiteral("影音p2小店")) +
        Lines({Rule, QStringLiteral("小票号:17") + Sp(9) + QStringLiteral("收款:张三"),
               QStringLiteral("日期:2024-06-15") + Sp(3) + QStringLiteral("时间:HH:MM:SS"), Rule,
               QStringLiteral("影片编号    影片名称"),
               QStringLiteral("0001") + Sp(8) + QStringLiteral("大话西游"), Rule,
               Sp(8) + QStringLiteral("实退押金:30.00"), Sp(8) + QStringLiteral("实收租金:0.00"),
               QStringLiteral("说明:逾期一天"), QStringLiteral("============谢谢惠顾============"),
               Sp(8) + QStringLiteral("电话:0571-8888@"), QStringLiteral("地址:解放路!1号"),
               QString(), QString(), QString()});
    EXPECT_EQ(Printed(bill), expected);
}

TEST_F(ReceiptTest, SwitchedOffNothingIsSentAndNoMessageShown) {
    printer_.OnOff = 0;
    capture_.failFrom = 1;
    TBillRentObject bill(printer_, shop_, cashier_);
    Capture(bill);
    bill.Kind = TBillRentObject::RentalReceipt;
    EXPECT_TRUE(bill.Print());
    EXPECT_TRUE(bill.Printer.OpenDrawer());
    EXPECT_EQ(capture_.writes, 0);
    EXPECT_TRUE(prompter_.Messages().isEmpty());
}

} // namespace
