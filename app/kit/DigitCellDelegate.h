#pragma once

#include <QStyledItemDelegate>

// Edits a grid's number cells in a signed digit box: only digits, one "-",
// one "." and backspace can be typed, and Enter ends the edit in the cell
// (the window's Enter rule does not move the focus away from the grid).
class TDigitCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};
