#pragma once

#include <QDate>
#include <QTime>

// The one clock that "today" comes from. The engines, the checks and the SQL
// function Date() all read it; tests and vintorctl set it.
class TClock {
public:
    static QDate Today();
    static QTime Now();
    // Fixes today's date until Release(); the time of day stays the real one.
    static void SetToday(const QDate& date);
    static void Release();
};
