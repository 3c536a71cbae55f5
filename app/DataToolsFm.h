#pragma once

#include "app/DialogFm.h"

#include <QString>

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTabWidget;

// "账本数据结转工具": the options for carrying old records out of the ledger.
// The carry-over itself is not offered yet: starting it says so and changes
// nothing.
class TDataToolsFm : public TDialogFm {
    Q_OBJECT

public:
    TDataToolsFm(QWidget* parent, const QString& ledgerPath);

    QTabWidget* pcPages;
    QLabel* lbFileName;
    QLabel* lbBackup;
    QCheckBox* ckReturn_All;
    QCheckBox* ckReturn_Date;
    QDateEdit* edReturn_Date;
    QCheckBox* ckRental_Date;
    QDateEdit* edRental_Date;
    QCheckBox* ckRental_Del;
    QCheckBox* ckSale_All;
    QCheckBox* ckSale_Date;
    QDateEdit* edSale_Date;
    QPushButton* btnStart;
    QPushButton* btnClose;

private:
    QWidget* BackupPage(const QString& ledgerPath);
    QWidget* ReturnedPage();
    QWidget* OverduePage();
    QWidget* SoldPage();
};
