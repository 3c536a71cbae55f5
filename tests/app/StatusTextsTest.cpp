#include "app/StatusTexts.h"

#include "storage/Operator.h"
#include "storage/ShopInfo.h"

#include <gtest/gtest.h>

namespace {

TEST(StatusTextsTest, PanelsAndClock) {
    const QDateTime afternoon(QDate(2024, 6, 15), QTime(14, 30, 5));
    EXPECT_EQ(StatusTexts::LoginTime(afternoon),
              QStringLiteral("登录时间：星期六, 2024年6月15日 时间：02:30 PM"));
    EXPECT_EQ(StatusTexts::LoginTime(QDateTime(QDate(2024, 6, 17), QTime(9, 5))),
              QStringLiteral("登录时间：星期一, 2024年6月17日 时间：09:05 AM"));
    EXPECT_EQ(StatusTexts::Clock(afternoon), QStringLiteral("2024年6月15日 14:30:05"));

    TOperator op;
    op.Name = QStringLiteral("小王");
    EXPECT_EQ(StatusTexts::LoginUser(op), QStringLiteral("登录用户：小王"));
    TShopInfo shop;
    shop.Name = QStringLiteral("星光影碟出租店");
    shop.Telephone = QStringLiteral("0571-88886666");
    EXPECT_EQ(StatusTexts::Shop(shop), QStringLiteral("星光影碟出租店 电话:0571-88886666"));
}

} // namespace
