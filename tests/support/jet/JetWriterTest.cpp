#include "tests/support/jet/JetWriter.h"

#include "tests/support/jet/JetEncoding.h"
#include "tests/support/jet/JetReadBackCheck.h"
#include "tests/support/jet/MdbReadBack.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <limits>

namespace {

using MdbReadBack::ReadTables;
using MdbReadBack::Tool;

constexpr qint64 MaxMoney = std::numeric_limits<qint64>::max(); // 922337203685477.5807
constexpr qint64 MinMoney = std::numeric_limits<qint64>::min();

QString Repeat(const QString& piece, int times) {
    QString text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

QByteArray Bytes(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 7 + 3);
    }
    return bytes;
}

// A table with every column type, the boundaries of money and dates, NULLs,
// texts the reader must decompress or must not, and memos and OLE values kept
// inline, on one long-value page and in a chain of them (U+FEFF and ÿ only in
// Jet 4: GBK has neither). `expected` gets the rows as the reader gives
// them back.
TJetTable EveryType(TJetFormat format, QList<QVariantList>& expected) {
    TJetTable table;
    table.name = QStringLiteral("TbEvery");
    table.columns = {{QStringLiteral("Id"), TJetType::Long, 0, true},
                     {QStringLiteral("Flag"), TJetType::Boolean},
                     {QStringLiteral("Small"), TJetType::Byte},
                     {QStringLiteral("Short"), TJetType::Integer},
                     {QStringLiteral("Amount"), TJetType::Currency},
                     {QStringLiteral("Ratio"), TJetType::Single},
                     {QStringLiteral("Measure"), TJetType::Double},
                     {QStringLiteral("Day"), TJetType::DateTime},
                     {QStringLiteral("Code"), TJetType::Text, 20},
                     {QStringLiteral("Name"), TJetType::Text, 100},
                     {QStringLiteral("Note"), TJetType::Memo},
                     {QStringLiteral("Blob"), TJetType::LongBinary}};
    const QString film = QStringLiteral("中文片名《大话西游》");
    const QString longMemo = Repeat(QStringLiteral("租借记录 rental line; "), 1200);
    const QString pageMemo = Repeat(QStringLiteral("备"), 900);
    const QVariant null;
    table.rows = {
        {1, true, 0, -32768, MaxMoney, 1.5, 1e300, QDate(1899, 12, 30), QStringLiteral("A0001"),
         film, QStringLiteral("短备注"), Bytes(3)},
        {2, false, 255, 32767, MinMoney, -0.25, -2.5e-300, QDate(1900, 1, 1), QString(), QString(),
         QString(), QByteArray()},
        {3, null, null, null, 1, null, null, QDate(2099, 12, 31), null, null, null, null},
        {100000, true, 7, 0, -1, 0.0, 0.0, QDate(1800, 1, 1), QStringLiteral("一二三"),
         QStringLiteral("Mixed 混合 ASCII"), pageMemo, Bytes(3000)},
        {5, 1, 9, -1, 0, 3.0e38, 12.125, QDateTime(QDate(1899, 12, 29), QTime(6, 0)),
         format == TJetFormat::Jet4 ? QString(QChar(0xFEFF)) + QStringLiteral("BOM")
                                    : QStringLiteral("ü é"),
         QStringLiteral("Latin ü é") +
             (format == TJetFormat::Jet4 ? QStringLiteral(" ÿ") : QString()),
         longMemo, Bytes(10000)},
        {6, 0, 1, 2, 5000000, -1.0, 1.0 / 3, QDateTime(QDate(2004, 5, 1), QTime(12, 0)),
         Repeat(QStringLiteral("7"), 20), Repeat(QStringLiteral("名"), 100), null, null},
    };
    const double days[] = {0, 2, 73050, -36522, -1.25, 38108.5};
    const double ratios[] = {1.5, -0.25, 0, 0, double(3.0e38f), -1.0};
    for (qsizetype r = 0; r < table.rows.size(); ++r) {
        QVariantList row = table.rows[r];
        for (int c : {0, 2, 3, 4}) {
            row[c] = row[c].isNull() ? QVariant() : QVariant(row[c].toLongLong());
        }
        row[1] = row[1].toBool();
        row[5] = row[5].isNull() ? QVariant() : QVariant(ratios[r]);
        row[7] = days[r];
        expected.append(row);
    }
    table.nextAutoNumber = 200000;
    return table;
}

class JetWriterTest : public ::testing::TestWithParam<TJetFormat> {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString Write(const QString& name, const QList<TJetTable>& tables) {
        const QString file = Path(name);
        const QString error = WriteJet(file, GetParam(), tables);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return file;
    }
    QList<MdbReadBack::TTable> Read(const QString& file) {
        QString error;
        const QList<MdbReadBack::TTable> tables = ReadTables(file, &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return tables;
    }

    QTemporaryDir dir_;
};

TEST_P(JetWriterTest, EveryTypeAndBoundaryReadsBackExactlyThroughLibmdb) {
    QList<QVariantList> expected;
    const TJetTable every = EveryType(GetParam(), expected);
    const TJetTable empty{QStringLiteral("TbEmpty"),
                          {{QStringLiteral("Id"), TJetType::Long, 0, true},
                           {QStringLiteral("Name"), TJetType::Text, 50}},
                          {},
                          0};
    const QList<MdbReadBack::TTable> tables =
        Read(Write(QStringLiteral("every.mdb"), {every, empty}));

    ASSERT_EQ(tables.size(), 2);
    const MdbReadBack::TTable& read = tables[0];
    EXPECT_EQ(read.name, every.name);
    ASSERT_EQ(read.columns.size(), every.columns.size());
    for (qsizetype c = 0; c < every.columns.size(); ++c) {
        EXPECT_EQ(read.columns[c].name, every.columns[c].name);
        EXPECT_EQ(read.columns[c].type, every.columns[c].type) << c;
        EXPECT_EQ(read.columns[c].size, every.columns[c].size) << c;
        EXPECT_EQ(read.columns[c].autoNumber, every.columns[c].autoNumber) << c;
    }
    EXPECT_EQ(read.declaredRows, quint32(expected.size()));
    EXPECT_EQ(read.lastAutoNumber, 199999) << "the file keeps the last value handed out";
    ExpectRows(read.rows, expected, read.name);

    EXPECT_EQ(tables[1].name, empty.name);
    EXPECT_TRUE(tables[1].rows.isEmpty());
    EXPECT_EQ(tables[1].lastAutoNumber, 0);
}

// What users of the file see through mdbtools' programs: the tables, the
// column types and every value of a table of typical ledger values.
TEST_P(JetWriterTest, MdbToolsListDescribeAndExportTheValues) {
    TJetTable bills{QStringLiteral("TbBill"),
                    {{QStringLiteral("Id"), TJetType::Long, 0, true},
                     {QStringLiteral("Day"), TJetType::DateTime},
                     {QStringLiteral("Sum1"), TJetType::Currency},
                     {QStringLiteral("Paid"), TJetType::Boolean},
                     {QStringLiteral("Kind"), TJetType::Integer},
                     {QStringLiteral("Memo"), TJetType::Text, 50},
                     {QStringLiteral("Note"), TJetType::Memo}},
                    {},
                    0};
    QStringList lines = {QStringLiteral("Id,Day,Sum1,Paid,Kind,Memo,Note")};
    for (int i = 1; i <= 300; ++i) {
        const QDate day = QDate(2004, 5, 1).addDays(i * 13);
        const qint64 raw = (i % 2 ? 1 : -1) * qint64(i) * 123457; // four decimals
        const QString memo =
            i % 3 ? QStringLiteral("会员%1号").arg(i) : QStringLiteral("R%1").arg(i);
        const QString note = Repeat(QStringLiteral("注"), i * 7);
        bills.rows.append({i, day, raw, i % 2 == 0, i % 5, memo, note});
        lines.append(QStringLiteral("%1,\"%2 00:00:00\",%3%4.%5,%6,%7,\"%8\",\"%9\"")
                         .arg(i)
                         .arg(day.toString(QStringLiteral("yyyy-MM-dd")))
                         .arg(raw < 0 ? QStringLiteral("-") : QString())
                         .arg(qAbs(raw) / 10000)
                         .arg(qAbs(raw) % 10000, 4, 10, QLatin1Char('0'))
                         .arg(i % 2 == 0 ? 1 : 0)
                         .arg(i % 5)
                         .arg(memo, note));
    }
    const TJetTable tiny{
        QStringLiteral("TbTiny"), {{QStringLiteral("Flag"), TJetType::Byte}}, {{1}}, 0};
    const QString file = Write(QStringLiteral("bills.mdb"), {bills, tiny});

    EXPECT_EQ(Tool(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), file}).out,
              QStringLiteral("TbBill\nTbTiny\n"));
    const QString schema = Tool(QStringLiteral("mdb-schema"), {file}).out;
    for (const char* line :
         {"[Id]\t\t\tLong Integer", "[Day]\t\t\tDateTime", "[Sum1]\t\t\tCurrency",
          "[Paid]\t\t\tBoolean", "[Kind]\t\t\tInteger", "[Memo]\t\t\tText (50)",
          "[Note]\t\t\tMemo/Hyperlink", "[Flag]\t\t\tByte"}) {
        EXPECT_TRUE(schema.contains(QString::fromUtf8(line))) << line << "\n"
                                                              << schema.toStdString();
    }
    const QString exported = Tool(QStringLiteral("mdb-export"),
                                  {QStringLiteral("-T"), QStringLiteral("%Y-%m-%d %H:%M:%S"), file,
                                   QStringLiteral("TbBill")})
                                 .out;
    const QStringList exportedLines = exported.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(exportedLines.size(), lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        EXPECT_TRUE(exportedLines[i] == lines[i])
            << exportedLines[i].left(120).toStdString() << "\n"
            << lines[i].left(120).toStdString();
    }
}

// More rows than one usage map page can list inline: the table's pages are
// listed through bitmap pages, and every row comes back in order.
TEST_P(JetWriterTest, TablesOfManyPagesReadBackCompletely) {
    TJetTable lines{QStringLiteral("TbRTransaction"),
                    {{QStringLiteral("Id"), TJetType::Long, 0, true},
                     {QStringLiteral("Day1"), TJetType::DateTime},
                     {QStringLiteral("Deposit"), TJetType::Currency},
                     {QStringLiteral("Code"), TJetType::Text, 20}},
                    {},
                    0};
    QList<QVariantList> expected;
    for (int i = 1; i <= 60000; ++i) {
        const QString code = QStringLiteral("C%1-").arg(i) + Repeat(QStringLiteral("片"), 10);
        lines.rows.append({i, QDate(2004, 1, 1).addDays(i % 3650), qint64(i) * 100, code});
        // 2004-01-01 is day 37987.
        expected.append({qint64(i), 37987.0 + i % 3650, qint64(i) * 100, code});
    }
    const QString file = Write(QStringLiteral("many.mdb"), {lines});

    const QList<MdbReadBack::TTable> tables = Read(file);
    ASSERT_EQ(tables.size(), 1);
    EXPECT_TRUE(tables[0].pagedUsageMap);
    EXPECT_EQ(tables[0].lastAutoNumber, 60000);
    ExpectRows(tables[0].rows, expected, lines.name);
    EXPECT_EQ(Tool(QStringLiteral("mdb-count"), {file, lines.name}).out, QStringLiteral("60000\n"));
}

// Rows of every length of variable data up to three full text columns: in
// Jet 3 the offsets pass 256 and 512 (the jump table, with or without its
// dummy entry), in Jet 4 the texts switch between compressed and plain.
TEST_P(JetWriterTest, RowsOfEveryLengthReadBack) {
    TJetTable texts{QStringLiteral("TbTexts"),
                    {{QStringLiteral("Id"), TJetType::Long},
                     {QStringLiteral("A"), TJetType::Text, 255},
                     {QStringLiteral("B"), TJetType::Text, 255},
                     {QStringLiteral("C"), TJetType::Text, 255},
                     {QStringLiteral("Amount"), TJetType::Currency}},
                    {},
                    0};
    QList<QVariantList> expected;
    for (int total = 0; total <= 765; ++total) {
        for (const QString& letter : {QStringLiteral("x"), QStringLiteral("中")}) {
            if (letter != QStringLiteral("x") && total % 5 != 0) {
                continue;
            }
            const int a = std::min(total, 255);
            const int b = std::min(total - a, 255);
            const QVariantList row = {qint64(texts.rows.size()), Repeat(letter, a),
                                      Repeat(letter, b), Repeat(letter, total - a - b),
                                      qint64(total)};
            texts.rows.append(row);
            expected.append(row);
        }
    }
    const QList<MdbReadBack::TTable> tables = Read(Write(QStringLiteral("texts.mdb"), {texts}));
    ASSERT_EQ(tables.size(), 1);
    ExpectRows(tables[0].rows, expected, texts.name);
}

// A table of 255 columns: its definition runs over several pages, which the
// reader follows column by column and name by name.
TEST_P(JetWriterTest, WideTablesReadBack) {
    TJetTable wide{QStringLiteral("TbWide"), {}, {}, 0};
    QList<QVariantList> expected(3);
    for (int c = 0; c < 255; ++c) {
        const QString name = QStringLiteral("列%1_").arg(c) + Repeat(QStringLiteral("x"), c % 17);
        const TJetType type = c % 3 == 0   ? TJetType::Long
                              : c % 3 == 1 ? TJetType::Text
                                           : TJetType::Boolean;
        wide.columns.append({name, type, type == TJetType::Text ? 3 : 0});
        for (int r = 0; r < 3; ++r) {
            expected[r].append(type == TJetType::Long ? QVariant(qint64(c * 1000 + r))
                               : type == TJetType::Text
                                   ? QVariant(QString::number(r * 100 + c % 100))
                                   : QVariant((c + r) % 2 == 0));
        }
    }
    wide.rows = expected;
    const QList<MdbReadBack::TTable> tables = Read(Write(QStringLiteral("wide.mdb"), {wide}));
    ASSERT_EQ(tables.size(), 1);
    ASSERT_EQ(tables[0].columns.size(), 255);
    for (int c = 0; c < 255; ++c) {
        EXPECT_EQ(tables[0].columns[c].name, wide.columns[c].name);
        EXPECT_EQ(tables[0].columns[c].type, wide.columns[c].type);
    }
    ExpectRows(tables[0].rows, expected, wide.name);
}

// Every refusal names what is wrong and leaves no file behind.
TEST_P(JetWriterTest, BadTablesAreRefusedWithoutAFile) {
    const auto table = [](TJetType type, const QVariant& value, int size = 0) {
        return TJetTable{QStringLiteral("TbBad"),
                         {{QStringLiteral("Id"), TJetType::Long, 0, true},
                          {QStringLiteral("Value"), type, size}},
                         {{1, value}},
                         0};
    };
    TJetTable twoValues = table(TJetType::Long, 1);
    twoValues.rows.append(QVariantList{2});
    TJetTable seedTooLow = table(TJetType::Long, 1);
    seedTooLow.nextAutoNumber = 1;
    TJetTable nullKey = table(TJetType::Long, 1);
    nullKey.rows = {{QVariant(), 1}};
    TJetTable sameColumn = table(TJetType::Long, 1);
    sameColumn.columns[1].name = QStringLiteral("ID");
    const struct {
        QList<TJetTable> tables;
        const char* reason;
    } cases[] = {
        {{table(TJetType::Text, QStringLiteral("超过五个字的文本"), 5)}, "超过了列宽 5"},
        {{table(TJetType::Text, QStringLiteral("x"), 256)}, "长度 256"},
        {{table(TJetType::Long, qint64(1) << 31)}, "“Value”列的值不是 -2147483648 到"},
        {{table(TJetType::Byte, -1)}, "0 到 255"},
        {{table(TJetType::Currency, 12.5)}, "1/10000"},
        {{table(TJetType::DateTime, QDate(10000, 1, 1))}, "9999"},
        {{table(TJetType::Text, 12, 10)}, "不是文本"},
        {{twoValues}, "第 2 行有 1 个值，应为 2 个"},
        {{seedTooLow}, "下一个值 1 不大于已有的 1"},
        {{nullKey}, "自动编号，不能为空"},
        {{sameColumn}, "两列都叫“ID”"},
        {{table(TJetType::Long, 1), table(TJetType::Long, 2)}, "两张表都叫“TbBad”"},
        {{TJetTable{QStringLiteral("MSysAces"), {{QStringLiteral("A"), TJetType::Long}}, {}, 0}},
         "系统表"},
        {{TJetTable{QStringLiteral("Tb.Bad"), {{QStringLiteral("A"), TJetType::Long}}, {}, 0}},
         "“Tb.Bad”不能用作"},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString file = Path(QStringLiteral("bad%1.mdb").arg(++n));
        const QString reason = WriteJet(file, GetParam(), c.tables);
        EXPECT_TRUE(reason.contains(QString::fromUtf8(c.reason)))
            << c.reason << " / " << reason.toStdString();
        EXPECT_FALSE(QFile::exists(file)) << c.reason;
    }
    if (GetParam() == TJetFormat::Jet3) {
        const QString file = Path(QStringLiteral("emoji.mdb"));
        EXPECT_TRUE(WriteJet(file, GetParam(), {table(TJetType::Text, QStringLiteral("😀"), 5)})
                        .contains(QStringLiteral("GBK")));
        EXPECT_FALSE(QFile::exists(file));
    }

    const QString existing = Path(QStringLiteral("existing.mdb"));
    QFile keep(existing);
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.write("keep me");
    keep.close();
    EXPECT_TRUE(WriteJet(existing, GetParam(), {table(TJetType::Long, 1)})
                    .contains(QStringLiteral("已经存在")));
    ASSERT_TRUE(keep.open(QIODevice::ReadOnly));
    EXPECT_EQ(keep.readAll(), QByteArray("keep me"));
}

// The header page: the version, no page encryption, and the database
// password where Jet keeps it (Jet 4 masks it with the creation date's days).
TEST_P(JetWriterTest, HeaderCarriesVersionAndPassword) {
    const TJetTable table{QStringLiteral("TbVersion"),
                          {{QStringLiteral("Version"), TJetType::Text, 20}},
                          {{QStringLiteral("Build2.06")}},
                          0};
    QFile file(Write(QStringLiteral("header.mdb"), {table}));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray page = file.read(GetParam() == TJetFormat::Jet4 ? 4096 : 2048);
    EXPECT_EQ(file.size() % page.size(), 0);
    JetRc4(page, 0x18, GetParam() == TJetFormat::Jet4 ? 128 : 126, 0x6b39dac7);
    const auto at = [&](int offset) { return static_cast<quint8>(page[offset]); };
    EXPECT_EQ(page.mid(4, 15), QByteArray("Standard Jet DB"));
    EXPECT_EQ(at(0x14), GetParam() == TJetFormat::Jet4 ? 1 : 0);
    EXPECT_EQ(page.mid(0x3e, 4), QByteArray(4, '\0'));
    QByteArray password = page.mid(0x42, GetParam() == TJetFormat::Jet4 ? 40 : 20);
    if (GetParam() == TJetFormat::Jet4) {
        const double created = qFromLittleEndian<double>(page.constData() + 0x72);
        EXPECT_EQ(created, 38108.5);
        const QByteArray mask = QByteArray::fromHex("dc940000"); // 38108 little-endian
        for (qsizetype i = 0; i < password.size(); ++i) {
            password[i] = static_cast<char>(password[i] ^ mask[i % 4]);
        }
        EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(password.constData()), 6),
                  QStringLiteral("408317"));
        EXPECT_EQ(password.mid(12), QByteArray(28, '\0'));
    } else {
        EXPECT_EQ(password, QByteArray("408317").leftJustified(20, '\0'));
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, JetWriterTest,
                         ::testing::Values(TJetFormat::Jet3, TJetFormat::Jet4),
                         [](const ::testing::TestParamInfo<TJetFormat>& info) {
                             return info.param == TJetFormat::Jet4 ? "Jet4" : "Jet3";
                         });

// Which texts Jet 4 keeps compressed: the reader must be given the compressed
// form where it is shorter, and never one it would misread.
TEST(JetTextEncoderTest, CompressesOnlyWhereShorterAndReadable) {
    TJetTextEncoder jet4(TJetFormat::Jet4);
    EXPECT_EQ(jet4.Value(QStringLiteral("A01"), true), QByteArray("\xff\xfe"
                                                                  "A01",
                                                                  5));
    EXPECT_EQ(jet4.Value(QStringLiteral("A01"), false), QByteArray("A\0"
                                                                   "0\0"
                                                                   "1\0",
                                                                   6));
    // Switching to two-byte characters and back with a 00 byte each time.
    EXPECT_EQ(jet4.Value(QStringLiteral("VCD版本abc"), true),
              QByteArray("\xff\xfe"
                         "VCD\0\x48\x72\x2c\x67\0abc",
                         14));
    // Not shorter: kept plain.
    EXPECT_EQ(jet4.Value(QStringLiteral("中文"), true), QByteArray("\x2d\x4e\x87\x65", 4));
    // A low byte of 00 (U+4E00) would read as a switch: never compressed.
    EXPECT_EQ(jet4.Value(QStringLiteral("一aaaaaaaa"), true)->left(2), QByteArray("\x00\x4e", 2));
    // A text starting with U+FEFF must be compressed (its plain form starts FF FE) ...
    EXPECT_EQ(jet4.Value(QString(QChar(0xFEFF)) + QStringLiteral("中"), true),
              QByteArray("\xff\xfe\0\xff\xfe\x2d\x4e", 7));
    // ... and cannot be written when it also holds such a character.
    EXPECT_FALSE(jet4.Value(QString(QChar(0xFEFF)) + QStringLiteral("一"), true));

    TJetTextEncoder jet3(TJetFormat::Jet3);
    EXPECT_EQ(jet3.Value(QStringLiteral("片A"), true), QByteArray("\xc6\xac"
                                                                  "A"));
    EXPECT_FALSE(jet3.Value(QStringLiteral("😀"), true));
}

} // namespace
