#pragma once

#include <QGroupBox>

class QLabel;

// "影片详细信息": the sale title the desk looked up last, read afresh from the
// ledger so its stock is the one now stored (green in stock, red below 1).
class TSaleCdPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit TSaleCdPanel(QWidget* parent = nullptr);

    // The title with this Id; every label empty for 0 or an unknown Id.
    void ShowTitle(int id);

    QLabel* lbName;
    QLabel* lbAlias;
    QLabel* lbCate;
    QLabel* lbDirector;
    QLabel* lbPlayer;
    QLabel* lbNumber2;
};
