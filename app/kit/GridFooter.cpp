#include "app/kit/GridFooter.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

TGridFooter::TGridFooter(QTableView* grid, QWidget* parent) : QWidget(parent), grid_(grid) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    QHeaderView* header = grid->horizontalHeader();
    auto repaint = [this] { update(); };
    connect(header, &QHeaderView::sectionResized, this, repaint);
    connect(header, &QHeaderView::sectionMoved, this, repaint);
    connect(header, &QHeaderView::geometriesChanged, this, repaint);
    connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
}

void TGridFooter::SetCell(int column, const QString& text) {
    cells_.insert(column, text);
    update();
}

void TGridFooter::SetCells(const QMap<int, QString>& cells) {
    cells_ = cells;
    update();
}

void TGridFooter::Clear() {
    cells_.clear();
    update();
}

// The header's section, moved by the grid's frame and row header, then into
// this widget's coordinates.
QRect TGridFooter::CellRect(int column) const {
    const QHeaderView* header = grid_->horizontalHeader();
    if (column < 0 || column >= header->count() || header->isSectionHidden(column)) {
        return {};
    }
    const int left = mapFrom(window(), header->mapTo(window(), QPoint(0, 0))).x() +
                     header->sectionViewportPosition(column);
    return {left, 0, header->sectionSize(column), height()};
}

QRect TGridFooter::TextRect(int column) const {
    QRect cell = CellRect(column);
    if (!cell.isValid()) {
        return {};
    }
    // A text runs on over the columns to its right that show none of their
    // own, so "金融机构总数：12个" is never cut at a narrow first column.
    const QHeaderView* header = grid_->horizontalHeader();
    int right = mapFrom(window(), header->mapTo(window(), QPoint(0, 0))).x() + header->width();
    for (auto other = cells_.cbegin(); other != cells_.cend(); ++other) {
        const QRect next = CellRect(other.key());
        if (next.isValid() && !other.value().isEmpty() && next.left() > cell.left()) {
            right = qMin(right, next.left());
        }
    }
    cell.setRight(right - 1);
    return cell;
}

QSize TGridFooter::sizeHint() const {
    return {grid_->sizeHint().width(), fontMetrics().height() + 8};
}

void TGridFooter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().mid().color());
    painter.drawLine(0, 0, width(), 0);
    painter.setPen(palette().windowText().color());
    // Columns scrolled out of the grid stay out of the footer too.
    const QHeaderView* header = grid_->horizontalHeader();
    const int left = mapFrom(window(), header->mapTo(window(), QPoint(0, 0))).x();
    painter.setClipRect(left, 0, header->width(), height());
    for (auto it = cells_.cbegin(); it != cells_.cend(); ++it) {
        const QRect cell = TextRect(it.key());
        if (cell.isValid()) {
            painter.drawText(cell.adjusted(4, 1, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
                             it.value());
        }
    }
}
