#include "tests/support/jet/JetTable.h"

#include <QSet>

namespace {

constexpr quint8 DefinitionPage = 0x02;
constexpr int HeaderSize = 8;
constexpr int MaxNameLength = 64;
constexpr int MaxColumns = 255;
constexpr int MaxTextSize = 255;
// Stands in the fields whose meaning is unknown, as other writers put it there.
constexpr quint32 DefinitionMagic = 1625;
constexpr quint8 UserTable = 0x4e;
constexpr quint8 SystemTable = 0x53;
constexpr quint8 FixedFlag = 0x01;
constexpr quint8 NullableFlag = 0x02;
constexpr quint8 AutoLongFlag = 0x04;
constexpr quint8 CompressedUnicodeFlag = 0x01;

struct TTypeInfo {
    quint8 code;
    int size; // fixed size in bytes, -1 for variable columns
};

TTypeInfo TypeInfo(TJetType type) {
    switch (type) {
    case TJetType::Boolean:
        return {0x01, 0};
    case TJetType::Byte:
        return {0x02, 1};
    case TJetType::Integer:
        return {0x03, 2};
    case TJetType::Long:
        return {0x04, 4};
    case TJetType::Currency:
        return {0x05, 8};
    case TJetType::Single:
        return {0x06, 4};
    case TJetType::Double:
        return {0x07, 8};
    case TJetType::DateTime:
        return {0x08, 8};
    case TJetType::Text:
        return {0x0a, -1};
    case TJetType::Memo:
        return {0x0c, -1};
    case TJetType::LongBinary:
        return {0x0b, -1};
    }
    return {0, 0};
}

bool IsText(TJetType type) {
    return type == TJetType::Text || type == TJetType::Memo;
}

void CheckName(const QString& name, const QString& what) {
    static const QString forbidden = QStringLiteral(".![]`");
    bool bad = name.trimmed().isEmpty() || name.size() > MaxNameLength || name.front() == u' ';
    for (const QChar c : name) {
        bad = bad || c.unicode() < 0x20 || forbidden.contains(c);
    }
    if (bad) {
        throw TJetWriteError{QStringLiteral("%1“%2”不能用作 Jet 的名称（1 到 %3 个字符，不含控制"
                                            "字符和 . ! [ ] `）。")
                                 .arg(what, name)
                                 .arg(MaxNameLength)};
    }
}

} // namespace

TJetTablePlan::TJetTablePlan(const TJetLayout& layout, const QString& name,
                             const QList<TJetColumn>& columns, bool system)
    : layout_(layout), name_(name), system_(system) {
    CheckName(name, QStringLiteral("表名"));
    if (columns.isEmpty() || columns.size() > MaxColumns) {
        throw TJetWriteError{QStringLiteral("表“%1”要有 1 到 %2 列。").arg(name).arg(MaxColumns)};
    }
    TJetTextEncoder encoder(layout.format);
    QSet<QString> seen;
    for (const TJetColumn& column : columns) {
        CheckName(column.name, QStringLiteral("表“%1”的列名").arg(name));
        if (seen.contains(column.name.toCaseFolded())) {
            throw TJetWriteError{QStringLiteral("表“%1”有两列都叫“%2”。").arg(name, column.name)};
        }
        seen.insert(column.name.toCaseFolded());
        if (column.type == TJetType::Text && (column.size < 1 || column.size > MaxTextSize)) {
            throw TJetWriteError{QStringLiteral("表“%1”的文本列“%2”长度 %3 不在 1 到 %4 之间。")
                                     .arg(name, column.name)
                                     .arg(column.size)
                                     .arg(MaxTextSize)};
        }
        if (column.autoNumber && (column.type != TJetType::Long || autoNumber_ >= 0)) {
            throw TJetWriteError{QStringLiteral("表“%1”的列“%2”不能自动编号：只有一列长整型可以。")
                                     .arg(name, column.name)};
        }
        std::optional<QByteArray> encodedName = encoder.Name(column.name);
        if (!encodedName) {
            throw TJetWriteError{
                QStringLiteral("表“%1”的列名“%2”含有 GBK 不能表示的字符。").arg(name, column.name)};
        }
        names_.append(*encodedName);

        const TTypeInfo info = TypeInfo(column.type);
        TJetColumnPlan plan;
        plan.column = column;
        plan.code = info.code;
        plan.number = static_cast<int>(columns_.size());
        plan.fixed = info.size >= 0;
        if (plan.fixed) {
            plan.fixedOffset = fixedSize_;
            plan.length = info.size;
            fixedSize_ += info.size;
        } else {
            plan.varIndex = varCount_++;
            plan.length = column.type == TJetType::Text ? column.size * (layout.Jet4() ? 2 : 1) : 0;
        }
        if (column.autoNumber) {
            autoNumber_ = plan.number;
        }
        columns_.append(plan);
    }
    if (!encoder.Name(name)) {
        throw TJetWriteError{QStringLiteral("表名“%1”含有 GBK 不能表示的字符。").arg(name)};
    }
}

QByteArray TJetTablePlan::Definition(const TJetTableState& state) const {
    const auto columnCount = static_cast<quint16>(columns_.size());
    QByteArray d(HeaderSize, '\0');
    AppendU32(d, 0); // the definition's length, set below
    if (layout_.Jet4()) {
        AppendU32(d, DefinitionMagic);
    }
    AppendU32(d, state.rows);
    AppendU32(d, static_cast<quint32>(autoNumber_ >= 0 ? state.lastAutoNumber : 0));
    if (layout_.Jet4()) {
        AppendU8(d, autoNumber_ >= 0 ? 1 : 0);
        d.append(3 + 4 + 8, '\0');
    }
    AppendU8(d, system_ ? SystemTable : UserTable);
    AppendU16(d, columnCount); // the most columns a row has
    AppendU16(d, static_cast<quint16>(varCount_));
    AppendU16(d, columnCount);
    AppendU32(d, 0); // no indexes
    AppendU32(d, 0);
    AppendU32(d, state.usageMap);
    AppendU32(d, state.freeMap);
    Q_ASSERT(d.size() == layout_.tdefColumnsStart);

    for (const TJetColumnPlan& c : columns_) {
        const bool text = IsText(c.column.type);
        const quint8 flags =
            (c.fixed ? FixedFlag : 0) | (c.column.autoNumber ? AutoLongFlag : NullableFlag);
        AppendU8(d, c.code);
        if (layout_.Jet4()) {
            AppendU32(d, DefinitionMagic);
            AppendU16(d, static_cast<quint16>(c.number));
            AppendU16(d, static_cast<quint16>(c.varIndex));
            AppendU16(d, static_cast<quint16>(c.number));
            AppendU16(d, text ? JetChineseSortOrder : 0);
            AppendU16(d, 0);
            AppendU8(d, flags);
            AppendU8(d, text ? CompressedUnicodeFlag : 0);
            AppendU32(d, 0);
        } else {
            AppendU16(d, static_cast<quint16>(c.number));
            AppendU16(d, static_cast<quint16>(c.varIndex));
            AppendU16(d, static_cast<quint16>(c.number));
            AppendU16(d, text ? JetChineseSortOrder : 0);
            AppendU16(d, text ? JetGbkCodePage : 0);
            AppendU16(d, 0);
            AppendU8(d, flags);
        }
        AppendU16(d, static_cast<quint16>(c.fixedOffset));
        AppendU16(d, static_cast<quint16>(c.length));
    }
    for (const QByteArray& name : names_) {
        if (layout_.Jet4()) {
            AppendU16(d, static_cast<quint16>(name.size()));
        } else {
            AppendU8(d, static_cast<quint8>(name.size()));
        }
        d.append(name);
    }
    AppendU16(d, 0xffff); // the end of the (empty) list of long-value column maps
    PutU32(d, HeaderSize, static_cast<quint32>(d.size()));
    return d;
}

int TJetTablePlan::DefinitionPages() const {
    const qsizetype size = Definition({}).size();
    const int rest = layout_.pageSize - HeaderSize;
    return size <= layout_.pageSize
               ? 1
               : 1 + static_cast<int>((size - layout_.pageSize + rest - 1) / rest);
}

void TJetTablePlan::WriteDefinition(TJetPageFile& file, quint32 firstPage,
                                    const TJetTableState& state) const {
    const QByteArray d = Definition(state);
    const int pages = DefinitionPages();
    qsizetype from = HeaderSize;
    for (int i = 0; i < pages; ++i) {
        QByteArray page = file.Blank(DefinitionPage);
        const qsizetype take = std::min<qsizetype>(d.size() - from, layout_.pageSize - HeaderSize);
        page.replace(HeaderSize, take, d.mid(from, take));
        from += take;
        if (layout_.Jet4()) {
            PutU16(page, 2, static_cast<quint16>(layout_.pageSize - HeaderSize - take));
        } else {
            page.replace(2, 2, "VC");
        }
        PutU32(page, 4, i + 1 < pages ? firstPage + i + 1 : 0);
        file.Write(firstPage + i, page);
    }
}
