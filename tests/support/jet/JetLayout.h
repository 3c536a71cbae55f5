#pragma once

#include "tests/support/jet/JetWriter.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>

// Where a Jet file of either version keeps what: page size and the offsets
// inside data pages and table definitions that differ between Jet 3 and Jet 4.
struct TJetLayout {
    TJetFormat format;
    int pageSize;         // 2048 or 4096
    int rowCountOffset;   // data pages: the row count, followed by the row offsets
    int tdefColumnsStart; // table definitions: the first column entry
    int usageMapSize;     // bytes of a table's usage map row

    bool Jet4() const { return format == TJetFormat::Jet4; }
    // Bytes before the first row offset of a data page.
    int DataHeaderSize() const { return rowCountOffset + 2; }
    // The longest row one page holds (with its offset entry).
    int MaxRowSize() const { return pageSize - DataHeaderSize() - 2; }

    static const TJetLayout& Of(TJetFormat format);
};

// The code page of a ledger's text (GBK) and the sort order of its text
// columns (Chinese, PRC), as the header and the column entries give them.
inline constexpr quint16 JetGbkCodePage = 936;
inline constexpr quint16 JetChineseSortOrder = 0x0804;

// A failure while writing; WriteJet turns it into its returned reason.
struct TJetWriteError {
    QString reason;
};

// Little-endian stores into a byte array that is already long enough.
inline void PutU8(QByteArray& bytes, qsizetype at, quint8 value) {
    bytes[at] = static_cast<char>(value);
}
inline void PutU16(QByteArray& bytes, qsizetype at, quint16 value) {
    qToLittleEndian(value, bytes.data() + at);
}
inline void PutU32(QByteArray& bytes, qsizetype at, quint32 value) {
    qToLittleEndian(value, bytes.data() + at);
}
inline void PutU64(QByteArray& bytes, qsizetype at, quint64 value) {
    qToLittleEndian(value, bytes.data() + at);
}

// Little-endian appends.
inline void AppendU8(QByteArray& bytes, quint8 value) {
    bytes.append(static_cast<char>(value));
}
inline void AppendU16(QByteArray& bytes, quint16 value) {
    const qsizetype at = bytes.size();
    bytes.resize(at + 2);
    PutU16(bytes, at, value);
}
inline void AppendU32(QByteArray& bytes, quint32 value) {
    const qsizetype at = bytes.size();
    bytes.resize(at + 4);
    PutU32(bytes, at, value);
}

// A row's address as Jet keeps it: the page number above the row number.
inline quint32 PageRow(quint32 page, int row) {
    return (page << 8) | static_cast<quint32>(row);
}
