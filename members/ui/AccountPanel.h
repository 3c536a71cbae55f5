#pragma once

#include "storage/Currency.h"

#include <QGroupBox>

class QLabel;
class TAccount;

// "账户详情信息": the current account's number, name, balance, bank, contact,
// telephone and memo.
class TAccountPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit TAccountPanel(QWidget* parent = nullptr);

    void ShowAccount(const TAccount& account, Currency balance);

    QLabel* lbNo;
    QLabel* lbName;
    QLabel* lbBalance;
    QLabel* lbBank;
    QLabel* lbContact;
    QLabel* lbTelephone;
    QLabel* lbMemo;
};
