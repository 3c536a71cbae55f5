#include "tests/sales/SaleFixture.h"

#include "storage/dao/DM.h"
#include "storage/records/SaleCd.h"

void SaleTest::SetUp() {
    LedgerTest::SetUp();
    scope_ = std::make_unique<TPrompterScope>(prompter_);
    printer_.LoadById(1);
    shop_.LoadById(1);
    cashier_.LoadById(1);
    engine_ = std::make_unique<TSaleObject>(printer_, shop_, cashier_);
    engine_->Bill.Printer.SetPort(std::make_unique<TCapturePort>(capture_));
}

void SaleTest::TearDown() {
    engine_.reset();
    scope_.reset();
    LedgerTest::TearDown();
}

Currency SaleTest::Money(const char* text) {
    return Currency::Parse(QString::fromUtf8(text)).value();
}

int SaleTest::AddTitle(const QString& code, const char* price, int stock) {
    TSaleCd title;
    title.Id = -1;
    title.Code = code;
    title.Name = QStringLiteral("影片") + code;
    title.Day = QDate(2024, 1, 1);
    title.Number1 = stock;
    title.Number2 = stock;
    title.Price = Money(price);
    title.Save();
    return title.Id;
}

int SaleTest::Stock(const QString& code) {
    return Value(QStringLiteral("SELECT Number2 AS V FROM TbSaleCd WHERE Code=\"%1\"").arg(code))
        .toInt();
}

QString SaleTest::Dump() const {
    QString all;
    for (const char* table : {"TbSTransaction", "TbFTransaction", "TbSaleCd"}) {
        dm_->OpenSql(QStringLiteral("SELECT * FROM %1 ORDER BY Id").arg(QLatin1String(table)));
        for (; !dm_->Q1.Eof(); dm_->Q1.Next()) {
            for (int i = 0; i < dm_->Q1.FieldCount(); ++i) {
                all += dm_->Q1.Fields(i).AsString() + u'|';
            }
            all += u'\n';
        }
        dm_->Q1.Close();
    }
    return all;
}

void SaleTest::Sell(const QStringList& codes) {
    engine_->EnterCodes(codes);
    engine_->CommitSale();
}
