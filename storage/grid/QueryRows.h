#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <list>
#include <optional>
#include <vector>

struct sqlite3_stmt;
class TDAODatabase;

// One value of a row as the engine gave it. Text stays UTF-8 until shown.
struct TCellValue {
    enum class TType { Null, Integer, Real, Text };
    TType type = TType::Null;
    qint64 integer = 0;
    double real = 0;
    QByteArray text;

    bool IsNull() const { return type == TType::Null; }
    double Number() const { return type == TType::Integer ? double(integer) : real; }
    QString Text() const;
};

// The rows of a list query, read as they are looked at. The rows are counted
// once per Reload(); they are then read in pages, each by a statement run to
// its end at once, so no statement stays open between calls and a write on
// the connection is never held up. A page after a page in memory starts
// right after its last row (by the order and the unique key), so reading on
// costs the same near the end as at the start; any other page is read by
// its position. Only the pages used last are kept.
class TQueryRows {
public:
    static constexpr int PageRows = 256;
    static constexpr int KeptPages = 64;

    explicit TQueryRows(TDAODatabase* database);
    TQueryRows(const TQueryRows&) = delete;
    TQueryRows& operator=(const TQueryRows&) = delete;

    // The list: its "SELECT … FROM …", the condition of its WHERE (empty for
    // none) and the expression of a key unique to each row ("A.Id").
    void SetSql(const QString& select, const QString& where, const QString& key);
    // Rows ordered by the expression (empty: by the key), ties by the key
    // ascending.
    void SetOrder(const QString& expression, bool descending);
    // A further condition ANDed to the WHERE (empty for none).
    void SetFilter(const QString& condition);
    // The Jet SQL of the whole list as it is ordered.
    QString Sql() const;

    // Counts the rows again and forgets every page read.
    void Reload();
    int RowCount() const { return rowCount_; }
    // Result column names, and the index of one (case ignored); -1 for none.
    const QStringList& FieldNames() const { return fields_; }
    int FieldIndex(const QString& name) const;

    // A value of a row (0 <= row < RowCount()), reading its page if needed.
    const TCellValue& Value(int row, int column);
    // The key of a row.
    qint64 KeyOf(int row);
    // The row holding the key, -1 when no row does.
    int RowOfKey(qint64 key);
    // Sum of a result column over the listed rows.
    double Sum(const QString& field);

    // What reading cost so far, for tests and measurements.
    int PagesInMemory() const { return int(pages_.size()); }
    int PagesReadByPosition() const { return positionReads_; }
    int PagesReadAfterKey() const { return keyReads_; }

private:
    struct TPage {
        int number = 0;
        std::vector<TCellValue> cells; // row by row, hidden columns first
        int Rows(int columns) const { return columns ? int(cells.size()) / columns : 0; }
    };

    QString Where(const QString& extra) const;
    QString ListSql(const QString& extra, bool withParameters) const;
    QString OrderBy() const;
    QString KeyOrderTerm() const;
    TPage& Page(int number);
    void ReadPage(TPage& page);
    bool ReadAfterKey(TPage& page, const TPage& before);
    void ReadByPosition(TPage& page);
    int Step(const QString& jetSql, const QString& tail,
             const std::vector<std::pair<QString, const TCellValue*>>& values, int offset,
             std::vector<TCellValue>* cells);
    qint64 CountWhere(const QString& extra,
                      const std::vector<std::pair<QString, const TCellValue*>>& values);
    void BindByName(sqlite3_stmt* statement, const QStringList& names,
                    const std::vector<std::pair<QString, const TCellValue*>>& values, int offset);
    int Columns() const { return int(fields_.size()) + Hidden; }

    static constexpr int Hidden = 2; // the sort value and the key lead every row

    TDAODatabase* database_;
    QString select_;
    QString where_;
    QString key_;
    QString order_;
    bool descending_ = false;
    QString filter_;
    QStringList fields_;
    int rowCount_ = 0;
    std::list<TPage> pages_; // most recently used first
    int positionReads_ = 0;
    int keyReads_ = 0;
};
