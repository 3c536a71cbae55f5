#pragma once

#include "tests/support/jet/JetEncoding.h"
#include "tests/support/jet/JetPages.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One column as the table definition and the rows lay it out.
struct TJetColumnPlan {
    TJetColumn column;
    quint8 code = 0;     // the Jet column type
    int number = 0;      // position among all columns (its bit in the null mask)
    bool fixed = false;  // in the fixed area (Boolean: in the null mask only)
    int fixedOffset = 0; // fixed columns: offset in the fixed area
    int varIndex = 0;    // variable columns: position among them
    int length = 0;      // the definition's length: fixed size, Text's longest bytes, Memo 0
};

// What the definition records about the rows written.
struct TJetTableState {
    quint32 rows = 0;
    qint32 lastAutoNumber = 0; // the last value handed out (the next one less 1)
    quint32 usageMap = 0;      // row address of the map of the table's data pages
    quint32 freeMap = 0;       // row address of the map of its pages with room left
};

// A table's columns checked and laid out, and its definition (TDEF) pages.
class TJetTablePlan {
public:
    // Raises TJetWriteError for a bad name, a repeated column, a Text size
    // outside 1…255, an autonumber column that is not Long, more than one of
    // them, or too many columns.
    TJetTablePlan(const TJetLayout& layout, const QString& name, const QList<TJetColumn>& columns,
                  bool system = false);

    const TJetLayout& Layout() const { return layout_; }
    const QString& Name() const { return name_; }
    const QList<TJetColumnPlan>& Columns() const { return columns_; }
    int FixedSize() const { return fixedSize_; }
    int VarCount() const { return varCount_; }
    // The autonumber column's position, or -1.
    int AutoNumber() const { return autoNumber_; }
    // How many pages the definition takes.
    int DefinitionPages() const;
    // Writes the definition into its pages, the first at `firstPage` and the
    // others after it.
    void WriteDefinition(TJetPageFile& file, quint32 firstPage, const TJetTableState& state) const;

private:
    // The definition as one stream; its first 8 bytes stand for the first
    // page's header, and every further page repeats a header of 8 bytes.
    QByteArray Definition(const TJetTableState& state) const;

    const TJetLayout& layout_;
    QString name_;
    bool system_;
    QList<TJetColumnPlan> columns_;
    QList<QByteArray> names_;
    int fixedSize_ = 0;
    int varCount_ = 0;
    int autoNumber_ = -1;
};
