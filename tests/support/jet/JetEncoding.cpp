#include "tests/support/jet/JetEncoding.h"

#include <QDate>
#include <QDateTime>

#include <array>
#include <bit>
#include <cmath>

namespace {

constexpr int HeaderMaskStart = 0x18;
constexpr quint32 HeaderMaskKey = 0x6b39dac7;
constexpr int VersionOffset = 0x14;
constexpr int CodePageOffset = 0x3c;
constexpr int DatabaseKeyOffset = 0x3e;
constexpr int PasswordOffset = 0x42;
constexpr int Jet3SortOrderOffset = 0x3a;
constexpr int Jet4SortOrderOffset = 0x6e;
constexpr int Jet4CreationOffset = 0x72;

const QDate DayZero(1899, 12, 30);
const QDate FirstDay(100, 1, 1);
const QDate LastDay(9999, 12, 31);

} // namespace

TJetTextEncoder::TJetTextEncoder(TJetFormat format)
    : format_(format), gbk_("GBK", QStringConverter::Flag::Stateless) {}

std::optional<QByteArray> TJetTextEncoder::Value(const QString& text, bool compress) {
    if (format_ == TJetFormat::Jet3) {
        QByteArray bytes = gbk_.encode(text);
        if (gbk_.hasError()) {
            gbk_.resetState();
            return std::nullopt;
        }
        return bytes;
    }
    // A plain text starting with U+FEFF would begin with FF FE, the mark of
    // the compressed form: such a text is only written compressed.
    const bool markFirst = !text.isEmpty() && text.front() == QChar(0xFEFF);
    if (compress || markFirst) {
        std::optional<QByteArray> compressed = Compressed(text);
        if (compressed && (markFirst || compressed->size() < 2 * text.size())) {
            return compressed;
        }
        if (markFirst) {
            return std::nullopt;
        }
    }
    return Ucs2(text);
}

QByteArray TJetTextEncoder::Ucs2(const QString& text) const {
    QByteArray bytes(2 * text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        PutU16(bytes, 2 * i, text[i].unicode());
    }
    return bytes;
}

std::optional<QByteArray> TJetTextEncoder::Compressed(const QString& text) {
    QByteArray bytes("\xff\xfe", 2);
    bool oneByte = true;
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if ((unit & 0xff) == 0) {
            return std::nullopt;
        }
        const bool small = unit < 0x100;
        if (small != oneByte) {
            bytes.append('\0');
            oneByte = small;
        }
        AppendU8(bytes, static_cast<quint8>(unit & 0xff));
        if (!small) {
            AppendU8(bytes, static_cast<quint8>(unit >> 8));
        }
    }
    return bytes;
}

std::optional<double> JetDayNumber(const QVariant& value) {
    QDate date;
    double fraction = 0;
    switch (value.typeId()) {
    case QMetaType::QDate:
        date = value.toDate();
        break;
    case QMetaType::QDateTime: {
        const QDateTime stamp = value.toDateTime();
        date = stamp.date();
        fraction = stamp.time().msecsSinceStartOfDay() / 86'400'000.0;
        break;
    }
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong: {
        const double number = value.toDouble();
        const double lowest = static_cast<double>(DayZero.daysTo(FirstDay)) - 1;
        const double highest = static_cast<double>(DayZero.daysTo(LastDay)) + 1;
        if (!std::isfinite(number) || number <= lowest || number >= highest) {
            return std::nullopt;
        }
        return number;
    }
    default:
        return std::nullopt;
    }
    if (!date.isValid() || date < FirstDay || date > LastDay) {
        return std::nullopt;
    }
    const auto days = static_cast<double>(DayZero.daysTo(date));
    return days < 0 ? days - fraction : days + fraction;
}

void JetRc4(QByteArray& bytes, qsizetype from, qsizetype length, quint32 key) {
    std::array<quint8, 4> keyBytes{};
    qToLittleEndian(key, keyBytes.data());
    std::array<quint8, 256> state{};
    for (int i = 0; i < 256; ++i) {
        state[i] = static_cast<quint8>(i);
    }
    quint8 j = 0;
    for (int i = 0; i < 256; ++i) {
        j = static_cast<quint8>(j + state[i] + keyBytes[i % 4]);
        std::swap(state[i], state[j]);
    }
    quint8 x = 0;
    quint8 y = 0;
    for (qsizetype n = 0; n < length; ++n) {
        x = static_cast<quint8>(x + 1);
        y = static_cast<quint8>(y + state[x]);
        std::swap(state[x], state[y]);
        const quint8 stream = state[static_cast<quint8>(state[x] + state[y])];
        bytes[from + n] = static_cast<char>(static_cast<quint8>(bytes[from + n]) ^ stream);
    }
}

QByteArray JetHeaderPage(const TJetLayout& layout) {
    QByteArray page(layout.pageSize, '\0');
    PutU8(page, 1, 0x01);
    const QByteArray signature("Standard Jet DB");
    page.replace(4, signature.size(), signature);
    PutU32(page, VersionOffset, layout.Jet4() ? 1 : 0);
    PutU16(page, CodePageOffset, JetGbkCodePage);
    PutU32(page, DatabaseKeyOffset, 0); // 0: the pages themselves are not encrypted
    const QByteArray password(JetLedgerPassword);
    if (layout.Jet4()) {
        // UCS-2 in 40 bytes, each byte masked with the creation stamp's whole
        // days (four little-endian bytes, repeated).
        std::array<quint8, 4> mask{};
        qToLittleEndian(static_cast<qint32>(JetCreationStamp), mask.data());
        for (int i = 0; i < 40; ++i) {
            const quint8 plain =
                i % 2 == 0 && i / 2 < password.size() ? static_cast<quint8>(password[i / 2]) : 0;
            PutU8(page, PasswordOffset + i, plain ^ mask[i % 4]);
        }
        PutU16(page, Jet4SortOrderOffset, JetChineseSortOrder);
        PutU64(page, Jet4CreationOffset, std::bit_cast<quint64>(JetCreationStamp));
    } else {
        page.replace(PasswordOffset, password.size(), password);
        PutU16(page, Jet3SortOrderOffset, JetChineseSortOrder);
    }
    JetRc4(page, HeaderMaskStart, layout.Jet4() ? 128 : 126, HeaderMaskKey);
    return page;
}
