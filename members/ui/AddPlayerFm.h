#pragma once

#include "app/EditDialogFm.h"
#include "storage/records/Player.h"

class QLineEdit;

// "新添/修改演员/导演": an actor's or director's name (names may repeat) and memo.
class TAddPlayerFm : public TEditDialogFm {
    Q_OBJECT
public:
    explicit TAddPlayerFm(QWidget* parent = nullptr);

    QLineEdit* edName;
    QLineEdit* edMemo;

protected:
    void PrepareNew() override;
    void FocusFirst() override;
    bool Validate() override;
    void ShowRecord() override;
    void StoreRecord() override;

private:
    TPlayer player_;
};
