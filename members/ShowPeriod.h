#pragma once

#include <QDate>

#include <optional>

// The first day the funds list shows for the ShowOption setting.
namespace ShowPeriod {

// This month: its first day; this week: the Sunday it began; today: today;
// all (or any other value): no limit.
std::optional<QDate> Start(int showOption, const QDate& today);

} // namespace ShowPeriod
