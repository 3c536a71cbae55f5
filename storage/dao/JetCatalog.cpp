#include "storage/dao/JetCatalog.h"

TColumnKind ColumnKindOfType(const QString& declaredType) {
    const QString t = declaredType.trimmed().toUpper();
    if (t.isEmpty()) {
        return TColumnKind::Unknown;
    }
    if (t.startsWith(QLatin1String("CURRENCY")) || t.startsWith(QLatin1String("MONEY"))) {
        return TColumnKind::Currency;
    }
    if (t.startsWith(QLatin1String("DATE")) || t.startsWith(QLatin1String("TIME"))) {
        return TColumnKind::Date;
    }
    if (t.contains(QLatin1String("INT"))) {
        return TColumnKind::Integer;
    }
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("TEXT")) ||
        t.contains(QLatin1String("CLOB"))) {
        return TColumnKind::Text;
    }
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) ||
        t.contains(QLatin1String("DOUB"))) {
        return TColumnKind::Float;
    }
    return TColumnKind::Unknown;
}

void TCatalog::AddColumn(const QString& table, const QString& column, TColumnKind kind) {
    columns_[table.toLower()].insert(column.toLower(), kind);
    if (kind == TColumnKind::Date) {
        dateColumns_.insert(column.toLower());
    }
}

void TCatalog::AddIndex(const QString& name, const QString& table, const QStringList& columns) {
    indexes_.append({name, table.toLower(), columns});
}

TColumnKind TCatalog::KindOf(const QString& table, const QString& column) const {
    const auto t = columns_.constFind(table.toLower());
    if (t == columns_.constEnd()) {
        return TColumnKind::Unknown;
    }
    return t->value(column.toLower(), TColumnKind::Unknown);
}

bool TCatalog::IsDateColumnName(const QString& column) const {
    return dateColumns_.contains(column.toLower());
}

bool TCatalog::HasTable(const QString& table) const {
    return columns_.contains(table.toLower());
}

QStringList TCatalog::IndexesOnColumn(const QString& table, const QString& column) const {
    QStringList names;
    for (const Index& index : indexes_) {
        if (index.table == table.toLower() && index.columns.contains(column, Qt::CaseInsensitive)) {
            names.append(index.name);
        }
    }
    return names;
}
