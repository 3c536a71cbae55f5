#pragma once

#include <QWidget>

class QToolButton;
class TDataGrid;
class TGridFooter;

// The rental history of one rental title under the disc library's list: every
// rental line of the title with its renter and money, the count and the sums
// below. The panel folds away to its title bar; folded, it reads nothing.
class TRentHistoryPanel : public QWidget {
    Q_OBJECT
public:
    explicit TRentHistoryPanel(QWidget* parent = nullptr);

    // Shows the lines of the title (-1: none).
    void ShowTitle(qint64 titleId);
    void SetFolded(bool folded);
    bool Folded() const;

    QToolButton* btnFold;
    TDataGrid* dgDetail;
    TGridFooter* ftDetail;

private:
    void ShowTotals();

    qint64 titleId_ = -1;
};
