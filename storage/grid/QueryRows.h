#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <list>
#include <vector>

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

// The rows of a list query, read as they are looked at. Reload() reads the
// first page only, so a list shows at once however long it is. Counting lists
// the key of every row in order, once, with the sums of the summed fields;
// every later page is then read by its keys, which costs the same anywhere in
// the list (a row deleted since stays empty until the next Reload()), and the
// row of a key is found among them. Each statement runs to
// its end at once, so none stays open between calls and a write on the
// connection is never held up. Only the pages used last are kept.
//
// A list with a condition is first read along the index of its order, the
// condition tested on each row, as long as that finds the rows within a
// budget of engine steps; a list whose rows are rare that way is read with the
// condition's own indexes and sorted. The count follows the index when the
// first page found its rows close together there.
class TQueryRows {
public:
    static constexpr int PageRows = 256;
    static constexpr int KeptPages = 64;
    static constexpr int ByOrderBudget = 250'000; // engine steps, a few milliseconds

    explicit TQueryRows(TDAODatabase* database);
    TQueryRows(const TQueryRows&) = delete;
    TQueryRows& operator=(const TQueryRows&) = delete;

    // The list: its "SELECT … FROM …", the condition of its WHERE (empty for
    // none) and the expression of an integer key unique to each row ("A.Id").
    void SetSql(const QString& select, const QString& where, const QString& key);
    // Rows ordered by the expression (empty: by the key), ties by the key
    // ascending.
    void SetOrder(const QString& expression, bool descending);
    // A further condition ANDed to the WHERE (empty for none).
    void SetFilter(const QString& condition);
    // Result columns whose sums come with the count (from the next Reload()).
    void SetSummedFields(const QStringList& fields);
    // The Jet SQL of the whole list as it is ordered.
    QString Sql() const;

    // Forgets every page and the count, and reads the first page.
    void Reload();
    // Whether every row is known: after Count(), or when the first page held
    // them all.
    bool Counted() const { return counted_; }
    // The rows known so far: all of them once counted, else the first page.
    int KnownRows() const { return int(keys_.size()); }
    // Lists the keys of every row and sums the summed fields; nothing once done.
    void Count();
    // The number of rows (counted first).
    int RowCount();
    // Result column names, and the index of one (case ignored); -1 for none.
    const QStringList& FieldNames() const { return fields_; }
    int FieldIndex(const QString& name) const;

    // A value of a row (0 <= row < RowCount()), reading its page if needed.
    const TCellValue& Value(int row, int column);
    // The key of a row; -1 for none.
    qint64 KeyOf(int row);
    // The row holding the key, -1 when no row does.
    int RowOfKey(qint64 key);
    // Sum of a result column over the listed rows.
    double Sum(const QString& field);

    // What reading cost so far, for tests and measurements.
    int PagesInMemory() const { return int(pages_.size()); }
    bool FirstPageByOrder() const { return firstByOrder_; }
    bool CountedByOrder() const { return counted_ && countByOrder_; }
    void SetByOrderBudget(int steps) { budget_ = steps; }
    // The Jet SQL of the first page (as last read), the count and a page read
    // by its keys.
    QString FirstPageSql() const { return ListSql(firstByOrder_, true); }
    QString CountSql() const;
    QString PageSql() const;

private:
    struct TPage {
        int number = 0;
        std::vector<TCellValue> cells; // row by row, the hidden columns first
    };
    QString Where(bool byOrder) const;
    QString ListSql(bool byOrder, bool ordered) const;
    static QString OrderBy(const QString& sort, const QString& key, bool byKey, bool descending);
    bool ReadFirstPage(TPage& page, bool byOrder);
    TPage& Page(int number);
    void ReadPage(TPage& page);
    void StartSums();
    void SumPage(const TPage& page);
    void AddToSum(int sum, const TCellValue& value);
    int Columns() const { return int(fields_.size()) + Hidden; }

    static constexpr int Hidden = 2; // the sort value and the key lead every row

    TDAODatabase* database_;
    QString select_;
    QString where_;
    QString key_;
    QString order_;
    bool descending_ = false;
    QString filter_;
    QStringList summedFields_;
    QStringList fields_;
    std::vector<qint64> keys_; // of every row in order once counted, else of the first page
    bool counted_ = false;
    bool firstByOrder_ = false;       // read with the condition kept off the indexes
    bool countByOrder_ = false;       // count so too
    QStringList sumsOf_;              // the summed fields of the sums below
    std::vector<qint64> integerSums_; // per summed field, exact
    std::vector<double> realSums_;
    std::list<TPage> pages_; // most recently used first
    int budget_ = ByOrderBudget;
};
