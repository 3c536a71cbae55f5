#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// The kind of value a ledger column holds, read from its declared type.
enum class TColumnKind { Unknown, Integer, Currency, Date, Text, Float };

// Maps a declared column type ("CURRENCY", "DATETIME", "TEXT(20)", ...) to its kind.
TColumnKind ColumnKindOfType(const QString& declaredType);

// What the Jet-SQL translation needs to know of a ledger's tables: the kind of
// every column (to recognise dates and money) and the indexes (so a dropped
// column takes its indexes with it).
class TCatalog {
public:
    struct Index {
        QString name;
        QString table;
        QStringList columns;
    };

    void AddColumn(const QString& table, const QString& column, TColumnKind kind);
    void AddIndex(const QString& name, const QString& table, const QStringList& columns);

    TColumnKind KindOf(const QString& table, const QString& column) const;
    bool IsDateColumnName(const QString& column) const;
    bool HasTable(const QString& table) const;
    QStringList IndexesOnColumn(const QString& table, const QString& column) const;

private:
    QHash<QString, QHash<QString, TColumnKind>> columns_; // lower-case names
    QSet<QString> dateColumns_;
    QList<Index> indexes_;
};
