#include "reports/ui/RankListFm.h"

#include "reports/ui/DateRange.h"

#include <QCheckBox>
#include <QHBoxLayout>

TRankListFm::TRankListFm(const QString& caption) : TQChildFm(caption, true) {
    pnDates->SetDates(ReportFrame::CurrentMonth());
    cbGroup = new QCheckBox(QStringLiteral("影片分类排行榜"), this);
    cbGroup->setObjectName(QStringLiteral("cbGroup"));
    Options()->addWidget(cbGroup);
    connect(cbGroup, &QCheckBox::toggled, this, &TRankListFm::Refresh);
}
