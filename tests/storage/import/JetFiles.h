#pragma once

#include "storage/import/JetFile.h"
#include "tests/support/jet/JetWriter.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>

#include <gtest/gtest.h>

// Helpers of the import tests around the Jet files they write.
namespace JetFiles {

inline QByteArray Digest(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// The page layout of a Jet file: its page size and where a data page keeps
// its row count (the slot table follows it).
struct TPages {
    qint64 size;
    qint64 rowCount;
    qint64 tableRowCount; // where a table definition keeps its row count
};

inline TPages PagesOf(TJetFormat format) {
    return format == TJetFormat::Jet4 ? TPages{4096, 12, 16} : TPages{2048, 8, 12};
}

// A little-endian number of `size` bytes at `offset` of the file, read and
// then replaced by what `change` makes of it.
template <typename TChange>
void ChangeAt(const QString& path, qint64 offset, int size, TChange change) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(offset));
    QByteArray bytes = file.read(size);
    ASSERT_EQ(bytes.size(), size);
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<uchar>(bytes[i]);
    }
    value = change(value);
    for (int i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    ASSERT_TRUE(file.seek(offset));
    ASSERT_EQ(file.write(bytes), size);
}

// Where the slot table entry of the row at `place` is in the file.
inline qint64 SlotOffset(TJetFormat format, const TJetRowPlace& place) {
    const TPages pages = PagesOf(format);
    return place.page * pages.size + pages.rowCount + 2 + 2 * place.slot;
}

// Points the slot of the row at `place` past the end of its data page, as a
// damaged file would.
inline void BreakRow(const QString& path, TJetFormat format, const TJetRowPlace& place) {
    ChangeAt(path, SlotOffset(format, place), 2, [](quint32) { return 0x1FFFu; });
}

// The place of the row of `table` whose first column is `id`.
inline TJetRowPlace PlaceOf(const QString& path, const QString& table, qint64 id) {
    TJetRowPlace found;
    TJetFile file(path);
    file.Table(table)->Scan([&](const QList<TJetValue>& values, const TJetRowPlace& place) {
        if (values[0].integer == id) {
            found = place;
        }
    });
    return found;
}

} // namespace JetFiles
