#include "tests/sales/StockFixture.h"

#include <gtest/gtest.h>

void StockTest::SetUp() {
    LedgerTest::SetUp();
    scope_ = std::make_unique<TPrompterScope>(prompter_);
    dm_->ExecSql(QStringLiteral("INSERT INTO TbCompany (Name,Address,Telephone,Memo) VALUES "
                                "(\"音像公司\",\"\",\"\",\"\")"));
    supplier_ = Value(QStringLiteral("SELECT Max(Id) AS V FROM TbCompany")).toInt();
    dm_->ExecSql(QStringLiteral("INSERT INTO TbAccount (Name,[Max],[Min],[No],Bank,Contact,"
                                "Telephone,Memo) VALUES (\"银行\",0,0,\"\",\"\",\"\",\"\",\"\")"));
    bank_ = Value(QStringLiteral("SELECT Max(Id) AS V FROM TbAccount")).toInt();
}

void StockTest::TearDown() {
    scope_.reset();
    LedgerTest::TearDown();
}

TStockHeader StockTest::Header(const QString& amount) const {
    TStockHeader header;
    header.day = QStringLiteral("2024-06-15");
    header.supplier = supplier_;
    header.account = bank_;
    header.operatorId = 1;
    header.amount = amount;
    header.memo = QStringLiteral("进货");
    return header;
}

QString StockTest::Refused(const TChecked& checked) const {
    if (!checked) {
        return QString();
    }
    EXPECT_FALSE(prompter_.Messages().isEmpty());
    if (!prompter_.Messages().isEmpty()) {
        EXPECT_EQ(checked->message, prompter_.Messages().last().text);
    }
    return checked->field;
}
