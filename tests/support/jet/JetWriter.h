#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>

// A small writer of Microsoft Jet database files (Jet 3 and Jet 4), for the
// import tests and the benchmark only. It writes what a reader such as libmdb
// needs: the header page, the system catalog (MSysObjects), one table
// definition per table, data pages with their usage maps and long-value pages
// for memos. It writes no indexes, relations, queries or properties.
//
// The header page (its area from 0x18 masked with RC4, as Jet does) gives the
// version, code page 936, no page encryption and the database password
// 408317: plain at 0x42 in Jet 3; UCS-2 at 0x42 in Jet 4, each byte masked
// with the creation date's whole days (the double at 0x72, as a little-endian
// 32-bit integer, repeated).
//
// Jet 4 files keep their text as UCS-2, short ASCII-heavy values in Jet 4's
// compressed form. Jet 3 files keep their text in code page 936 (GBK), which
// the header names at 0x3C: libmdb (1.0.0 here) takes that code page when the
// environment variable MDB_JET3_CHARSET is not set, and MDB_JET3_CHARSET=GBK
// says the same explicitly; a reader that ignores both reads CP1252.

enum class TJetFormat { Jet3, Jet4 };
enum class TJetType {
    Boolean,
    Byte,
    Integer /*16-bit*/,
    Long,
    Currency,
    Single,
    Double,
    DateTime,
    Text,
    Memo,
    LongBinary /* an OLE object: bytes, kept like a memo */
};
struct TJetColumn {
    QString name;
    TJetType type;
    int size = 0; /* Text: characters */
    bool autoNumber = false;
};
struct TJetTable {
    QString name;
    QList<TJetColumn> columns;
    QList<QVariantList> rows;
    qint32 nextAutoNumber = 0; /* the COUNTER seed: the next value handed out */
};
// Currency values are passed as qint64 counts of 1/10000; DateTime as QDate (whole days) or
// QDateTime; Text/Memo as QString; a null QVariant is a NULL.
// Also: DateTime may be a double, the day number itself (days since 1899-12-30); LongBinary
// takes a QByteArray; Boolean cannot be NULL in Jet (a null QVariant is written as false).
// nextAutoNumber 0 means one past the largest value written (1 for an empty table). The file
// keeps, as Access does, the last value handed out: nextAutoNumber - 1, as a 32-bit integer
// at offset 20 (Jet 4) or 16 (Jet 3) of the table's definition page.

// Writes a Jet database with these user tables (and the system catalog the readers need).
// Returns an empty string on success, else the reason. Refuses to overwrite.
QString WriteJet(const QString& file, TJetFormat format, const QList<TJetTable>& tables);

// Writes the SQLite ledger at `ledger` (every user table of it, every row, column types from the
// ledger's Jet declarations, COUNTER seeds kept) as a Jet file of `format`. Rows are streamed:
// memory stays bounded however large the ledger.
// The declared types map back as the data layer made them: INTEGER to Long (the AUTOINCREMENT
// key to an autonumber), CURRENCY to Currency, DATETIME to DateTime, TEXT(n) to Text of n,
// TEXT to Memo, REAL to Double. The tables the SQLite ledger keeps for itself (the kept balances)
// are left out; the rows go in the order of their keys.
QString WriteJetLedger(const QString& ledger, const QString& file, TJetFormat format);

// Streaming form: a table whose rows come from `next`, called until it returns false. Each call
// fills `row` with one row's values (as for TJetTable::rows) or returns false at the end; it may
// set `error` and return false to stop the writing with that reason.
struct TJetRowSource {
    std::function<bool(QVariantList& row, QString& error)> next;
};
struct TJetStreamTable {
    QString name;
    QList<TJetColumn> columns;
    TJetRowSource rows;
    qint32 nextAutoNumber = 0;
};
QString WriteJet(const QString& file, TJetFormat format, const QList<TJetStreamTable>& tables);
