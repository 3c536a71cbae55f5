#pragma once

#include <QGroupBox>

class QLabel;
struct TMemberDetails;

// "会员详情": the current member's data, days and discs left, prepaid rent
// and deposit.
class TMemberPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit TMemberPanel(QWidget* parent = nullptr);

    void ShowMember(const TMemberDetails& details);
    // No member: every line empty.
    void Clear();

    QLabel* lbCode;
    QLabel* lbName;
    QLabel* lbType;
    QLabel* lbDays;
    QLabel* lbNumber;
    QLabel* lbBalance;
    QLabel* lbDeposit;
    QLabel* lbTelephone;
    QLabel* lbAddress;
    QLabel* lbMemo;
};
