#include "tests/support/jet/JetRow.h"

#include <bit>
#include <cmath>
#include <limits>
#include <optional>

namespace {

// Memo values longer than this many characters are never compressed.
constexpr int CompressibleMemoChars = 1024;
constexpr quint32 InlineMemo = 0x80000000;
constexpr quint32 SinglePageMemo = 0x40000000;
constexpr qsizetype MemoLimit = 1 << 24;

bool Present(const QVariant& value) {
    return value.isValid() && !value.isNull();
}

// An integer held by the variant; doubles only with `acceptDouble` and only
// when whole.
std::optional<qint64> Whole(const QVariant& value, bool acceptDouble = true) {
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return value.toLongLong();
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        if (value.toULongLong() > quint64(std::numeric_limits<qint64>::max())) {
            return std::nullopt;
        }
        return static_cast<qint64>(value.toULongLong());
    case QMetaType::Float:
    case QMetaType::Double: {
        const double number = value.toDouble();
        if (!acceptDouble || !std::isfinite(number) || number != std::trunc(number) ||
            std::fabs(number) >= 9.2e18) {
            return std::nullopt;
        }
        return static_cast<qint64>(number);
    }
    default:
        return std::nullopt;
    }
}

std::optional<double> Real(const QVariant& value) {
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        return value.toDouble();
    }
    if (const std::optional<qint64> whole = Whole(value)) {
        return static_cast<double>(*whole);
    }
    return std::nullopt;
}

} // namespace

QByteArray TJetRowEncoder::Encode(const QVariantList& values, quint32 rowNumber) {
    const QList<TJetColumnPlan>& columns = plan_.Columns();
    if (values.size() != columns.size()) {
        throw TJetWriteError{QStringLiteral("表“%1”第 %2 行有 %3 个值，应为 %4 个。")
                                 .arg(plan_.Name())
                                 .arg(rowNumber)
                                 .arg(values.size())
                                 .arg(columns.size())};
    }
    QByteArray fixed(plan_.FixedSize(), '\0');
    QList<QByteArray> vars(plan_.VarCount());
    QByteArray nullMask((columns.size() + 7) / 8, '\0');
    row_ = rowNumber;
    for (const TJetColumnPlan& c : columns) {
        const QVariant& value = values[c.number];
        column_ = &c;
        bool bit = Present(value);
        if (c.column.type == TJetType::Boolean) {
            // A yes/no column keeps its value in the null mask: never NULL.
            const std::optional<qint64> truth = bit ? Whole(value) : qint64(0);
            if (!truth) {
                Refuse(QStringLiteral("的值不是是/否。"));
            }
            bit = *truth != 0;
        } else if (!bit && c.column.autoNumber) {
            Refuse(QStringLiteral("是自动编号，不能为空。"));
        } else if (bit && c.fixed) {
            fixed.replace(c.fixedOffset, c.length, Fixed(c, value));
        } else if (bit && c.column.type == TJetType::LongBinary) {
            if (value.typeId() != QMetaType::QByteArray) {
                Refuse(QStringLiteral("的值不是字节串。"));
            }
            vars[c.varIndex] = LongValue(value.toByteArray());
        } else if (bit) {
            if (value.typeId() != QMetaType::QString) {
                Refuse(QStringLiteral("的值不是文本。"));
            }
            vars[c.varIndex] = Text(c, value.toString());
        }
        if (bit) {
            nullMask[c.number / 8] = static_cast<char>(static_cast<quint8>(nullMask[c.number / 8]) |
                                                       (1u << (c.number % 8)));
        }
    }
    QByteArray row = Assemble(fixed, vars, nullMask);
    if (row.size() > plan_.Layout().MaxRowSize()) {
        throw TJetWriteError{QStringLiteral("表“%1”第 %2 行有 %3 字节，一页放不下（最多 %4）。")
                                 .arg(plan_.Name())
                                 .arg(rowNumber)
                                 .arg(row.size())
                                 .arg(plan_.Layout().MaxRowSize())};
    }
    return row;
}

void TJetRowEncoder::Refuse(const QString& why) const {
    throw TJetWriteError{QStringLiteral("表“%1”第 %2 行“%3”列")
                             .arg(plan_.Name())
                             .arg(row_)
                             .arg(column_->column.name) +
                         why};
}

QByteArray TJetRowEncoder::Fixed(const TJetColumnPlan& c, const QVariant& value) const {
    QByteArray bytes(c.length, '\0');
    const auto ranged = [&](qint64 low, qint64 high) {
        const std::optional<qint64> whole = Whole(value);
        if (!whole || *whole < low || *whole > high) {
            Refuse(QStringLiteral("的值不是 %1 到 %2 之间的整数。").arg(low).arg(high));
        }
        return *whole;
    };
    switch (c.column.type) {
    case TJetType::Byte:
        PutU8(bytes, 0, static_cast<quint8>(ranged(0, 255)));
        break;
    case TJetType::Integer:
        PutU16(bytes, 0, static_cast<quint16>(ranged(-32768, 32767)));
        break;
    case TJetType::Long:
        PutU32(bytes, 0,
               static_cast<quint32>(
                   ranged(std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max())));
        break;
    case TJetType::Currency: {
        // A double here is a mistake (an amount, not a count of 1/10000).
        const std::optional<qint64> raw = Whole(value, false);
        if (!raw) {
            Refuse(QStringLiteral("的金额要以 1/10000 为单位的整数给出。"));
        }
        PutU64(bytes, 0, static_cast<quint64>(*raw));
        break;
    }
    case TJetType::Single: {
        const std::optional<double> number = Real(value);
        if (!number || std::fabs(*number) > std::numeric_limits<float>::max()) {
            Refuse(QStringLiteral("的值不是单精度数。"));
        }
        PutU32(bytes, 0, std::bit_cast<quint32>(static_cast<float>(*number)));
        break;
    }
    case TJetType::Double: {
        const std::optional<double> number = Real(value);
        if (!number) {
            Refuse(QStringLiteral("的值不是数。"));
        }
        PutU64(bytes, 0, std::bit_cast<quint64>(*number));
        break;
    }
    case TJetType::DateTime: {
        const std::optional<double> day = JetDayNumber(value);
        if (!day) {
            Refuse(QStringLiteral("的值不是 100 年到 9999 年之间的日期。"));
        }
        PutU64(bytes, 0, std::bit_cast<quint64>(*day));
        break;
    }
    default:
        Q_UNREACHABLE();
    }
    return bytes;
}

QByteArray TJetRowEncoder::Text(const TJetColumnPlan& c, const QString& value) {
    const bool memo = c.column.type == TJetType::Memo;
    if (!memo && value.size() > c.column.size) {
        Refuse(QStringLiteral("的文本有 %1 个字符，超过了列宽 %2。")
                   .arg(value.size())
                   .arg(c.column.size));
    }
    const std::optional<QByteArray> bytes =
        text_.Value(value, !memo || value.size() <= CompressibleMemoChars);
    if (!bytes) {
        Refuse((plan_.Layout().Jet4() ? QStringLiteral("的文本以 U+FEFF 开头，又不能压缩。")
                                      : QStringLiteral("的文本含有 GBK 不能表示的字符。")));
    }
    return memo ? LongValue(*bytes) : *bytes;
}

QByteArray TJetRowEncoder::LongValue(const QByteArray& data) {
    if (data.size() >= MemoLimit) {
        Refuse(QStringLiteral("的值超过 16 MB。"));
    }
    const auto size = static_cast<quint32>(data.size());
    QByteArray head(12, '\0');
    if (data.size() <= InlineMemoBytes) {
        PutU32(head, 0, size | InlineMemo);
        return head + data;
    }
    const int pageRoom = plan_.Layout().MaxRowSize();
    if (data.size() <= pageRoom) {
        PutU32(head, 0, size | SinglePageMemo);
        PutU32(head, 4, longValues_.Add(data));
        return head;
    }
    // A chain of pieces, each with the address of the next: written from its
    // end, so that every piece knows where the next one went.
    const qsizetype piece = pageRoom - 4;
    quint32 next = 0;
    for (qsizetype from = (data.size() - 1) / piece * piece; from >= 0; from -= piece) {
        QByteArray row;
        AppendU32(row, next);
        row.append(data.mid(from, piece));
        next = longValues_.Add(row);
    }
    PutU32(head, 0, size);
    PutU32(head, 4, next);
    return head;
}

QByteArray TJetRowEncoder::Assemble(const QByteArray& fixed, const QList<QByteArray>& vars,
                                    const QByteArray& nullMask) const {
    const bool jet4 = plan_.Layout().Jet4();
    const auto columnCount = static_cast<quint16>(plan_.Columns().size());
    QByteArray row;
    if (jet4) {
        AppendU16(row, columnCount);
    } else {
        AppendU8(row, static_cast<quint8>(columnCount));
    }
    row.append(fixed);
    if (vars.isEmpty()) {
        return row + nullMask;
    }
    // offsets[i]: where variable column i begins; the last entry is the end
    // of the variable data.
    QList<qsizetype> offsets;
    for (const QByteArray& var : vars) {
        offsets.append(row.size());
        row.append(var);
    }
    const qsizetype end = row.size();
    offsets.append(end);
    const auto count = static_cast<quint16>(vars.size());
    if (jet4) {
        for (qsizetype i = offsets.size() - 1; i >= 0; --i) {
            AppendU16(row, static_cast<quint16>(offsets[i]));
        }
        AppendU16(row, count);
        return row + nullMask;
    }
    // Jet 3 keeps only the low byte of each offset. The jump table names, for
    // each multiple of 256, the first offset at or past it; the reader counts
    // (row length - 1) / 256 entries, so a row whose tail pushes it past a
    // multiple that no offset reaches carries one dummy entry (FF).
    const qsizetype tail = offsets.size() + 1 + nullMask.size();
    qsizetype jumps = 0;
    while ((end + tail + jumps - 1) / 256 != jumps) {
        ++jumps;
    }
    const qsizetype real = end / 256;
    Q_ASSERT(jumps == real || jumps == real + 1);
    for (qsizetype i = offsets.size() - 1; i >= 0; --i) {
        AppendU8(row, static_cast<quint8>(offsets[i] & 0xff));
    }
    for (qsizetype j = jumps - 1; j >= 0; --j) {
        quint8 first = 0xff;
        if (j < real) {
            first = 0;
            while (offsets[first] < 256 * (j + 1)) {
                ++first;
            }
        }
        AppendU8(row, first);
    }
    AppendU8(row, static_cast<quint8>(count));
    return row + nullMask;
}
