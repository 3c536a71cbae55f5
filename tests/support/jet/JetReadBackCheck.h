#pragma once

#include "tests/support/jet/MdbReadBack.h"

#include <QByteArray>
#include <QStringList>
#include <QVariant>

#include <gtest/gtest.h>

// A value as tagged text, so that values of different types never compare
// equal and a failure shows which type differs ("i:" integer, "d:" double, "s:" text,
// "x:" bytes in hex, "t"/"f" yes/no, "null").
inline QString Tagged(const QVariant& value) {
    if (!value.isValid() || value.isNull()) {
        return QStringLiteral("null");
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("t") : QStringLiteral("f");
    case QMetaType::Double:
        return QStringLiteral("d:") + QString::number(value.toDouble(), 'g', 17);
    case QMetaType::QString:
        return QStringLiteral("s:") + value.toString();
    case QMetaType::QByteArray:
        return QStringLiteral("x:") + QString::fromLatin1(value.toByteArray().toHex());
    default:
        return QStringLiteral("i:") + QString::number(value.toLongLong());
    }
}

// Expects the rows read back to be `expected`, value by value; a failure
// names the row and column and shows the start of both values.
inline void ExpectRows(const QList<QVariantList>& read, const QList<QVariantList>& expected,
                       const QString& table) {
    ASSERT_EQ(read.size(), expected.size()) << table.toStdString();
    for (qsizetype i = 0; i < read.size(); ++i) {
        ASSERT_EQ(read[i].size(), expected[i].size()) << table.toStdString() << " row " << i;
        for (qsizetype c = 0; c < read[i].size(); ++c) {
            const QString got = Tagged(read[i][c]);
            const QString want = Tagged(expected[i][c]);
            EXPECT_TRUE(got == want)
                << table.toStdString() << " row " << i << " column " << c << ": read "
                << got.left(80).toStdString() << " (" << got.size() << " characters), expected "
                << want.left(80).toStdString() << " (" << want.size() << ")";
        }
    }
}
