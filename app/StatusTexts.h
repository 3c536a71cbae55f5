#pragma once

#include <QDateTime>
#include <QString>

class TOperator;
class TShopInfo;

// The texts of the main window's status bar and caption clock.
namespace StatusTexts {

// "登录用户：" and the operator's name.
QString LoginUser(const TOperator& op);
// "登录时间：" with the weekday, the long date and the 12-hour time after
// 上午 or 下午, all in Chinese form.
QString LoginTime(const QDateTime& when);
// The shop's name and telephone.
QString Shop(const TShopInfo& shop);
// The caption strip's clock: long date and time of day.
QString Clock(const QDateTime& when);

} // namespace StatusTexts
