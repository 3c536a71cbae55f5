#pragma once

#include "app/ChildFm.h"
#include "storage/grid/GridColumn.h"

#include <QList>
#include <QString>

#include <optional>

class QHBoxLayout;
class QPushButton;
class TDataGrid;

// The frame of the query grids: the rows of a list query in a grid that sorts
// by a click on a column header (ascending, then descending), with the options
// of the query above it and "查询(&F)" to run it again with them.
class TSChildFm : public TChildFm {
    Q_OBJECT
public:
    // Runs the query again with the options shown, keeping the order.
    void Start();

    TDataGrid* dgSearch;
    QPushButton* btnStart;

protected:
    explicit TSChildFm(const QString& caption);

    // The condition for the options shown; nothing when an option was refused
    // (the refusal has been shown).
    virtual std::optional<QString> WhereText() = 0;

    // Gives the grid its columns and list and reads the rows.
    void SetUpGrid(const QList<TGridColumn>& columns, const QString& select, const QString& key);
    QHBoxLayout* Options() const { return options_; }

private:
    QString select_;
    QString key_;
    QHBoxLayout* options_;
};
