#include "storage/grid/QueryRows.h"

#include "storage/dao/DAODatabase.h"
#include "storage/dao/Errors.h"
#include "storage/dao/JetSqlTranslator.h"
#include "storage/dao/SqliteError.h"

#include <sqlite3.h>

#include <algorithm>

namespace {

const QString SortParameter = QStringLiteral("pGridSortValue");
const QString KeyParameter = QStringLiteral("pGridKey");

using TBindings = std::vector<std::pair<QString, const TCellValue*>>;

// Declares the parameters a statement uses, so the translation binds them.
QString Declared(const TBindings& values) {
    if (values.empty()) {
        return {};
    }
    QStringList names;
    for (const auto& [name, value] : values) {
        names.append(QStringLiteral("[%1] TEXT").arg(name));
    }
    return QStringLiteral("PARAMETERS %1; ").arg(names.join(QStringLiteral(", ")));
}

TCellValue ReadCell(sqlite3_stmt* statement, int column) {
    TCellValue cell;
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
        break;
    default:
        cell.type = TCellValue::TType::Text;
        cell.text =
            QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                       sqlite3_column_bytes(statement, column));
    }
    return cell;
}

int Bind(sqlite3_stmt* statement, int position, const TCellValue& value) {
    switch (value.type) {
    case TCellValue::TType::Integer:
        return sqlite3_bind_int64(statement, position, value.integer);
    case TCellValue::TType::Real:
        return sqlite3_bind_double(statement, position, value.real);
    case TCellValue::TType::Text:
        return sqlite3_bind_text(statement, position, value.text.constData(),
                                 int(value.text.size()), SQLITE_TRANSIENT);
    case TCellValue::TType::Null:
        break;
    }
    return sqlite3_bind_null(statement, position);
}

// Releases a statement however the reading ends.
struct TStatementGuard {
    TDAODatabase* database;
    sqlite3_stmt* statement;
    ~TStatementGuard() { database->Release(statement); }
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
    rowCount_ = 0;
}

void TQueryRows::SetOrder(const QString& expression, bool descending) {
    order_ = expression == key_ ? QString() : expression;
    descending_ = descending;
}

void TQueryRows::SetFilter(const QString& condition) {
    filter_ = condition;
}

QString TQueryRows::Where(const QString& extra) const {
    QStringList terms;
    for (const QString& term : {where_, filter_, extra}) {
        if (!term.isEmpty()) {
            terms.append(u'(' + term + u')');
        }
    }
    return terms.isEmpty() ? QString()
                           : QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
}

QString TQueryRows::KeyOrderTerm() const {
    return key_ +
           (order_.isEmpty() && descending_ ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
}

QString TQueryRows::OrderBy() const {
    if (order_.isEmpty()) {
        return QStringLiteral(" ORDER BY ") + KeyOrderTerm();
    }
    return QStringLiteral(" ORDER BY %1 %2,%3")
        .arg(order_, descending_ ? QStringLiteral("DESC") : QStringLiteral("ASC"), KeyOrderTerm());
}

// The hidden sort value and key lead the columns of every row read.
QString TQueryRows::ListSql(const QString& extra, bool ordered) const {
    const QString sort = order_.isEmpty() ? key_ : order_;
    return QStringLiteral("SELECT %1 AS GridSortValue,%2 AS GridKeyValue,%3%4%5")
        .arg(sort, key_, select_, Where(extra), ordered ? OrderBy() : QString());
}

QString TQueryRows::Sql() const {
    return QStringLiteral("SELECT ") + select_ + Where({}) + OrderBy();
}

int TQueryRows::FieldIndex(const QString& name) const {
    for (int i = 0; i < fields_.size(); ++i) {
        if (fields_[i].compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

void TQueryRows::BindByName(sqlite3_stmt* statement, const QStringList& names,
                            const TBindings& values, int offset) {
    for (int n = 0; n < names.size(); ++n) {
        const auto found = std::find_if(values.begin(), values.end(), [&](const auto& value) {
            return value.first.compare(names[n], Qt::CaseInsensitive) == 0;
        });
        const int rc = found == values.end() ? sqlite3_bind_null(statement, n + 1)
                                             : Bind(statement, n + 1, *found->second);
        if (rc != SQLITE_OK) {
            RaiseEngineError(database_->Handle(), rc);
        }
    }
    if (offset >= 0) {
        sqlite3_bind_int64(statement, int(names.size()) + 1, offset);
    }
}

// Runs a statement to its end: the Jet SQL translated, `tail` added, the
// values bound by parameter name and the offset last. Rows go into `cells`.
int TQueryRows::Step(const QString& jetSql, const QString& tail, const TBindings& values,
                     int offset, std::vector<TCellValue>* cells) {
    database_->Open();
    const TTranslation& translation = database_->Translate(Declared(values) + jetSql);
    if (!translation.isQuery || translation.statements.size() != 1) {
        throw EOleException(QStringLiteral("列表的语句不是查询：%1").arg(jetSql));
    }
    const QStringList names = translation.parameters;
    TStatementGuard guard{database_, database_->Prepare(translation.statements.front() + tail)};
    BindByName(guard.statement, names, values, offset);
    const int columns = sqlite3_column_count(guard.statement);
    int rows = 0;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(guard.statement)) == SQLITE_ROW) {
        for (int column = 0; column < columns; ++column) {
            cells->push_back(ReadCell(guard.statement, column));
        }
        ++rows;
    }
    if (rc != SQLITE_DONE) {
        RaiseEngineError(database_->Handle(), rc);
    }
    if (fields_.isEmpty()) {
        for (int column = Hidden; column < columns; ++column) {
            fields_.append(QString::fromUtf8(sqlite3_column_name(guard.statement, column)));
        }
    }
    return rows;
}

qint64 TQueryRows::CountWhere(const QString& extra, const TBindings& values) {
    std::vector<TCellValue> cells;
    Step(QStringLiteral("SELECT Count(*) AS N FROM (%1)").arg(ListSql(extra, false)), {}, values,
         -1, &cells);
    return cells.empty() ? 0 : cells.front().integer;
}

void TQueryRows::Reload() {
    pages_.clear();
    fields_.clear();
    std::vector<TCellValue> none;
    Step(ListSql({}, true), QStringLiteral(" LIMIT 0"), {}, -1, &none); // learns the columns
    rowCount_ = int(CountWhere({}, {}));
}

TQueryRows::TPage& TQueryRows::Page(int number) {
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

void TQueryRows::ReadPage(TPage& page) {
    const auto before = std::find_if(pages_.begin(), pages_.end(), [&](const TPage& kept) {
        return kept.number == page.number - 1;
    });
    if (before != pages_.end() && ReadAfterKey(page, *before)) {
        return;
    }
    ReadByPosition(page);
}

// Reads the rows after the last row of the page before. The sort value of
// that row must be known: rows without one (NULL) are read by position. A
// page that comes out shorter than the count says (NULLs sorted last) is read
// again by position.
bool TQueryRows::ReadAfterKey(TPage& page, const TPage& before) {
    const int columns = Columns();
    const int last = before.Rows(columns) - 1;
    if (last < 0 || before.cells[size_t(last * columns)].IsNull()) {
        return false;
    }
    const TCellValue& sortValue = before.cells[size_t(last * columns)];
    const TCellValue& keyValue = before.cells[size_t(last * columns + 1)];
    const QString sortParam = u'[' + SortParameter + u']';
    const QString keyParam = u'[' + KeyParameter + u']';
    QString after;
    if (order_.isEmpty()) {
        after = key_ + (descending_ ? u'<' : u'>') + keyParam;
    } else {
        const QChar op = descending_ ? u'<' : u'>';
        after = QStringLiteral("%1%2=%3 AND (%1%2%3 OR %4>%5)")
                    .arg(order_, op, sortParam, key_, keyParam);
    }
    std::vector<TCellValue> cells;
    const int expected = std::min(PageRows, rowCount_ - page.number * PageRows);
    const int rows = Step(ListSql(after, true), QStringLiteral(" LIMIT %1").arg(PageRows),
                          {{SortParameter, &sortValue}, {KeyParameter, &keyValue}}, -1, &cells);
    if (rows < expected) {
        return false;
    }
    page.cells = std::move(cells);
    ++keyReads_;
    return true;
}

void TQueryRows::ReadByPosition(TPage& page) {
    page.cells.clear();
    Step(ListSql({}, true), QStringLiteral(" LIMIT %1 OFFSET ?").arg(PageRows), {},
         page.number * PageRows, &page.cells);
    ++positionReads_;
}

const TCellValue& TQueryRows::Value(int row, int column) {
    static const TCellValue Missing;
    if (row < 0 || row >= rowCount_ || column < 0 || column >= fields_.size()) {
        return Missing;
    }
    const TPage& page = Page(row / PageRows);
    const size_t index = size_t((row % PageRows) * Columns() + Hidden + column);
    return index < page.cells.size() ? page.cells[index] : Missing;
}

qint64 TQueryRows::KeyOf(int row) {
    if (row < 0 || row >= rowCount_) {
        return -1;
    }
    const TPage& page = Page(row / PageRows);
    const size_t index = size_t((row % PageRows) * Columns() + 1);
    return index < page.cells.size() ? page.cells[index].integer : -1;
}

// The rows before the key's row are counted: those with a lower sort value
// (NULLs first when ascending) and those of the same value with a lower key.
int TQueryRows::RowOfKey(qint64 key) {
    TCellValue keyValue;
    keyValue.type = TCellValue::TType::Integer;
    keyValue.integer = key;
    const QString keyParam = u'[' + KeyParameter + u']';
    std::vector<TCellValue> cells;
    Step(ListSql(key_ + u'=' + keyParam, false), {}, {{KeyParameter, &keyValue}}, -1, &cells);
    if (cells.empty()) {
        return -1;
    }
    if (order_.isEmpty()) {
        return int(
            CountWhere(key_ + (descending_ ? u'>' : u'<') + keyParam, {{KeyParameter, &keyValue}}));
    }
    const TCellValue sortValue = cells.front();
    const QString sortParam = u'[' + SortParameter + u']';
    const TBindings values{{SortParameter, &sortValue}, {KeyParameter, &keyValue}};
    const QString nulls = order_ + QStringLiteral(" IS NULL");
    if (sortValue.IsNull()) {
        const QString ties = nulls + QStringLiteral(" AND ") + key_ + u'<' + keyParam;
        return int(CountWhere(ties, values) +
                   (descending_ ? CountWhere(order_ + QStringLiteral(" IS NOT NULL"), {}) : 0));
    }
    const QChar op = descending_ ? u'>' : u'<';
    const QString before =
        QStringLiteral("%1%2=%3 AND (%1%2%3 OR %4<%5)").arg(order_, op, sortParam, key_, keyParam);
    return int(CountWhere(before, values) + (descending_ ? 0 : CountWhere(nulls, {})));
}

double TQueryRows::Sum(const QString& field) {
    std::vector<TCellValue> cells;
    Step(QStringLiteral("SELECT Sum([%1]) AS S FROM (%2)").arg(field, ListSql({}, false)), {}, {},
         -1, &cells);
    return cells.empty() ? 0 : cells.front().Number();
}
