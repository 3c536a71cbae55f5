#include "storage/Clock.h"

#include <optional>

namespace {
std::optional<QDate>& FixedToday() {
    static std::optional<QDate> fixed;
    return fixed;
}
} // namespace

QDate TClock::Today() {
    return FixedToday().value_or(QDate::currentDate());
}

QTime TClock::Now() {
    return QTime::currentTime();
}

void TClock::SetToday(const QDate& date) {
    FixedToday() = date;
}

void TClock::Release() {
    FixedToday().reset();
}
