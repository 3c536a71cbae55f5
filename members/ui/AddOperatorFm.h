#pragma once

#include "app/EditDialogFm.h"
#include "members/OperatorEdits.h"
#include "storage/records/Operator.h"

class QLineEdit;
class QTableWidget;

// "新添/修改操作员": an operator's name, password (typed twice) and the
// permission list. The administrator's name and permissions are locked; the
// ticks of an operator just saved stay as the start of the next new one.
class TAddOperatorFm : public TEditDialogFm {
    Q_OBJECT
public:
    explicit TAddOperatorFm(QWidget* parent = nullptr);

    QLineEdit* edName;
    QLineEdit* edPassword;
    QLineEdit* edRePassword;
    QTableWidget* dgOp; // row i: the tick of flag i + 1 and its description

protected:
    void SetUp(int id, int parameter) override;
    void PrepareNew() override;
    void FocusFirst() override;
    bool Validate() override;
    void ShowRecord() override;
    void StoreRecord() override;

private:
    OperatorEdits::TEntry Entry() const;

    TOperator operator_;
};
