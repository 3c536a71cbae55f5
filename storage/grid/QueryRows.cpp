#include "storage/grid/QueryRows.h"

#include "storage/dao/DAODatabase.h"
#include "storage/dao/Errors.h"
#include "storage/dao/JetSqlTranslator.h"
#include "storage/dao/SqliteError.h"

#include <QHash>

#include <sqlite3.h>

#include <algorithm>

namespace {

const QString KeysParameter = QStringLiteral("pGridKeys");
constexpr int ProgressInterval = 1000; // engine steps between budget checks

void ReadCell(sqlite3_stmt* statement, int column, TCellValue& cell) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        cell.type = TCellValue::TType::Integer;
        cell.integer = sqlite3_column_int64(statement, column);
        break;
    case SQLITE_FLOAT:
        cell.type = TCellValue::TType::Real;
        cell.real = sqlite3_column_double(statement, column);
        break;
    case SQLITE_NULL:
        cell.type = TCellValue::TType::Null;
        break;
    default:
        cell.type = TCellValue::TType::Text;
        cell.text =
            QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                       sqlite3_column_bytes(statement, column));
    }
}

// One query of the list, run to its end: translated and prepared (the
// connection keeps both for the next run) and released however the reading
// ends. With a budget the engine stops after that many steps, and the
// statement reads as interrupted.
class TListStatement {
public:
    TListStatement(TDAODatabase* database, const QString& jetSql, const QString& tail = {},
                   int budget = 0)
        : database_(database) {
        database_->Open();
        const TTranslation& translation = database_->Translate(jetSql);
        if (!translation.isQuery || translation.statements.size() != 1) {
            throw EOleException(QStringLiteral("列表的语句不是查询：%1").arg(jetSql));
        }
        parameters_ = translation.parameters;
        statement_ = database_->Prepare(translation.statements.front() + tail);
        if (budget > 0) {
            stepsLeft_ = budget;
            budgeted_ = true;
            sqlite3_progress_handler(database_->Handle(), ProgressInterval, &Spend, this);
        }
    }
    ~TListStatement() { Release(); }
    TListStatement(const TListStatement&) = delete;
    TListStatement& operator=(const TListStatement&) = delete;

    sqlite3_stmt* Handle() const { return statement_; }
    void BindText(const QString& parameter, const QByteArray& utf8) {
        const int rc = sqlite3_bind_text(statement_, int(parameters_.indexOf(parameter)) + 1,
                                         utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        if (rc != SQLITE_OK) {
            RaiseEngineError(database_->Handle(), rc);
        }
    }
    // The next row; false at the end or when the budget ran out.
    bool Next() {
        const int rc = sqlite3_step(statement_);
        if (rc == SQLITE_ROW) {
            return true;
        }
        if (rc == SQLITE_INTERRUPT && budgeted_ && stepsLeft_ <= 0) {
            interrupted_ = true;
            return false;
        }
        if (rc != SQLITE_DONE) {
            RaiseEngineError(database_->Handle(), rc);
        }
        return false;
    }
    bool Interrupted() const { return interrupted_; }
    // Steps the engine took scanning a whole table or index, since the last call.
    int FullScanSteps() {
        return sqlite3_stmt_status(statement_, SQLITE_STMTSTATUS_FULLSCAN_STEP, 1);
    }

private:
    static int Spend(void* self) {
        auto* statement = static_cast<TListStatement*>(self);
        statement->stepsLeft_ -= ProgressInterval;
        return statement->stepsLeft_ <= 0 ? 1 : 0;
    }
    void Release() {
        if (budgeted_) {
            budgeted_ = false;
            sqlite3_progress_handler(database_->Handle(), 0, nullptr, nullptr);
        }
        if (statement_) {
            sqlite3_stmt_status(statement_, SQLITE_STMTSTATUS_FULLSCAN_STEP, 1);
            database_->Release(statement_);
            statement_ = nullptr;
        }
    }

    TDAODatabase* database_;
    QStringList parameters_;
    sqlite3_stmt* statement_ = nullptr;
    int stepsLeft_ = 0;
    bool budgeted_ = false;
    bool interrupted_ = false;
};

} // namespace

QString TCellValue::Text() const {
    switch (type) {
    case TType::Integer:
        return QString::number(integer);
    case TType::Real:
        return QString::number(real, 'g', 15);
    case TType::Text:
        return QString::fromUtf8(text);
    case TType::Null:
        break;
    }
    return {};
}

TQueryRows::TQueryRows(TDAODatabase* database) : database_(database) {}

void TQueryRows::SetSql(const QString& select, const QString& where, const QString& key) {
    const QString head = QStringLiteral("SELECT ");
    if (!select.trimmed().startsWith(head, Qt::CaseInsensitive)) {
        throw EDAODatabaseError(QStringLiteral("列表的语句必须以 SELECT 开头：%1").arg(select));
    }
    select_ = select.trimmed().mid(head.size());
    where_ = where;
    key_ = key;
    pages_.clear();
    fields_.clear();
    keys_.clear();
    counted_ = false;
}

void TQueryRows::SetOrder(const QString& expression, bool descending) {
    order_ = expression == key_ ? QString() : expression;
    descending_ = descending;
}

void TQueryRows::SetFilter(const QString& condition) {
    filter_ = condition;
}

void TQueryRows::SetSummedFields(const QStringList& fields) {
    summedFields_ = fields;
}

// Along the order's index the condition is kept from choosing an index of its
// own ("+" takes a term out of the planner's reach).
QString TQueryRows::Where(bool byOrder) const {
    QStringList terms;
    for (const QString& term : {where_, filter_}) {
        if (!term.isEmpty()) {
            terms.append(u'(' + term + u')');
        }
    }
    if (terms.isEmpty()) {
        return {};
    }
    const QString condition = terms.join(QStringLiteral(" AND "));
    return byOrder ? QStringLiteral(" WHERE +(%1)").arg(condition)
                   : QStringLiteral(" WHERE ") + condition;
}

QString TQueryRows::OrderBy(const QString& sort, const QString& key, bool byKey, bool descending) {
    const QString direction = descending ? QStringLiteral("DESC") : QStringLiteral("ASC");
    if (byKey) {
        return QStringLiteral(" ORDER BY %1 %2").arg(key, direction);
    }
    return QStringLiteral(" ORDER BY %1 %2,%3 ASC").arg(sort, direction, key);
}

// The hidden sort value and key lead the columns of every row read.
QString TQueryRows::ListSql(bool byOrder, bool ordered) const {
    const QString sort = order_.isEmpty() ? key_ : order_;
    return QStringLiteral("SELECT %1 AS GridSortValue,%2 AS GridKeyValue,%3%4%5")
        .arg(sort, key_, select_, Where(byOrder),
             ordered ? OrderBy(order_, key_, order_.isEmpty(), descending_) : QString());
}

QString TQueryRows::Sql() const {
    return QStringLiteral("SELECT ") + select_ + Where(false) +
           OrderBy(order_, key_, order_.isEmpty(), descending_);
}

int TQueryRows::FieldIndex(const QString& name) const {
    for (int i = 0; i < fields_.size(); ++i) {
        if (fields_[i].compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

void TQueryRows::Reload() {
    pages_.clear();
    fields_.clear();
    keys_.clear();
    counted_ = false;
    countByOrder_ = false;
    TPage first;
    firstByOrder_ = !Where(false).isEmpty() && ReadFirstPage(first, true);
    if (!firstByOrder_) {
        ReadFirstPage(first, false);
    }
    if (counted_) {
        SumPage(first);
    }
    pages_.push_front(std::move(first));
}

// One row more than a page tells whether the list goes on. False when read
// along the index and that took more than the budget.
bool TQueryRows::ReadFirstPage(TPage& page, bool byOrder) {
    TListStatement statement(database_, ListSql(byOrder, true),
                             QStringLiteral(" LIMIT %1").arg(PageRows + 1), byOrder ? budget_ : 0);
    const int columns = sqlite3_column_count(statement.Handle());
    std::vector<TCellValue> cells;
    cells.reserve(size_t(PageRows * columns));
    std::vector<qint64> keys;
    while (statement.Next() && int(keys.size()) < PageRows) {
        keys.push_back(sqlite3_column_int64(statement.Handle(), 1));
        const size_t start = cells.size();
        cells.resize(start + size_t(columns));
        for (int column = 0; column < columns; ++column) {
            ReadCell(statement.Handle(), column, cells[start + size_t(column)]);
        }
    }
    if (statement.Interrupted()) {
        return false;
    }
    const bool more = sqlite3_stmt_busy(statement.Handle()) != 0;
    // Rows close together along the index: the count follows it too.
    countByOrder_ = byOrder && statement.FullScanSteps() <= 2 * (PageRows + 1);
    fields_.clear();
    for (int column = Hidden; column < columns; ++column) {
        fields_.append(QString::fromUtf8(sqlite3_column_name(statement.Handle(), column)));
    }
    page.number = 0;
    page.cells = std::move(cells);
    keys_ = std::move(keys);
    counted_ = !more;
    return true;
}

void TQueryRows::Count() {
    if (counted_ || fields_.isEmpty()) {
        return; // counted, or not read yet
    }
    TListStatement statement(database_, CountSql());
    std::vector<qint64> keys;
    StartSums();
    TCellValue value;
    while (statement.Next()) {
        keys.push_back(sqlite3_column_int64(statement.Handle(), 0));
        for (int sum = 0; sum < summedFields_.size(); ++sum) {
            ReadCell(statement.Handle(), sum + 1, value);
            AddToSum(sum, value);
        }
    }
    // The first page was read before: kept only if the rows are still the same.
    const auto first = std::find_if(pages_.begin(), pages_.end(),
                                    [](const TPage& page) { return page.number == 0; });
    if (first != pages_.end() &&
        (keys.size() < keys_.size() || !std::equal(keys_.begin(), keys_.end(), keys.begin()))) {
        pages_.erase(first);
    }
    keys_ = std::move(keys);
    counted_ = true;
}

QString TQueryRows::CountSql() const {
    QString sums;
    for (const QString& field : std::as_const(summedFields_)) {
        sums +=
            FieldIndex(field) < 0 ? QStringLiteral(",NULL") : QStringLiteral(",[%1]").arg(field);
    }
    return QStringLiteral("SELECT GridKeyValue%1 FROM (%2)")
               .arg(sums, ListSql(countByOrder_, false)) +
           OrderBy(QStringLiteral("GridSortValue"), QStringLiteral("GridKeyValue"),
                   order_.isEmpty(), descending_);
}

int TQueryRows::RowCount() {
    Count();
    return KnownRows();
}

void TQueryRows::StartSums() {
    sumsOf_ = summedFields_;
    integerSums_.assign(size_t(sumsOf_.size()), 0);
    realSums_.assign(size_t(sumsOf_.size()), 0);
}

void TQueryRows::SumPage(const TPage& page) {
    StartSums();
    const int columns = Columns();
    for (int sum = 0; sum < summedFields_.size(); ++sum) {
        const int field = FieldIndex(summedFields_[sum]);
        if (field < 0) {
            continue;
        }
        for (size_t cell = size_t(Hidden + field); cell < page.cells.size(); cell += columns) {
            AddToSum(sum, page.cells[cell]);
        }
    }
}

// As the engine sums: whole numbers exactly, as long as they fit.
void TQueryRows::AddToSum(int sum, const TCellValue& value) {
    if (value.type == TCellValue::TType::Integer) {
        qint64 total = 0;
        if (!__builtin_add_overflow(integerSums_[size_t(sum)], value.integer, &total)) {
            integerSums_[size_t(sum)] = total;
            return;
        }
    }
    realSums_[size_t(sum)] += value.Number();
}

TQueryRows::TPage& TQueryRows::Page(int number) {
    if (!pages_.empty() && pages_.front().number == number) {
        return pages_.front(); // the cells of a row are read one after another
    }
    const auto found = std::find_if(pages_.begin(), pages_.end(),
                                    [&](const TPage& page) { return page.number == number; });
    if (found != pages_.end()) {
        pages_.splice(pages_.begin(), pages_, found);
        return pages_.front();
    }
    TPage page;
    page.number = number;
    ReadPage(page);
    pages_.push_front(std::move(page));
    if (int(pages_.size()) > KeptPages) {
        pages_.pop_back();
    }
    return pages_.front();
}

QString TQueryRows::PageSql() const {
    return QStringLiteral("PARAMETERS [%4] TEXT; SELECT %1 AS GridSortValue,%2 AS GridKeyValue,%3 "
                          "WHERE %2 IN (SELECT value FROM json_each([%4]))")
        .arg(order_.isEmpty() ? key_ : order_, key_, select_, KeysParameter);
}

// The rows of the page's keys, each put in its place; a row gone since the
// count stays empty.
void TQueryRows::ReadPage(TPage& page) {
    const int columns = Columns();
    const int first = page.number * PageRows;
    const int rows = std::min(PageRows, KnownRows() - first);
    QHash<qint64, int> places;
    places.reserve(rows);
    QByteArray keys;
    keys.reserve(rows * 8);
    keys += '[';
    for (int row = 0; row < rows; ++row) {
        const qint64 key = keys_[size_t(first + row)];
        places.insert(key, row);
        if (row > 0) {
            keys += ',';
        }
        keys += QByteArray::number(key);
    }
    keys += ']';
    page.cells.assign(size_t(rows * columns), TCellValue());
    TListStatement statement(database_, PageSql());
    statement.BindText(KeysParameter, keys);
    while (statement.Next()) {
        const int row = places.value(sqlite3_column_int64(statement.Handle(), 1), -1);
        if (row < 0) {
            continue;
        }
        for (int column = 0; column < columns; ++column) {
            ReadCell(statement.Handle(), column, page.cells[size_t(row * columns + column)]);
        }
    }
}

const TCellValue& TQueryRows::Value(int row, int column) {
    static const TCellValue Missing;
    if (row < 0 || column < 0 || column >= fields_.size()) {
        return Missing;
    }
    if (row >= KnownRows()) {
        Count();
        if (row >= KnownRows()) {
            return Missing;
        }
    }
    const TPage& page = Page(row / PageRows);
    const size_t index = size_t((row % PageRows) * Columns() + Hidden + column);
    return index < page.cells.size() ? page.cells[index] : Missing;
}

qint64 TQueryRows::KeyOf(int row) {
    if (row >= KnownRows()) {
        Count();
    }
    return row < 0 || row >= KnownRows() ? -1 : keys_[size_t(row)];
}

int TQueryRows::RowOfKey(qint64 key) {
    auto found = std::find(keys_.begin(), keys_.end(), key);
    if (found == keys_.end() && !counted_) {
        Count();
        found = std::find(keys_.begin(), keys_.end(), key);
    }
    return found == keys_.end() ? -1 : int(found - keys_.begin());
}

double TQueryRows::Sum(const QString& field) {
    auto sumOf = [&](const QStringList& fields) {
        return std::find_if(fields.begin(), fields.end(),
                            [&](const QString& name) {
                                return name.compare(field, Qt::CaseInsensitive) == 0;
                            }) -
               fields.begin();
    };
    if (sumOf(summedFields_) < summedFields_.size()) {
        Count();
    }
    const qsizetype sum = sumOf(sumsOf_);
    if (counted_ && sum < sumsOf_.size()) {
        return double(integerSums_[size_t(sum)]) + realSums_[size_t(sum)];
    }
    TListStatement statement(
        database_,
        QStringLiteral("SELECT Sum([%1]) AS S FROM (%2)").arg(field, ListSql(false, false)));
    return statement.Next() ? sqlite3_column_double(statement.Handle(), 0) : 0;
}
