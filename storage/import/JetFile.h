#pragma once

#include "storage/dao/Errors.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// A Microsoft Jet database file (Jet 3 or Jet 4) opened read-only through
// libmdb. The file is never written. Values come exactly as stored: integers,
// money as its 64-bit count of 1/10000 (never through a floating-point or a
// text conversion), dates as the stored day number, text decoded from the
// file's encoding, memo columns of any length.

// Why a file, a table or a row cannot be read, in words for the operator.
class EJetUnreadable : public EVintorError {
public:
    using EVintorError::EVintorError;
};

// The column types of Jet.
enum class TJetColumnType {
    Boolean,
    Byte,
    Integer, // 16 bits
    Long,    // 32 bits
    Currency,
    Single,
    Double,
    DateTime,
    Text,
    Memo,
    Other, // binary, OLE, GUID, decimal: not in a ledger
};

struct TJetColumnInfo {
    QString name;
    TJetColumnType type = TJetColumnType::Other;
    bool autoNumber = false;
};

// One value of a row as stored.
struct TJetValue {
    enum class Kind { Null, Integer, Money, Real, Date, Text };
    Kind kind = Kind::Null;
    qint64 integer = 0; // Integer (booleans: -1 true, 0 false), Money (1/10000)
    double real = 0;    // Real, Date (the day number with its time as a fraction)
    QString text;
};

class TJetTableReader;

class TJetFile {
public:
    // Opens `path` read-only. EJetUnreadable when the file cannot be read or
    // is no Jet 3 or Jet 4 database.
    explicit TJetFile(const QString& path);
    ~TJetFile();
    TJetFile(const TJetFile&) = delete;
    TJetFile& operator=(const TJetFile&) = delete;

    bool IsJet4() const;
    // The user tables (system tables "MSys…" left out), in catalog order.
    QStringList TableNames() const;
    // The table of that name (letter case ignored); EJetUnreadable when the
    // table or its definition cannot be read.
    std::unique_ptr<TJetTableReader> Table(const QString& name);

private:
    friend class TJetTableReader;
    struct TImpl;
    std::unique_ptr<TImpl> impl_;
};

// Where a row sits in its table: its ordinal in the scan (from 1) and its
// data page and slot.
struct TJetRowPlace {
    qint64 ordinal = 0;
    quint32 page = 0;
    int slot = 0;
};

class TJetTableReader {
public:
    ~TJetTableReader();
    TJetTableReader(const TJetTableReader&) = delete;
    TJetTableReader& operator=(const TJetTableReader&) = delete;

    const QString& Name() const;
    const QList<TJetColumnInfo>& Columns() const;
    // The row count the table definition keeps.
    qint64 RowCount() const;
    // The last value the table's COUNTER handed out (0 when none).
    qint64 LastAutoNumber() const;

    // Reads every live row in storage order and calls `each` with its values
    // (one per column, in the order of Columns()) and its place. A row that
    // cannot be read raises EJetUnreadable naming the table, the row and the
    // cause; so does an EJetUnreadable that `each` raises, with the row's
    // place added.
    void Scan(const std::function<void(const QList<TJetValue>&, const TJetRowPlace&)>& each);

private:
    friend class TJetFile;
    struct TImpl;
    explicit TJetTableReader(std::unique_ptr<TImpl> impl);
    std::unique_ptr<TImpl> impl_;
};
