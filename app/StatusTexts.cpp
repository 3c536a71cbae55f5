#include "app/StatusTexts.h"

#include "storage/records/Operator.h"
#include "storage/records/ShopInfo.h"

#include <QLocale>

namespace {

QString LongDate(const QDate& date) {
    return date.toString(QStringLiteral("yyyy'年'M'月'd'日'"));
}

} // namespace

namespace StatusTexts {

QString LoginUser(const TOperator& op) {
    return QStringLiteral("登录用户：") + op.Name;
}

QString LoginTime(const QDateTime& when) {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    return QStringLiteral("登录时间：%1 %2 时间：%3")
        .arg(chinese.dayName(when.date().dayOfWeek(), QLocale::LongFormat), LongDate(when.date()),
             chinese.toString(when.time(), QStringLiteral("APhh:mm")));
}

QString Shop(const TShopInfo& shop) {
    return shop.Name + QStringLiteral(" 电话:") + shop.Telephone;
}

QString Clock(const QDateTime& when) {
    return LongDate(when.date()) + u' ' + when.time().toString(QStringLiteral("HH:mm:ss"));
}

} // namespace StatusTexts
