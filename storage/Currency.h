#pragma once

#include <QString>
#include <QtGlobal>

#include <compare>
#include <optional>

// Money as the ledger keeps it: a signed count of 1/10000 units. Every result
// that is stored is rounded to that grid, nearest with ties to even; quotients
// are taken in long double before the rounding.
class Currency {
public:
    static constexpr qint64 Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency FromRaw(qint64 raw) { return Currency(raw); }
    static constexpr Currency FromWhole(qint64 whole) { return Currency(whole * Scale); }
    // Nearest 1/10000, ties to even. Values outside the range saturate.
    static Currency FromLongDouble(long double value);
    static Currency FromDouble(double value) { return FromLongDouble(value); }
    // Decimal text with an optional sign: "12.5", "-3", ".25", " 7 ". More than
    // four decimals are rounded half to even. Anything else gives nothing.
    static std::optional<Currency> Parse(const QString& text);

    constexpr qint64 Raw() const { return raw_; }
    long double ToLongDouble() const { return static_cast<long double>(raw_) / Scale; }
    double ToDouble() const { return static_cast<double>(ToLongDouble()); }
    // Plain decimal without trailing zeros: "12.5", "0", "-1.3333".
    QString ToPlainText() const;
    // Fixed decimals as "%0.2f" shows them: the exact value rounded half away from zero.
    QString ToFixed(int decimals) const;
    // The whole number nearest to the value, ties to even.
    qint64 RoundedWhole() const;
    bool IsZero() const { return raw_ == 0; }

    constexpr Currency operator-() const { return Currency(-raw_); }
    constexpr Currency Abs() const { return raw_ < 0 ? Currency(-raw_) : *this; }
    constexpr Currency operator+(Currency other) const { return Currency(raw_ + other.raw_); }
    constexpr Currency operator-(Currency other) const { return Currency(raw_ - other.raw_); }
    Currency& operator+=(Currency other) {
        raw_ += other.raw_;
        return *this;
    }
    Currency& operator-=(Currency other) {
        raw_ -= other.raw_;
        return *this;
    }
    constexpr Currency operator*(qint64 factor) const { return Currency(raw_ * factor); }
    // The exact product rounded to 1/10000, ties to even.
    Currency operator*(Currency other) const;
    // The quotient in long double (callers round it where they store it).
    long double operator/(Currency other) const { return ToLongDouble() / other.ToLongDouble(); }

    constexpr auto operator<=>(const Currency&) const = default;

private:
    constexpr explicit Currency(qint64 raw) : raw_(raw) {}
    qint64 raw_ = 0;
};

// The largest amount, either sign, that typed money may take. A money column
// holds the amount as a double, whose steps are finer than 1/10000 only under
// 2^39 (549755813888): there the nearest double reads back as the amount,
// above it an amount can read back one 1/10000 off. The limit is the round
// figure under that bound.
inline constexpr Currency MaxLedgerMoney = Currency::FromWhole(500'000'000'000);

// True when the ledger stores the amount exactly (within ±MaxLedgerMoney).
constexpr bool FitsLedger(Currency amount) {
    return amount >= -MaxLedgerMoney && amount <= MaxLedgerMoney;
}

// Nearest whole number of a long double, ties to even.
qint64 RoundHalfEven(long double value);
// A long double rounded to `decimals` places, ties to even.
long double RoundHalfEven(long double value, int decimals);

// Checked money arithmetic: nothing when the exact result leaves the range of
// the 64-bit count (where the operators above would wrap or saturate).
std::optional<Currency> CheckedAdd(Currency a, Currency b);
std::optional<Currency> CheckedSubtract(Currency a, Currency b);
std::optional<Currency> CheckedMultiply(Currency a, qint64 factor);
std::optional<Currency> CheckedFromLongDouble(long double value);
