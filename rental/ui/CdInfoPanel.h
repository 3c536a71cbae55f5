#pragma once

#include <QGroupBox>

class QLabel;

// "影片详细信息：": the title the desk looked up last, read afresh from the
// ledger so its rental status is the one now stored.
class TCdInfoPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit TCdInfoPanel(QWidget* parent = nullptr);

    // The title with this Id; every label empty for 0 or an unknown Id.
    void ShowDisc(int id);

    QLabel* lbName;
    QLabel* lbAlias;
    QLabel* lbCate;
    QLabel* lbFee;
    QLabel* lbNumber1;
    QLabel* lbStatus;
    QLabel* lbPlayer;
};
