#pragma once

#include "app/EditDialogFm.h"
#include "sales/ui/StockInBatch.h"
#include "sales/ui/TitleFields.h"

#include <memory>

class QGroupBox;
class QLineEdit;
class TDateEdit;
class TDeskGrid;
class TGridFooter;
class TIdComboBox;
class TMoneyEdit;

// What the rental and the sale stock-in dialogs share: the header (day,
// supplier, paying account, operator, amount, memo), the entry group
// "影片信息", the batch buttons and the line list with its footer, and the
// question before unsaved lines are dropped. The dialog adds the fields of
// its kind and says how an entry is shown, posted and summed.
class TStockInFm : public TEditDialogFm {
    Q_OBJECT
public:
    TDateEdit* edDay;
    TIdComboBox* cbCompany;
    TIdComboBox* cbAccount;
    TIdComboBox* cbOperator;
    TMoneyEdit* edSum;
    QLineEdit* edMemo2;
    QGroupBox* gbCd;
    TTitleFields* pnCd;
    QPushButton* btnAdd;
    QPushButton* btnPost;
    QPushButton* btnDelete;
    QPushButton* btnCopy;
    QPushButton* btnPaste;
    TDeskGrid* tlStock;
    TGridFooter* ftStock;

protected:
    TStockInFm(TCBObject& batch, QWidget* parent);

    // Lays the window out around the batch; the dialog calls it from its
    // constructor, once its batch is made.
    template <typename TTitle> void Build(TStockBatch<TTitle>& batch, TTitleFields::TKind kind) {
        batch_ = std::make_unique<TStockInBatchOf<TTitle>>(batch);
        BuildWindow(kind);
    }

    // The dialog's own entry fields, added to pnCd after the title's.
    virtual void AddEntryFields() {}
    // The batch's entry into the fields.
    virtual void ShowEntry() = 0;
    // "保存 &E" with the fields as typed; the core's refusal, or nothing.
    virtual TChecked SubmitEntry(int supplier) = 0;
    // The footer's texts and the amount (edSum) they give.
    virtual void ShowTotals() = 0;

    // The list, its footer, the entry and the buttons as the batch holds them.
    void ShowBatch();

    void PrepareNew() override;
    void FocusFirst() override;
    bool Validate() override;
    void ShowRecord() override;
    bool SaveRecord() override;
    bool CanClose() override;

private:
    void BuildWindow(TTitleFields::TKind kind);
    QWidget* BuildHeader();
    QWidget* BuildButtons();
    void BuildList(TTitleFields::TKind kind);
    void PostEntry();
    void SelectLine(int line);
    void EnableButtons();

    std::unique_ptr<TStockInBatch> batch_;
};
