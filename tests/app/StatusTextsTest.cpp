#include "app/StatusTexts.h"

#include "storage/records/Operator.h"
#include "storage/records/ShopInfo.h"

#include <gtest/gtest.h>

namespace {

TEST(StatusTextsTest, PanelsAndClock) {
    const QDateTime afternoon(QDate(2024, 6, 15), QTime(14, 30, 5));
    EXPECT_EQ(StatusTexts::LoginTime(afternoon),
              QStringLiteral("登录时间：星期六 2024年6月15日 时间：下午02:30"));
    EXPECT_EQ(StatusTexts::LoginTime(QDateTime(QDate(2024, 6, 17), QTime(9, 5))),
              QStringLiteral("登录时间：星期一 2024年6月17日 时间：上午09:05"));
    EXPECT_EQ(StatusTexts::LoginTime(QDateTime(QDate(2024, 6, 16), QTime(12, 0))),
              QStringLiteral("登录时间：星期日 2024年6月16日 时间：下午12:00"));
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
