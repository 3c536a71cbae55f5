#pragma once

#include "tests/support/jet/JetTable.h"

#include <QByteArray>
#include <QVariantList>

// Turns one row's values into the bytes of a Jet row: the column count, the
// fixed area, the variable data, then (backwards) the end-of-data offset, the
// variable columns' offsets, Jet 3's jump table, their count and the null
// mask. Memo and OLE values go inline, onto one long-value page, or into a
// chain of them, by their length.
class TJetRowEncoder {
public:
    // Memo values up to this many bytes stay inside the row.
    static constexpr int InlineMemoBytes = 64;

    TJetRowEncoder(const TJetTablePlan& plan, TRowPacker& longValues)
        : plan_(plan), longValues_(longValues), text_(plan.Layout().format) {}

    // The row's bytes; `rowNumber` (from 1) names the row in a refusal.
    // Raises TJetWriteError for a value that does not fit its column.
    QByteArray Encode(const QVariantList& values, quint32 rowNumber);

private:
    // Raises TJetWriteError naming the table, row and column.
    [[noreturn]] void Refuse(const QString& why) const;
    QByteArray Fixed(const TJetColumnPlan& column, const QVariant& value) const;
    QByteArray Text(const TJetColumnPlan& column, const QString& value);
    // A memo's or OLE object's bytes as the 12-byte field the row holds.
    QByteArray LongValue(const QByteArray& data);
    QByteArray Assemble(const QByteArray& fixed, const QList<QByteArray>& vars,
                        const QByteArray& nullMask) const;

    const TJetTablePlan& plan_;
    TRowPacker& longValues_;
    TJetTextEncoder text_;
    quint32 row_ = 0;                        // the row being encoded, for refusals
    const TJetColumnPlan* column_ = nullptr; // and its column
};
