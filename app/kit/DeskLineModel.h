#pragma once

#include "storage/grid/GridColumn.h"

#include <QAbstractTableModel>
#include <QList>
#include <QVariant>

#include <functional>

// Where a desk grid's lines come from: the lines an engine holds in memory
// (the desks' now and held lists, the disc search's results and cart). The
// model keeps no copy and asks again whenever the view draws. Columns are
// counted as the grid shows them, the check-box column included.
struct TDeskLineSource {
    // How many lines the engine holds.
    std::function<int()> count;
    // A line's value in a column: QString, Currency, QDate or a whole
    // number, shown as the column's kind says. Never asked for the
    // check-box column.
    std::function<QVariant(int line, int column)> value;
    // Whether a line is ticked (the check-box column, a column of kind Tick).
    std::function<bool(int line)> ticked;
    // Ticks or unticks a line; the engine may refuse (the box then keeps
    // what ticked() says). Unset: the boxes cannot be changed.
    std::function<void(int line, bool on)> tick;
    // Whether the operator may edit a cell; unset: no cell is editable.
    std::function<bool(int line, int column)> editable;
    // The operator's edit of a cell, as typed; false when the engine refused
    // it (it has said why).
    std::function<bool(int line, int column, const QString& text)> edit;
};

// The Qt model of a desk grid over a TDeskLineSource. Ticks and edits go to
// the engine; an engine failure (EVintorError) is shown as an error box and
// leaves the line as the engine holds it. After ticks and edits the model
// tells the window, which redraws its totals and footers.
class TDeskLineModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TDeskLineModel(const QList<TGridColumn>& columns, TDeskLineSource source,
                   QObject* parent = nullptr);

    const QList<TGridColumn>& Columns() const { return columns_; }
    // The column of kind Tick; -1 when the grid has none.
    int TickColumn() const { return tickColumn_; }
    // The text a cell shows ("%0.2f" money, "yyyy-MM-dd" dates).
    QString Text(int line, int column) const;

    // The engine's lines were added, removed or loaded anew.
    void Reload();
    // Sends the lines of `lines` whose box differs to the engine, one by
    // one; then tells the window once. Returns how many went.
    int TickLines(const QList<int>& lines, bool on);
    // The same for every line.
    int TickAll(bool on);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // One or more lines were ticked or unticked through the model.
    void Ticked();
    // A cell edit went to the engine (taken or refused).
    void Edited(int line, int column);

private:
    bool SendTick(int line, bool on);
    void LinesChanged();

    QList<TGridColumn> columns_;
    TDeskLineSource source_;
    int tickColumn_ = -1;
};
