#include "storage/dao/DAODataset.h"

#include "storage/JetDate.h"
#include "storage/dao/DAODatabase.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"
#include "storage/dao/SqliteError.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include <cmath>
#include <utility>

namespace {

const QVariant NullValue;

QString PlainNumber(double value) {
    return Currency::FromDouble(value).ToPlainText();
}

void BindValue(sqlite3* db, sqlite3_stmt* statement, int position, const QVariant& value) {
    int rc = SQLITE_OK;
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        rc = sqlite3_bind_null(statement, position);
        break;
    case QMetaType::Double:
        rc = sqlite3_bind_double(statement, position, value.toDouble());
        break;
    case QMetaType::QString: {
        const QByteArray text = value.toString().toUtf8();
        rc = sqlite3_bind_text(statement, position, text.constData(), int(text.size()),
                               SQLITE_TRANSIENT);
        break;
    }
    default:
        rc = sqlite3_bind_int64(statement, position, value.toLongLong());
        break;
    }
    if (rc != SQLITE_OK) {
        RaiseEngineError(db, rc);
    }
}

} // namespace

// ---- TField ----

QString TField::FieldName() const {
    return dataset_->columns_[index_].name;
}

TColumnKind TField::Kind() const {
    return dataset_->KindAt(index_);
}

bool TField::IsNull() const {
    return !dataset_->ValueAt(index_).isValid();
}

QVariant TField::Value() const {
    return dataset_->ValueAt(index_);
}

QString TField::AsString() const {
    const QVariant& v = dataset_->ValueAt(index_);
    if (!v.isValid()) {
        return {};
    }
    const bool number = v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double;
    switch (Kind()) {
    case TColumnKind::Date:
        return number ? JetDate::ShortText(JetDate::FromDayNumber(v.toDouble())) : v.toString();
    case TColumnKind::Currency:
        return number ? AsCurrency().ToPlainText() : v.toString();
    default:
        break;
    }
    if (v.typeId() == QMetaType::Double) {
        return PlainNumber(v.toDouble());
    }
    return v.toString();
}

qint64 TField::AsInteger() const {
    const QVariant& v = dataset_->ValueAt(index_);
    switch (v.typeId()) {
    case QMetaType::LongLong:
        return v.toLongLong();
    case QMetaType::Double:
        return RoundHalfEven(static_cast<long double>(v.toDouble()));
    case QMetaType::QString: {
        if (const auto money = Currency::Parse(v.toString())) {
            return money->RoundedWhole();
        }
        return 0;
    }
    default:
        return 0;
    }
}

QVariant ColumnValue(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement, column);
    case SQLITE_NULL:
        return {};
    default:
        return QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
            sqlite3_column_bytes(statement, column));
    }
}

Currency CurrencyValue(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return Currency::FromWhole(value.toLongLong());
    case QMetaType::Double:
        return Currency::FromDouble(value.toDouble());
    case QMetaType::QString:
        return Currency::Parse(value.toString()).value_or(Currency());
    default:
        return {};
    }
}

Currency TField::AsCurrency() const {
    return CurrencyValue(dataset_->ValueAt(index_));
}

double TField::AsFloat() const {
    const QVariant& v = dataset_->ValueAt(index_);
    if (v.typeId() == QMetaType::QString) {
        if (const auto money = Currency::Parse(v.toString())) {
            return money->ToDouble();
        }
        return 0;
    }
    return v.toDouble();
}

QDate TField::AsDateTime() const {
    const QVariant& v = dataset_->ValueAt(index_);
    if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double) {
        return JetDate::FromDayNumber(v.toDouble());
    }
    if (v.typeId() == QMetaType::QString) {
        return JetDate::ParseShort(v.toString()).value_or(QDate());
    }
    return {};
}

bool TField::AsBoolean() const {
    const QVariant& v = dataset_->ValueAt(index_);
    if (v.typeId() == QMetaType::QString) {
        return v.toString().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    }
    return v.toDouble() != 0;
}

void TField::SetAsString(const QString& value) const {
    // Empty text is 0 (or no date); any other text must be a number or a date.
    auto refuse = [&] {
        throw EDAODatabaseError(
            QStringLiteral("“%1”不是字段“%2”的有效值。").arg(value, FieldName()));
    };
    const bool empty = value.trimmed().isEmpty();
    switch (Kind()) {
    case TColumnKind::Integer:
    case TColumnKind::Currency: {
        const auto number = empty ? Currency() : Currency::Parse(value);
        if (!number) {
            refuse();
        }
        if (Kind() == TColumnKind::Integer) {
            dataset_->SetValueAt(index_, number->RoundedWhole());
        } else {
            SetAsCurrency(*number);
        }
        break;
    }
    case TColumnKind::Date:
        if (const auto date = JetDate::ParseShort(value)) {
            SetAsDateTime(*date);
        } else if (empty) {
            Clear();
        } else {
            refuse();
        }
        break;
    default:
        dataset_->SetValueAt(index_, value);
    }
}

void TField::SetAsInteger(qint64 value) const {
    if (Kind() == TColumnKind::Text) {
        dataset_->SetValueAt(index_, QString::number(value));
    } else if (Kind() == TColumnKind::Currency) {
        SetAsCurrency(Currency::FromWhole(value));
    } else {
        dataset_->SetValueAt(index_, value);
    }
}

void TField::SetAsCurrency(Currency value) const {
    switch (Kind()) {
    case TColumnKind::Integer:
        dataset_->SetValueAt(index_, value.RoundedWhole());
        break;
    case TColumnKind::Text:
        dataset_->SetValueAt(index_, value.ToPlainText());
        break;
    default:
        // The double nearest to the exact amount: reads back as the same amount.
        dataset_->SetValueAt(index_, static_cast<double>(value.Raw()) / Currency::Scale);
    }
}

void TField::SetAsFloat(double value) const {
    switch (Kind()) {
    case TColumnKind::Integer:
        dataset_->SetValueAt(index_, RoundHalfEven(static_cast<long double>(value)));
        break;
    case TColumnKind::Currency:
        SetAsCurrency(Currency::FromDouble(value));
        break;
    case TColumnKind::Text:
        dataset_->SetValueAt(index_, PlainNumber(value));
        break;
    default:
        dataset_->SetValueAt(index_, value);
    }
}

void TField::SetAsDateTime(const QDate& value) const {
    if (!value.isValid()) {
        Clear();
    } else if (Kind() == TColumnKind::Text) {
        dataset_->SetValueAt(index_, JetDate::ShortText(value));
    } else {
        dataset_->SetValueAt(index_, JetDate::DayNumber(value));
    }
}

void TField::SetAsBoolean(bool value) const {
    if (Kind() == TColumnKind::Text) {
        dataset_->SetValueAt(index_, value ? QStringLiteral("True") : QStringLiteral("False"));
    } else {
        dataset_->SetValueAt(index_, qint64(value ? -1 : 0));
    }
}

void TField::Clear() const {
    dataset_->SetValueAt(index_, QVariant());
}

// ---- TDAODataset ----

TDAODataset::TDAODataset(TDAODatabase* database) {
    SetDatabase(database);
}

TDAODataset::~TDAODataset() {
    TDAODataset::Close();
    if (database_) {
        database_->Detach(this);
    }
}

void TDAODataset::SetDatabase(TDAODatabase* database) {
    if (database == database_) {
        return;
    }
    Close();
    if (database_) {
        database_->Detach(this);
    }
    database_ = database;
    if (database_) {
        database_->Attach(this);
    }
}

void TDAODataset::Close() {
    if (statement_ && database_) {
        database_->Release(statement_);
    }
    statement_ = nullptr;
    pendingStep_ = 0;
    state_ = TDataSetState::Inactive;
    columns_.clear();
    rows_.clear();
    nameCache_.clear();
    updatableTable_.clear();
    aliases_.clear();
    exhausted_ = true;
    current_ = -1;
    eof_ = bof_ = true;
    buffer_.clear();
    modified_.clear();
    conditions_.clear();
}

void TDAODataset::OpenCursor(sqlite3_stmt* statement, const TTranslation& translation) {
    Close();
    statement_ = statement;
    exhausted_ = false;
    updatableTable_ = translation.updatableTable;
    aliases_ = translation.aliases;
    // Step once before the columns are read: a kept statement whose tables
    // were changed by another connection is prepared again by its first step,
    // and only then describes the columns it yields.
    pendingStep_ = sqlite3_step(statement);
    const int count = sqlite3_column_count(statement);
    columns_.reserve(count);
    for (int i = 0; i < count; ++i) {
        auto text = [](const char* s) { return s ? QString::fromUtf8(s) : QString(); };
        columns_.push_back({text(sqlite3_column_name(statement, i)),
                            text(sqlite3_column_table_name(statement, i)),
                            text(sqlite3_column_origin_name(statement, i)),
                            ColumnKindOfType(text(sqlite3_column_decltype(statement, i)))});
    }
    state_ = TDataSetState::Browse;
    try {
        if (filtered_) {
            ParseFilter();
        }
        First();
    } catch (...) {
        Close();
        throw;
    }
}

bool TDAODataset::FetchRow() {
    if (exhausted_) {
        return false;
    }
    const int rc = pendingStep_ != 0 ? std::exchange(pendingStep_, 0) : sqlite3_step(statement_);
    if (rc == SQLITE_ROW) {
        QVector<QVariant> row(int(columns_.size()));
        for (int i = 0; i < row.size(); ++i) {
            row[i] = ColumnValue(statement_, i);
        }
        rows_.push_back(std::move(row));
        return true;
    }
    exhausted_ = true;
    database_->Release(statement_);
    statement_ = nullptr;
    if (rc != SQLITE_DONE) {
        RaiseEngineError(database_->Handle(), rc);
    }
    return false;
}

bool TDAODataset::FetchUpTo(size_t row) {
    while (rows_.size() <= row) {
        if (!FetchRow()) {
            return false;
        }
    }
    return true;
}

void TDAODataset::FinishReading() {
    while (FetchRow()) {
    }
}

bool TDAODataset::RowMatches(size_t row) const {
    for (const Condition& c : conditions_) {
        const QVariant& v = rows_[row][c.field];
        if (!v.isValid()) {
            return false;
        }
        int order = 0;
        if (c.value.typeId() == QMetaType::QString || v.typeId() == QMetaType::QString) {
            order = v.toString().compare(c.value.toString(), Qt::CaseInsensitive);
        } else {
            const double a = v.toDouble();
            const double b = c.value.toDouble();
            order = a < b ? -1 : (a > b ? 1 : 0);
        }
        const bool pass = c.op == QLatin1String("=")    ? order == 0
                          : c.op == QLatin1String("<>") ? order != 0
                          : c.op == QLatin1String("<")  ? order < 0
                          : c.op == QLatin1String("<=") ? order <= 0
                          : c.op == QLatin1String(">")  ? order > 0
                                                        : order >= 0;
        if (!pass) {
            return false;
        }
    }
    return true;
}

bool TDAODataset::MoveToMatch(size_t from, int step) {
    for (qsizetype row = qsizetype(from); row >= 0; row += step) {
        if (step > 0 && !FetchUpTo(size_t(row))) {
            return false;
        }
        if (row >= qsizetype(rows_.size())) {
            return false;
        }
        if (!filtered_ || RowMatches(size_t(row))) {
            current_ = row;
            return true;
        }
    }
    return false;
}

void TDAODataset::First() {
    if (!Active()) {
        return;
    }
    const bool found = MoveToMatch(0, 1);
    eof_ = bof_ = !found;
    if (!found) {
        current_ = -1;
    }
}

void TDAODataset::Next() {
    if (!Active() || eof_) {
        return;
    }
    if (!MoveToMatch(size_t(current_ + 1), 1)) {
        eof_ = true;
    }
    bof_ = false;
}

void TDAODataset::Prior() {
    if (!Active() || current_ <= 0) {
        bof_ = true;
        eof_ = current_ < 0; // stepping back from the end lands on the row
        return;
    }
    if (!MoveToMatch(size_t(current_ - 1), -1)) {
        bof_ = true;
    }
    eof_ = false;
}

void TDAODataset::Last() {
    if (!Active()) {
        return;
    }
    FinishReading();
    if (rows_.empty() || !MoveToMatch(rows_.size() - 1, -1)) {
        eof_ = bof_ = true;
        current_ = -1;
        return;
    }
    eof_ = bof_ = false;
}

bool TDAODataset::IsEmpty() {
    return !Active() || (current_ < 0 && eof_);
}

int TDAODataset::RecordCount() {
    if (!Active()) {
        return 0;
    }
    FinishReading();
    if (!filtered_) {
        return int(rows_.size());
    }
    int count = 0;
    for (size_t row = 0; row < rows_.size(); ++row) {
        count += RowMatches(row) ? 1 : 0;
    }
    return count;
}

int TDAODataset::FieldIndex(const QString& name) const {
    const auto cached = nameCache_.constFind(name);
    if (cached != nameCache_.constEnd()) {
        return *cached;
    }
    int found = -1;
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot > 0) {
        const QString qualifier = name.left(dot);
        const QString column = name.mid(dot + 1);
        const QString table = aliases_.value(qualifier.toLower(), qualifier);
        for (int i = 0; i < int(columns_.size()) && found < 0; ++i) {
            if (columns_[i].originTable.compare(table, Qt::CaseInsensitive) == 0 &&
                columns_[i].originColumn.compare(column, Qt::CaseInsensitive) == 0 &&
                columns_[i].name.compare(column, Qt::CaseInsensitive) == 0) {
                found = i;
            }
        }
    }
    if (found < 0) {
        // Among columns of the same name, a computed or renamed one wins over a
        // table column that a "*" brought in, as the old engine named them.
        for (int i = 0; i < int(columns_.size()); ++i) {
            if (columns_[i].name.compare(name, Qt::CaseInsensitive) != 0) {
                continue;
            }
            const bool plain =
                columns_[i].originColumn.compare(columns_[i].name, Qt::CaseInsensitive) == 0;
            if (found < 0 || !plain) {
                found = i;
                if (!plain) {
                    break;
                }
            }
        }
    }
    nameCache_.insert(name, found);
    return found;
}

TField TDAODataset::FieldByName(const QString& name) {
    const int index = FieldIndex(name);
    if (index < 0) {
        throw EDAODatabaseError(QStringLiteral("字段“%1”不存在。").arg(name));
    }
    return TField(this, index);
}

QStringList TDAODataset::FieldNames() const {
    QStringList names;
    for (const Column& c : columns_) {
        names.append(c.name);
    }
    return names;
}

void TDAODataset::RequireRow() const {
    if (current_ < 0 || current_ >= qsizetype(rows_.size())) {
        throw EDAODatabaseError(QStringLiteral("数据集中没有当前记录。"));
    }
}

const QVariant& TDAODataset::ValueAt(int index) const {
    if (index < 0 || index >= int(columns_.size())) {
        return NullValue;
    }
    if (state_ == TDataSetState::Edit || state_ == TDataSetState::Insert) {
        return buffer_[index];
    }
    if (current_ < 0 || current_ >= qsizetype(rows_.size())) {
        return NullValue;
    }
    return rows_[size_t(current_)][index];
}

void TDAODataset::SetValueAt(int index, const QVariant& value) {
    if (state_ != TDataSetState::Edit && state_ != TDataSetState::Insert) {
        throw EDAODatabaseError(QStringLiteral("数据集不在编辑状态，不能修改字段。"));
    }
    buffer_[index] = value;
    modified_[index] = true;
}

TColumnKind TDAODataset::KindAt(int index) const {
    const TColumnKind kind = columns_[index].kind;
    if (kind != TColumnKind::Unknown) {
        return kind;
    }
    switch (ValueAt(index).typeId()) {
    case QMetaType::LongLong:
        return TColumnKind::Integer;
    case QMetaType::Double:
        return TColumnKind::Float;
    case QMetaType::QString:
        return TColumnKind::Text;
    default:
        return TColumnKind::Unknown;
    }
}

int TDAODataset::KeyColumn() const {
    for (int i = 0; i < int(columns_.size()); ++i) {
        if (columns_[i].originColumn.compare(QLatin1String("Id"), Qt::CaseInsensitive) == 0 &&
            columns_[i].originTable.compare(updatableTable_, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

void TDAODataset::Edit() {
    if (state_ == TDataSetState::Edit || state_ == TDataSetState::Insert) {
        return;
    }
    if (!Active()) {
        throw EDAODatabaseError(QStringLiteral("数据集没有打开。"));
    }
    RequireRow();
    buffer_ = rows_[size_t(current_)];
    modified_ = QVector<bool>(buffer_.size(), false);
    state_ = TDataSetState::Edit;
}

void TDAODataset::Append() {
    if (!Active()) {
        throw EDAODatabaseError(QStringLiteral("数据集没有打开。"));
    }
    buffer_ = QVector<QVariant>(int(columns_.size()));
    modified_ = QVector<bool>(buffer_.size(), false);
    state_ = TDataSetState::Insert;
}

void TDAODataset::Cancel() {
    if (state_ == TDataSetState::Edit || state_ == TDataSetState::Insert) {
        state_ = TDataSetState::Browse;
        buffer_.clear();
        modified_.clear();
    }
}

void TDAODataset::Post() {
    if (state_ != TDataSetState::Edit && state_ != TDataSetState::Insert) {
        return;
    }
    if (updatableTable_.isEmpty()) {
        throw EOleException(QStringLiteral("这个查询的结果不能修改。"));
    }
    QStringList names;
    QVector<QVariant> values;
    for (int i = 0; i < buffer_.size(); ++i) {
        if (!modified_[i]) {
            continue;
        }
        if (columns_[i].originColumn.isEmpty() ||
            columns_[i].originTable.compare(updatableTable_, Qt::CaseInsensitive) != 0) {
            throw EOleException(QStringLiteral("字段“%1”不能修改。").arg(columns_[i].name));
        }
        names.append(QuoteName(columns_[i].originColumn));
        values.append(buffer_[i]);
    }
    const int key = KeyColumn();
    QString sql;
    if (state_ == TDataSetState::Insert) {
        QStringList marks(names.size(), QStringLiteral("?"));
        sql = names.isEmpty()
                  ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(QuoteName(updatableTable_))
                  : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                        .arg(QuoteName(updatableTable_), names.join(u','), marks.join(u','));
    } else {
        if (names.isEmpty()) {
            Cancel();
            return;
        }
        if (key < 0) {
            throw EOleException(QStringLiteral("这个查询的结果不含 Id，不能修改。"));
        }
        sql = QStringLiteral("UPDATE %1 SET %2=? WHERE Id=?")
                  .arg(QuoteName(updatableTable_), names.join(QLatin1String("=?,")));
        values.append(rows_[size_t(current_)][key]);
    }
    database_->CompletePendingReads();
    sqlite3* db = database_->Handle();
    sqlite3_stmt* statement = database_->Prepare(sql);
    int rc = SQLITE_OK;
    try {
        for (int i = 0; i < values.size(); ++i) {
            BindValue(db, statement, i + 1, values[i]);
        }
        rc = sqlite3_step(statement);
    } catch (...) {
        database_->Release(statement);
        throw;
    }
    database_->Release(statement);
    if (rc != SQLITE_DONE) {
        RaiseEngineError(db, rc);
    }
    if (state_ == TDataSetState::Insert) {
        if (key >= 0) {
            buffer_[key] = qint64(sqlite3_last_insert_rowid(db));
        }
        rows_.push_back(buffer_);
        current_ = qsizetype(rows_.size()) - 1;
        eof_ = bof_ = false;
    } else {
        rows_[size_t(current_)] = buffer_;
    }
    state_ = TDataSetState::Browse;
    buffer_.clear();
    modified_.clear();
}

void TDAODataset::SetFilter(const QString& filter) {
    filter_ = filter;
    if (filtered_ && Active()) {
        ParseFilter();
        First();
    }
}

void TDAODataset::SetFiltered(bool filtered) {
    if (filtered == filtered_) {
        return;
    }
    filtered_ = filtered;
    if (Active()) {
        conditions_.clear();
        if (filtered_) {
            ParseFilter();
        }
        First();
    }
}

void TDAODataset::ParseFilter() {
    conditions_.clear();
    const QString text = filter_.trimmed();
    if (text.isEmpty()) {
        return;
    }
    static const QRegularExpression conjunction(QStringLiteral("\\s+AND\\s+"),
                                                QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression comparison(
        QStringLiteral("^\\s*\\[?([^\\s<>=\\]]+)\\]?\\s*(<>|<=|>=|=|<|>)\\s*(.+?)\\s*$"));
    for (const QString& part : text.split(conjunction)) {
        const QRegularExpressionMatch m = comparison.match(part);
        const int field = m.hasMatch() ? FieldIndex(m.captured(1)) : -1;
        if (field < 0) {
            throw EDAODatabaseError(QStringLiteral("过滤条件“%1”不正确。").arg(filter_));
        }
        QString literal = m.captured(3);
        QVariant value;
        if (literal.size() >= 2 && (literal.startsWith(u'\'') || literal.startsWith(u'"'))) {
            value = literal.mid(1, literal.size() - 2);
        } else if (literal.size() >= 2 && literal.startsWith(u'#') && literal.endsWith(u'#')) {
            const auto date = JetDate::ParseShort(literal.mid(1, literal.size() - 2));
            if (!date) {
                throw EDAODatabaseError(QStringLiteral("过滤条件“%1”不正确。").arg(filter_));
            }
            value = double(JetDate::DayNumber(*date));
        } else {
            bool ok = false;
            value = literal.toDouble(&ok);
            if (!ok) {
                throw EDAODatabaseError(QStringLiteral("过滤条件“%1”不正确。").arg(filter_));
            }
        }
        conditions_.push_back({field, m.captured(2), value});
    }
}
