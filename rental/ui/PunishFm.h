#pragma once

#include "app/DialogFm.h"
#include "storage/Prompter.h"

#include <optional>

class QLabel;
class QPushButton;
class TMoneyEdit;

// "会员租借超期处罚": shows the member who returned late and the days overdue,
// and lets the operator confirm or change the deduction the engine proposes
// (units or money, as the member type punishes). The entry is checked before
// the dialog closes; cancelling applies no penalty.
class TPunishFm : public TDialogFm {
    Q_OBJECT
public:
    explicit TPunishFm(const TPenaltyRequest& request, QWidget* parent = nullptr);

    // Shows the dialog for the request; the confirmed entry, or nothing when
    // it was cancelled.
    static std::optional<QString> Ask(const TPenaltyRequest& request);

    QLabel* lbCode;
    QLabel* lbDays;
    QLabel* lbText;
    TMoneyEdit* edNum;
    QPushButton* btnSaveClose;
    QPushButton* btnClose;

protected:
    void ModalShown() override;

private:
    void SaveClose();
};
