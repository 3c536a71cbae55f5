#include "storage/grid/GridData.h"

#include <QFileInfo>

TGridData::TGridData(TDAODatabase* database) : rows_(database) {}

void TGridData::SetColumns(const QList<TGridColumn>& columns) {
    columns_ = columns;
    QStringList fields;
    for (const TGridColumn& column : columns) {
        fields.append(column.sortable ? column.SortExpression() : QString());
    }
    sort_ = TGridSort(fields);
    filters_.clear();
    fieldIndexes_.clear();
    summed_.clear();
}

void TGridData::SetSql(const QString& select, const QString& where, const QString& key) {
    rows_.SetSql(select, where, key);
}

void TGridData::SetSummedColumns(const QList<int>& columns) {
    summed_ = columns;
}

bool TGridData::ToggleSort(int column) {
    if (column < 0 || column >= ColumnCount() || !columns_[column].sortable) {
        return false;
    }
    sort_.ToggleSort(column);
    Reload();
    return true;
}

bool TGridData::SetFilter(int column, const QString& value) {
    if (column < 0 || column >= ColumnCount()) {
        return false;
    }
    if (value.trimmed().isEmpty()) {
        filters_.remove(column);
    } else {
        const std::optional<QString> condition = columns_[column].FilterCondition(value);
        if (!condition) {
            return false;
        }
        filters_.insert(column, {value.trimmed(), *condition});
    }
    Reload();
    return true;
}

void TGridData::ClearFilters() {
    filters_.clear();
    Reload();
}

void TGridData::ApplyOrder() {
    const int sorted = sort_.SortedColumn();
    const bool sortable = sorted < ColumnCount() && columns_[sorted].sortable;
    rows_.SetOrder(sortable ? sort_.SortField(sorted) : QString(),
                   sort_.SortDirection(sorted) == QStringLiteral("DESC"));
    QStringList conditions;
    for (const TFilter& filter : std::as_const(filters_)) {
        conditions.append(filter.condition);
    }
    rows_.SetFilter(conditions.join(QStringLiteral(" AND ")));
    QStringList summed;
    for (const int column : std::as_const(summed_)) {
        if (column >= 0 && column < ColumnCount()) {
            summed.append(columns_[column].field);
        }
    }
    rows_.SetSummedFields(summed);
}

void TGridData::Reload() {
    ApplyOrder();
    rows_.Reload();
    fieldIndexes_.clear();
    for (const TGridColumn& column : std::as_const(columns_)) {
        fieldIndexes_.append(rows_.FieldIndex(column.field));
    }
}

const TCellValue& TGridData::Value(int row, int column) {
    return rows_.Value(row, fieldIndexes_.value(column, -1));
}

QString TGridData::Text(int row, int column) {
    return column < 0 || column >= ColumnCount() ? QString()
                                                 : columns_[column].Text(Value(row, column));
}

Currency TGridData::Sum(int column) {
    if (column < 0 || column >= ColumnCount()) {
        return {};
    }
    return Currency::FromDouble(rows_.Sum(columns_[column].field));
}

QStringList TGridData::Captions() const {
    QStringList captions;
    for (const TGridColumn& column : columns_) {
        captions.append(column.caption);
    }
    return captions;
}

QList<QStringList> TGridData::Texts() {
    QList<QStringList> rows;
    rows.reserve(RowCount());
    for (int row = 0; row < RowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < ColumnCount(); ++column) {
            texts.append(Text(row, column));
        }
        rows.append(texts);
    }
    return rows;
}

bool TGridData::Export(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    using GridExport::TExportKind;
    const TExportKind kind = suffix.startsWith(QStringLiteral("xls"))   ? TExportKind::Excel
                             : suffix.startsWith(QStringLiteral("htm")) ? TExportKind::Html
                             : suffix == QStringLiteral("xml")          ? TExportKind::Xml
                                                                        : TExportKind::Text;
    return GridExport::Export(kind, path, Captions(), Texts());
}
