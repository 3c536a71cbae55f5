#include "reports/ui/RentDetailFm.h"

#include "app/ExPickEdit.h"
#include "app/PickEditSetup.h"
#include "reports/RentReports.h"
#include "reports/ui/DateRange.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>

TRentDetailFm::TRentDetailFm() : TQChildFm(RentReports::DetailCaption(), true) {
    pnDates->SetDates(RentReports::TodayOnly());
    edCode = new TExPickEdit(this);
    edCode->setObjectName(QStringLiteral("edCode"));
    const QString hint = QStringLiteral("输入会员编号或者首拼（WXJ 王小姐），统计某会员出租明细");
    edCode->setToolTip(hint);
    edCode->setPlaceholderText(hint);
    edCode->setMinimumWidth(220);
    PickEditSetup::SetupPickEdit(QStringLiteral("SELECT Id,Code,Name,Spell FROM TbAssociator"),
                                 *edCode, false, true);
    cbAll = new QCheckBox(QStringLiteral("全部"), this);
    cbAll->setObjectName(QStringLiteral("cbAll"));
    cbAll->setChecked(true);
    Options()->addWidget(new QLabel(QStringLiteral("会员"), this));
    Options()->addWidget(edCode);
    Options()->addWidget(cbAll);
    connect(edCode, &TExPickEdit::KeyChanged, cbAll, [this] { cbAll->setChecked(false); });
}

TStored<TPreparedReport> TRentDetailFm::PrepareReport() {
    const int picked = edCode->SelectedKey();
    return RentReports::RentDetail(pnDates->Dates(), cbAll->isChecked(),
                                   picked == TPickSearch::NoKey ? 0 : picked);
}
