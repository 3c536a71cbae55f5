#pragma once

#include "storage/Currency.h"
#include "storage/dao/JetCatalog.h"
#include "storage/dao/JetSqlTranslator.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <vector>

struct sqlite3_stmt;
class TDAODatabase;
class TDAODataset;

enum class TDataSetState { Inactive, Browse, Edit, Insert };

// A column of the row a statement stands on, as a dataset holds it: integers
// as qint64, reals as double, text as QString, NULL as an invalid QVariant.
QVariant ColumnValue(sqlite3_stmt* statement, int column);
// A value as money: whole numbers, reals put on the 1/10000 grid, money text;
// 0 for anything else.
Currency CurrencyValue(const QVariant& value);

// One column of the current row of a dataset, read and written by kind.
class TField {
public:
    TField(TDAODataset* dataset, int index) : dataset_(dataset), index_(index) {}

    QString FieldName() const;
    TColumnKind Kind() const;
    bool IsNull() const;
    QVariant Value() const;

    QString AsString() const;
    qint64 AsInteger() const;
    Currency AsCurrency() const;
    double AsFloat() const;
    QDate AsDateTime() const;
    bool AsBoolean() const;

    void SetAsString(const QString& value) const;
    void SetAsInteger(qint64 value) const;
    void SetAsCurrency(Currency value) const;
    void SetAsFloat(double value) const;
    void SetAsDateTime(const QDate& value) const;
    void SetAsBoolean(bool value) const;
    void Clear() const;

private:
    TDAODataset* dataset_;
    int index_;
};

// A result set of a SELECT: rows read as they are needed, navigated with
// First/Next/Last, fields by name, Edit/Append/Post on a single-table SELECT,
// and a Filter of the form "Field op value [AND ...]".
class TDAODataset {
public:
    explicit TDAODataset(TDAODatabase* database = nullptr);
    virtual ~TDAODataset();
    TDAODataset(const TDAODataset&) = delete;
    TDAODataset& operator=(const TDAODataset&) = delete;

    TDAODatabase* Database() const { return database_; }
    void SetDatabase(TDAODatabase* database);

    bool Active() const { return state_ != TDataSetState::Inactive; }
    TDataSetState State() const { return state_; }
    virtual void Close();

    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    bool IsEmpty();
    // Every row of the result (the filtered rows when filtering is on).
    int RecordCount();

    int FieldCount() const { return int(columns_.size()); }
    TField Fields(int index) { return TField(this, index); }
    // Names are matched without regard to case. A qualified name such as
    // "A.Status" names the column Status of the table behind alias A, next to
    // a computed column named Status.
    TField FieldByName(const QString& name);
    int FieldIndex(const QString& name) const;
    QStringList FieldNames() const;

    void Edit();
    void Append();
    void Post();
    void Cancel();

    const QString& Filter() const { return filter_; }
    void SetFilter(const QString& filter);
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool filtered);
    int LockType() const { return lockType_; }
    void SetLockType(int lockType) { lockType_ = lockType; }

    // Reads the remaining rows and lets the statement go (before a write).
    void FinishReading();

protected:
    // Takes over a prepared, bound statement and positions on the first row.
    void OpenCursor(sqlite3_stmt* statement, const TTranslation& translation);

private:
    friend class TField;
    struct Column {
        QString name;
        QString originTable;
        QString originColumn;
        TColumnKind kind = TColumnKind::Unknown;
    };
    struct Condition {
        int field;
        QString op;
        QVariant value;
    };

    bool FetchRow();
    bool FetchUpTo(size_t row);
    bool RowMatches(size_t row) const;
    bool MoveToMatch(size_t from, int step);
    void ParseFilter();
    void RequireRow() const;
    const QVariant& ValueAt(int index) const;
    void SetValueAt(int index, const QVariant& value);
    TColumnKind KindAt(int index) const;
    int KeyColumn() const;

    TDAODatabase* database_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
    int pendingStep_ = 0; // result of the first step, not yet taken as a row
    TDataSetState state_ = TDataSetState::Inactive;
    std::vector<Column> columns_;
    std::vector<QVector<QVariant>> rows_;
    mutable QHash<QString, int> nameCache_;
    QString updatableTable_;
    QHash<QString, QString> aliases_;
    bool exhausted_ = true;
    qsizetype current_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    QVector<QVariant> buffer_;
    QVector<bool> modified_;
    QString filter_;
    bool filtered_ = false;
    std::vector<Condition> conditions_;
    int lockType_ = 0;
};
