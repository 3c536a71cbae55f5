#pragma once

#include <QMap>
#include <QWidget>

class QTableView;

// The line of totals under a grid ("总数:", "合计:"): one text per column,
// drawn under that column and following its width, its place and the
// grid's sideways scrolling.
class TGridFooter : public QWidget {
    Q_OBJECT
public:
    explicit TGridFooter(QTableView* grid, QWidget* parent = nullptr);

    void SetCell(int column, const QString& text);
    // Shows these texts, by column, in place of all shown before.
    void SetCells(const QMap<int, QString>& cells);
    QString Cell(int column) const { return cells_.value(column); }
    void Clear();
    // Where a column's text is drawn, in the footer's coordinates.
    QRect CellRect(int column) const;
    // Where a column's text may run: its cell and the cells to its right that
    // have no text of their own.
    QRect TextRect(int column) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTableView* grid_;
    QMap<int, QString> cells_;
};
