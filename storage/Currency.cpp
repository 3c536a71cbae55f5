#include "storage/Currency.h"

#include <cmath>
#include <limits>

namespace {
__extension__ using Int128 = __int128;
}

qint64 RoundHalfEven(long double value) {
    const long double floorValue = std::floor(value);
    const long double diff = value - floorValue;
    long double result = floorValue;
    if (diff > 0.5L) {
        result = floorValue + 1;
    } else if (diff == 0.5L) {
        result = std::fmod(floorValue, 2.0L) == 0 ? floorValue : floorValue + 1;
    }
    constexpr long double maxValue = static_cast<long double>(std::numeric_limits<qint64>::max());
    if (result >= maxValue) {
        return std::numeric_limits<qint64>::max();
    }
    if (result <= -maxValue) {
        return std::numeric_limits<qint64>::min();
    }
    return static_cast<qint64>(result);
}

long double RoundHalfEven(long double value, int decimals) {
    const long double factor = std::pow(10.0L, decimals);
    return static_cast<long double>(RoundHalfEven(value * factor)) / factor;
}

Currency Currency::FromLongDouble(long double value) {
    if (std::isnan(value)) {
        return Currency();
    }
    return Currency(RoundHalfEven(value * Scale));
}

std::optional<Currency> Currency::Parse(const QString& text) {
    const QString t = text.trimmed();
    int pos = 0;
    bool negative = false;
    if (pos < t.size() && (t[pos] == u'-' || t[pos] == u'+')) {
        negative = t[pos] == u'-';
        ++pos;
    }
    Int128 whole = 0;
    int intDigits = 0;
    while (pos < t.size() && t[pos].isDigit() && t[pos].unicode() < 128) {
        whole = whole * 10 + (t[pos].unicode() - u'0');
        if (whole > (Int128(1) << 80)) {
            return std::nullopt;
        }
        ++intDigits;
        ++pos;
    }
    // Up to four decimals kept exactly, the fifth and later decide the rounding.
    qint64 fraction = 0;
    int fracDigits = 0;
    bool beyondHalf = false; // something non-zero after the fifth decimal
    int fifth = -1;
    if (pos < t.size() && t[pos] == u'.') {
        ++pos;
        while (pos < t.size() && t[pos].isDigit() && t[pos].unicode() < 128) {
            const int digit = t[pos].unicode() - u'0';
            if (fracDigits < 4) {
                fraction = fraction * 10 + digit;
            } else if (fracDigits == 4) {
                fifth = digit;
            } else if (digit != 0) {
                beyondHalf = true;
            }
            ++fracDigits;
            ++pos;
        }
    }
    if (pos != t.size() || (intDigits == 0 && fracDigits == 0)) {
        return std::nullopt;
    }
    for (int i = fracDigits; i < 4; ++i) {
        fraction *= 10;
    }
    Int128 raw = whole * Scale + fraction;
    if (fifth > 5 || (fifth == 5 && (beyondHalf || (raw & 1) != 0))) {
        ++raw;
    }
    if (raw > std::numeric_limits<qint64>::max()) {
        return std::nullopt;
    }
    return Currency(negative ? -static_cast<qint64>(raw) : static_cast<qint64>(raw));
}

QString Currency::ToPlainText() const {
    QString text = ToFixed(4);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0')) {
            text.chop(1);
        }
        if (text.endsWith(u'.')) {
            text.chop(1);
        }
    }
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QString Currency::ToFixed(int decimals) const {
    decimals = qBound(0, decimals, 4);
    qint64 divisor = 1;
    for (int i = decimals; i < 4; ++i) {
        divisor *= 10;
    }
    const bool negative = raw_ < 0;
    // Work on the magnitude in unsigned arithmetic so the smallest value is safe.
    quint64 magnitude = negative ? quint64(0) - quint64(raw_) : quint64(raw_);
    quint64 scaled = magnitude / quint64(divisor);
    if ((magnitude % quint64(divisor)) * 2 >= quint64(divisor) && divisor > 1) {
        ++scaled;
    }
    quint64 unit = 1;
    for (int i = 0; i < decimals; ++i) {
        unit *= 10;
    }
    QString text = QString::number(scaled / unit);
    if (decimals > 0) {
        text += u'.' + QString::number(scaled % unit).rightJustified(decimals, u'0');
    }
    if (negative && scaled != 0) {
        text.prepend(u'-');
    }
    return text;
}

qint64 Currency::RoundedWhole() const {
    return RoundHalfEven(ToLongDouble());
}

Currency Currency::operator*(Currency other) const {
    const Int128 product = Int128(raw_) * other.raw_;
    Int128 quotient = product / Scale;
    Int128 remainder = product % Scale;
    if (remainder < 0) {
        remainder += Scale;
        quotient -= 1;
    }
    if (remainder * 2 > Scale || (remainder * 2 == Scale && (quotient & 1) != 0)) {
        quotient += 1;
    }
    return Currency(static_cast<qint64>(quotient));
}

std::optional<Currency> CheckedAdd(Currency a, Currency b) {
    qint64 raw = 0;
    if (__builtin_add_overflow(a.Raw(), b.Raw(), &raw)) {
        return std::nullopt;
    }
    return Currency::FromRaw(raw);
}

std::optional<Currency> CheckedSubtract(Currency a, Currency b) {
    qint64 raw = 0;
    if (__builtin_sub_overflow(a.Raw(), b.Raw(), &raw)) {
        return std::nullopt;
    }
    return Currency::FromRaw(raw);
}

std::optional<Currency> CheckedMultiply(Currency a, qint64 factor) {
    qint64 raw = 0;
    if (__builtin_mul_overflow(a.Raw(), factor, &raw)) {
        return std::nullopt;
    }
    return Currency::FromRaw(raw);
}

std::optional<Currency> CheckedFromLongDouble(long double value) {
    // 2^63 is exact in long double; every raw value below it in magnitude fits.
    constexpr long double limit = 9223372036854775808.0L;
    const long double scaled = value * Currency::Scale;
    if (std::isnan(value) || scaled >= limit || scaled <= -limit) {
        return std::nullopt;
    }
    return Currency::FromLongDouble(value);
}
