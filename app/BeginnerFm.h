#pragma once

#include "app/GuideDialogFm.h"

#include "storage/Settings.h"

class QCheckBox;

// "软件快速入门": four steps from an empty ledger to the first rental. It is
// shown once after the first start; "下次不要显示了。" keeps it away.
class TBeginnerFm : public TGuideDialogFm {
    Q_OBJECT

public:
    explicit TBeginnerFm(QWidget* parent = nullptr);

    // Shows the guide; once it is closed it no longer opens by itself.
    int Exec();

    QCheckBox* ckNoShow;
    using TGuideDialogFm::btnCancel;
    using TGuideDialogFm::btnNext;
    using TGuideDialogFm::btnOk;
    using TGuideDialogFm::btnPrior;

private:
    TSettings settings_;
};
