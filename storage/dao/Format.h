#pragma once

#include "storage/Currency.h"

#include <QString>

#include <initializer_list>
#include <variant>

// One argument of Format: whole numbers, money, floating point or text.
class TFormatArg {
public:
    TFormatArg(int v) : value_(qint64(v)) {}
    TFormatArg(long v) : value_(qint64(v)) {}
    TFormatArg(long long v) : value_(qint64(v)) {}
    TFormatArg(unsigned v) : value_(qint64(v)) {}
    TFormatArg(unsigned long v) : value_(qint64(v)) {}
    TFormatArg(bool v) : value_(qint64(v ? 1 : 0)) {}
    TFormatArg(Currency v) : value_(v) {}
    TFormatArg(double v) : value_(static_cast<long double>(v)) {}
    TFormatArg(long double v) : value_(v) {}
    TFormatArg(const QString& v) : value_(v) {}
    TFormatArg(const char* v) : value_(QString::fromUtf8(v)) {}

    const std::variant<qint64, Currency, long double, QString>& Value() const { return value_; }

private:
    std::variant<qint64, Currency, long double, QString> value_;
};

// printf-style formatting as the program writes its texts: %d, %s, %f (two
// decimals unless a precision is given, as in "%0.2f"), %x, %%, with the flags
// "-" and "0" and a width. Missing arguments format as nothing.
QString Format(const QString& pattern, std::initializer_list<TFormatArg> args = {});

// The same for SQL text: a %s standing inside a double-quoted (or
// apostrophe-quoted) stretch of the pattern has its own quote characters
// doubled, so a value such as 他说"好" is stored and found as typed.
QString SqlFormat(const QString& pattern, std::initializer_list<TFormatArg> args = {});

// Typed text as a literal inside a Jet LIKE pattern: its wildcards (*, ?, #)
// and the bracket [ stand for themselves, each written as [c].
QString LikeLiteral(const QString& text);

// A table, column or index name as an SQL identifier: in double quotes, its
// own double quotes doubled.
QString QuoteName(const QString& name);
