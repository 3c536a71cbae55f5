#include "storage/import/JetFile.h"

#include "tests/storage/import/JetFiles.h"
#include "tests/support/jet/JetWriter.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace {

QString Repeat(const QString& piece, int times) {
    QString text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

struct TRead {
    QList<QList<TJetValue>> rows;
    QList<TJetRowPlace> places;
};

TRead ReadAll(TJetTableReader& table) {
    TRead read;
    table.Scan([&](const QList<TJetValue>& values, const TJetRowPlace& place) {
        read.rows.append(values);
        read.places.append(place);
    });
    return read;
}

class JetFileTest : public ::testing::TestWithParam<TJetFormat> {
protected:
    QString Write(const QList<::TJetTable>& tables) {
        const QString file = dir_.filePath(QStringLiteral("shop.mdb"));
        const QString error = WriteJet(file, GetParam(), tables);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return file;
    }

    QTemporaryDir dir_;
};

TEST_P(JetFileTest, ValuesComeAsStoredWhateverTheirTypeOrLength) {
    constexpr qint64 MaxMoney = std::numeric_limits<qint64>::max();
    // Beyond what a double holds to 1/10000, as text conversions would round it.
    constexpr qint64 FineMoney = 123456789012345678;
    const QString shortMemo = QStringLiteral("短备注");
    const QString pageMemo = Repeat(QStringLiteral("备"), 900);
    const QString chainMemo = Repeat(QStringLiteral("租借记录 rental line; "), 1500);
    const QString film = QStringLiteral("中文片名《大话西游》 Mixed ASCII");
    const QVariant null;
    ::TJetTable every{QStringLiteral("TbEvery"),
                      {{QStringLiteral("Id"), TJetType::Long, 0, true},
                       {QStringLiteral("Flag"), TJetType::Boolean},
                       {QStringLiteral("Small"), TJetType::Byte},
                       {QStringLiteral("Short"), TJetType::Integer},
                       {QStringLiteral("Amount"), TJetType::Currency},
                       {QStringLiteral("Measure"), TJetType::Double},
                       {QStringLiteral("Day"), TJetType::DateTime},
                       {QStringLiteral("Name"), TJetType::Text, 100},
                       {QStringLiteral("Memo"), TJetType::Memo}},
                      {{1, true, 255, -32768, MaxMoney, 0.1, QDate(1800, 1, 1), film, shortMemo},
                       {2, false, 0, 32767, std::numeric_limits<qint64>::min(), -2.5,
                        QDate(2099, 12, 31), QString(), pageMemo},
                       {7, false, null, null, FineMoney, null,
                        QDateTime(QDate(1899, 12, 29), QTime(6, 0)), null, chainMemo}},
                      41};
    TJetFile file(Write({every}));
    EXPECT_EQ(file.IsJet4(), GetParam() == TJetFormat::Jet4);
    EXPECT_EQ(file.TableNames(), QStringList{QStringLiteral("TbEvery")});
    const std::unique_ptr<TJetTableReader> table = file.Table(QStringLiteral("tbevery"));
    EXPECT_EQ(table->Name(), QStringLiteral("TbEvery"));
    EXPECT_EQ(table->RowCount(), 3);
    EXPECT_EQ(table->LastAutoNumber(), 40);
    ASSERT_EQ(table->Columns().size(), 9);
    EXPECT_TRUE(table->Columns()[0].autoNumber);
    EXPECT_FALSE(table->Columns()[1].autoNumber);
    EXPECT_EQ(table->Columns()[4].type, TJetColumnType::Currency);
    EXPECT_EQ(table->Columns()[8].type, TJetColumnType::Memo);

    const TRead read = ReadAll(*table);
    ASSERT_EQ(read.rows.size(), 3);
    const auto integers = [&](int column) {
        QList<qint64> values;
        for (const QList<TJetValue>& row : read.rows) {
            values.append(row[column].integer);
        }
        return values;
    };
    EXPECT_EQ(integers(0), (QList<qint64>{1, 2, 7}));
    EXPECT_EQ(integers(1), (QList<qint64>{-1, 0, 0}));
    EXPECT_EQ(integers(2), (QList<qint64>{255, 0, 0}));
    EXPECT_EQ(integers(3), (QList<qint64>{-32768, 32767, 0}));
    EXPECT_EQ(integers(4),
              (QList<qint64>{MaxMoney, std::numeric_limits<qint64>::min(), FineMoney}));
    EXPECT_EQ(read.rows[0][4].kind, TJetValue::Kind::Money);
    EXPECT_EQ(read.rows[2][2].kind, TJetValue::Kind::Null);
    EXPECT_EQ(read.rows[0][5].real, 0.1);
    EXPECT_EQ(read.rows[2][5].kind, TJetValue::Kind::Null);
    EXPECT_EQ(read.rows[0][6].kind, TJetValue::Kind::Date);
    EXPECT_EQ(read.rows[0][6].real, -36522);
    EXPECT_EQ(read.rows[1][6].real, 73050);
    EXPECT_EQ(read.rows[2][6].real, -1.25); // a time of day before 1899-12-30
    EXPECT_EQ(read.rows[0][7].text, film);
    EXPECT_EQ(read.rows[1][7].text, QString());
    EXPECT_EQ(read.rows[2][7].kind, TJetValue::Kind::Null);
    EXPECT_EQ(read.rows[0][8].text, shortMemo);
    EXPECT_EQ(read.rows[1][8].text, pageMemo);
    EXPECT_EQ(read.rows[2][8].text, chainMemo);
    EXPECT_EQ(read.places.back().ordinal, 3);
}

// Deleting a row leaves it on its page, flagged; a row that grew is moved and
// leaves where it was the place it went to, and the moved copy is flagged as
// deleted. The reader skips the first and reads the second where it was.
TEST_P(JetFileTest, DeletedRowsAreSkippedAndMovedRowsReadWhereTheyWere) {
    ::TJetTable lines{
        QStringLiteral("TbLines"),
        {{QStringLiteral("Id"), TJetType::Long, 0, true},
         {QStringLiteral("Name"), TJetType::Text, 50}},
        {{1, QStringLiteral("一")}, {2, QStringLiteral("二")}, {3, QStringLiteral("三")}},
        0};
    const QString path = Write({lines});
    const TJetRowPlace first = JetFiles::PlaceOf(path, QStringLiteral("TbLines"), 1);
    const TJetRowPlace third = JetFiles::PlaceOf(path, QStringLiteral("TbLines"), 3);
    const JetFiles::TPages pages = JetFiles::PagesOf(GetParam());
    quint32 firstStart = 0;
    JetFiles::ChangeAt(path, JetFiles::SlotOffset(GetParam(), first), 2, [&](quint32 entry) {
        firstStart = entry;
        return entry | 0x4000;
    });
    JetFiles::ChangeAt(path, first.page * pages.size + firstStart, 4,
                       [&](quint32) { return (third.page << 8) | quint32(third.slot); });
    JetFiles::ChangeAt(path, JetFiles::SlotOffset(GetParam(), third), 2,
                       [](quint32 entry) { return entry | 0x8000; });
    // Two rows are left: the table definition (the one page of type 2 after
    // the catalog's) counts them.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    for (qint64 page = 3; page * pages.size < bytes.size(); ++page) {
        if (bytes[page * pages.size] == 0x02) {
            JetFiles::ChangeAt(path, page * pages.size + pages.tableRowCount, 4,
                               [](quint32) { return 2u; });
        }
    }

    TJetFile jet(path);
    const TRead read = ReadAll(*jet.Table(QStringLiteral("TbLines")));
    ASSERT_EQ(read.rows.size(), 2);
    EXPECT_EQ(read.rows[0][0].integer, 3);
    EXPECT_EQ(read.rows[0][1].text, QStringLiteral("三"));
    EXPECT_EQ(read.rows[1][0].integer, 2);
    EXPECT_EQ(read.places[0].slot, first.slot);
}

// What the caller raises for a row (a second row with the same Id) is named
// as the reader names a row it cannot read.
TEST_P(JetFileTest, WhatTheCallerRaisesForARowIsNamedTheSameWay) {
    ::TJetTable one{
        QStringLiteral("TbOne"), {{QStringLiteral("Id"), TJetType::Long, 0, true}}, {{1}, {2}}, 0};
    TJetFile file(Write({one}));
    try {
        file.Table(QStringLiteral("TbOne"))
            ->Scan([](const QList<TJetValue>& values, const TJetRowPlace&) {
                if (values[0].integer == 2) {
                    throw EJetUnreadable(QStringLiteral("重复"));
                }
            });
        FAIL() << "nothing was raised";
    } catch (const EJetUnreadable& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("表 TbOne 第 2 行")))
            << e.Message().toStdString();
        EXPECT_TRUE(e.Message().endsWith(QStringLiteral("无法读取：重复。")));
    }
    EXPECT_THROW(file.Table(QStringLiteral("TbNone")), EJetUnreadable);
}

INSTANTIATE_TEST_SUITE_P(Formats, JetFileTest,
                         ::testing::Values(TJetFormat::Jet3, TJetFormat::Jet4),
                         [](const ::testing::TestParamInfo<TJetFormat>& info) {
                             return info.param == TJetFormat::Jet3 ? "Jet3" : "Jet4";
                         });

} // namespace
