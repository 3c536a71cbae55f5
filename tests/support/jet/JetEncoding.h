#pragma once

#include "tests/support/jet/JetLayout.h"

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <QVariant>

#include <optional>

// Text as a Jet file stores it. Jet 4: UCS-2 (little-endian), or its
// compressed form when asked for and shorter: FF FE, then characters below
// U+0100 as one byte and others as two, each 00 byte switching between the
// two, starting with one-byte characters. A text with a character whose low
// byte is 00 cannot be compressed (the reader would take that byte for a
// switch). Jet 3: the bytes of code page 936 (GBK).
class TJetTextEncoder {
public:
    explicit TJetTextEncoder(TJetFormat format);

    // The stored bytes of a value, or nothing when the encoding cannot hold
    // one of its characters.
    std::optional<QByteArray> Value(const QString& text, bool compress);
    // A table or column name: never compressed.
    std::optional<QByteArray> Name(const QString& name) { return Value(name, false); }

private:
    QByteArray Ucs2(const QString& text) const;
    static std::optional<QByteArray> Compressed(const QString& text);

    TJetFormat format_;
    QStringEncoder gbk_;
};

// The day number Jet keeps for a date: days since 1899-12-30, the time of day
// as the fraction (away from zero before that day). Takes a QDate, a QDateTime
// or a number that already is a day number; nothing for anything else or a
// day outside 100-01-01…9999-12-31.
std::optional<double> JetDayNumber(const QVariant& value);

// The database password every ledger carries.
inline constexpr char JetLedgerPassword[] = "408317";
// The creation stamp written into every header (2004-05-01 12:00); Jet 4
// masks the password with its whole days.
inline constexpr double JetCreationStamp = 38108.5;

// The header page: version, code page 936, no page encryption, the password
// and the creation stamp, with the area from 0x18 masked by RC4 as readers
// expect.
QByteArray JetHeaderPage(const TJetLayout& layout);

// RC4 with a 32-bit key (as its four little-endian bytes) applied in place to
// bytes [from, from + length). Masking twice restores the bytes.
void JetRc4(QByteArray& bytes, qsizetype from, qsizetype length, quint32 key);
