#pragma once

#include <QGroupBox>

class QLabel;
class TAssociator;

// "租借人信息：": the walk-in renter, or the member with the days, units and
// prepaid rent left; its hint tells the member's type, deposit and address.
class TRenterPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit TRenterPanel(QWidget* parent = nullptr);

    void ShowRenter(const TAssociator& renter);

    QLabel* lbCode;
    QLabel* lbDay;
    QLabel* lbNumber;
    QLabel* lbBalance;
};
