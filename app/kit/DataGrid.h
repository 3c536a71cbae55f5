#pragma once

#include "app/kit/GridModel.h"

#include <QTableView>
#include <QTimer>

class TDAODatabase;

// A list grid: the rows of a query read as they are scrolled to (the first
// screen at once, the count of the rest right after it is painted), sorted by a
// header click, filtered by a column value from the header's menu, exported
// to a file, and laid out (widths, order, sort mark) as the operator left it
// last time, kept in the settings under the grid's name ("dgRentCd").
class TDataGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDataGrid(TDAODatabase* database, QWidget* parent = nullptr);
    ~TDataGrid() override;

    TGridModel& Model() { return *model_; }
    TGridData& Data() { return model_->Data(); }

    // Names the grid, gives it its columns and its list, restores the layout
    // kept under the name and reads the rows.
    void SetUp(const QString& name, const QList<TGridColumn>& columns, const QString& select,
               const QString& where, const QString& key = QStringLiteral("Id"));
    // Reads the rows again and selects the row of the key selected before.
    void Reload();
    // Selects and shows the row of a key; false when no row has it.
    bool SelectId(qint64 id);
    // The key of the current row; -1 when there is none.
    qint64 SelectedId() const;
    // Makes the first row current when the list has rows but none is current,
    // as after a filter or a new order: the buttons act on the current row.
    void KeepARowCurrent();
    // Filters by a column (an empty value lifts the filter); false when the
    // value was refused.
    bool FilterColumn(int column, const QString& value);
    // Asks for a file (proposed: the default name beside the open ledger) and
    // writes every row to it; false when cancelled or not written.
    bool Export(const QString& defaultName);

    void SaveLayout();
    void RestoreLayout();

signals:
    // The rows were read again (a reload, a new order or filter).
    void Reloaded();

protected:
    void paintEvent(QPaintEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void HeaderClicked(int column);
    void HeaderMenu(const QPoint& position);
    void ShowSortMark();

    TDAODatabase* database_;
    TGridModel* model_;
    QTimer layoutSaver_; // one save after a burst of resizing
    QTimer counter_;     // counts the rows after the first screen is painted
};
