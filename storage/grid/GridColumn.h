#pragma once

#include "storage/grid/QueryRows.h"

#include <QString>
#include <Qt>

#include <optional>

// What a grid column shows: text as read, money "%0.2f", a date
// "yyyy-MM-dd", a tick for a flag, or a whole number.
enum class TCellKind { Text, Money, Date, Tick, Number };

// One column of a list grid: its caption, the result column it shows, how it
// shows it, and the expression a header click sorts by and a filter tests
// ("B.Name" for a column showing BName).
struct TGridColumn {
    TGridColumn(const QString& caption, const QString& field, TCellKind kind = TCellKind::Text,
                const QString& sortField = {}, bool sortable = true)
        : caption(caption), field(field), kind(kind), sortField(sortField), sortable(sortable) {}

    QString caption;
    QString field;
    TCellKind kind = TCellKind::Text;
    QString sortField; // empty: the field itself
    bool sortable = true;
    Qt::Alignment alignment = {}; // empty: by kind
    // What a filter tests when the sort expression is not the value shown (a
    // column sorted by an Id but showing a name); empty: the sort expression.
    QString filterField;

    QString SortExpression() const { return sortField.isEmpty() ? field : sortField; }
    QString FilterExpression() const {
        return filterField.isEmpty() ? SortExpression() : filterField;
    }
    // Money and numbers right, ticks centred, the rest left.
    Qt::Alignment Alignment() const;
    QString Text(const TCellValue& value) const;
    bool Ticked(const TCellValue& value) const { return value.Number() != 0; }
    // The Jet condition a typed filter value stands for: text contains it,
    // money, numbers and dates equal it, a tick is "是" or "否". Input that
    // does not fit the column is refused with an error box (nothing).
    std::optional<QString> FilterCondition(const QString& value) const;
};
