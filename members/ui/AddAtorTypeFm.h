#pragma once

#include "app/EditDialogFm.h"
#include "members/MasterDataForms.h"
#include "storage/records/AtorType.h"

class QComboBox;
class QLineEdit;
class QTabWidget;
class TDigitEdit;

// "新添/修改会员类型" on two pages: "按天数、部数计费" (period quotas and a
// charging mode) and "按预收租金计费" (rent taken from prepaid money). Both
// pages show the same name, memo and days per rental; the page in front
// decides what is stored.
class TAddAtorTypeFm : public TEditDialogFm {
    Q_OBJECT
public:
    explicit TAddAtorTypeFm(QWidget* parent = nullptr);

    QTabWidget* pcType;
    QLineEdit* edName1;
    QComboBox* cbFee;
    TDigitEdit* edT_Day;
    TDigitEdit* edT_Sum;
    TDigitEdit* edT_Num;
    TDigitEdit* edDays1;
    QComboBox* cbPunish1;
    QLineEdit* edMemo1;
    QLineEdit* edName2;
    TDigitEdit* edDays2;
    QComboBox* cbPunish2;
    QLineEdit* edMemo2;

protected:
    void PrepareNew() override;
    void FocusFirst() override;
    bool Validate() override;
    void ShowRecord() override;
    void StoreRecord() override;

private:
    QWidget* QuotaPage();
    QWidget* PrepaidPage();
    bool Prepaid() const;
    MasterDataForms::TAtorTypeFields Typed() const;
    void Show(const MasterDataForms::TAtorTypeFields& fields);

    TAtorType type_;
};
