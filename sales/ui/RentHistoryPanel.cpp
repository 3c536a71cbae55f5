#include "sales/ui/RentHistoryPanel.h"

#include "app/Session.h"
#include "app/kit/DataGrid.h"
#include "app/kit/GridFooter.h"
#include "sales/LibraryLists.h"
#include "storage/TextFormats.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

TRentHistoryPanel::TRentHistoryPanel(QWidget* parent)
    : QWidget(parent), btnFold(new QToolButton(this)),
      dgDetail(new TDataGrid(&TSession::Current().Dm.DbBase, this)),
      ftDetail(new TGridFooter(dgDetail, this)) {
    btnFold->setObjectName(QStringLiteral("btnFold"));
    btnFold->setCheckable(true);
    btnFold->setAutoRaise(true);
    btnFold->setFocusPolicy(Qt::NoFocus);
    auto* bar = new QHBoxLayout;
    bar->addWidget(btnFold);
    bar->addWidget(new QLabel(QStringLiteral("影片出租记录"), this));
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(dgDetail);
    layout->addWidget(ftDetail);

    dgDetail->Data().SetSummedColumns(LibraryLists::HistorySummedColumns());
    dgDetail->SetUp(QStringLiteral("dgDetail"), LibraryLists::HistoryColumns(),
                    LibraryLists::HistorySelect(), LibraryLists::HistoryWhere(-1),
                    QStringLiteral("A.Id"));
    connect(dgDetail, &TDataGrid::Reloaded, this, &TRentHistoryPanel::ShowTotals);
    connect(&dgDetail->Model(), &TGridModel::RowsCounted, this, &TRentHistoryPanel::ShowTotals);
    connect(btnFold, &QToolButton::toggled, this, &TRentHistoryPanel::SetFolded);
    SetFolded(false);
}

void TRentHistoryPanel::ShowTitle(qint64 titleId) {
    titleId_ = titleId;
    if (Folded()) {
        return; // read when unfolded
    }
    dgDetail->Data().SetSql(LibraryLists::HistorySelect(), LibraryLists::HistoryWhere(int(titleId)),
                            QStringLiteral("A.Id"));
    dgDetail->Reload();
}

void TRentHistoryPanel::SetFolded(bool folded) {
    btnFold->setChecked(folded);
    btnFold->setArrowType(folded ? Qt::RightArrow : Qt::DownArrow);
    btnFold->setToolTip(folded ? QStringLiteral("展开出租记录") : QStringLiteral("收起出租记录"));
    dgDetail->setVisible(!folded);
    ftDetail->setVisible(!folded);
    // Folded, the panel keeps only its title bar and the list above takes the rest.
    setSizePolicy(QSizePolicy::Preferred, folded ? QSizePolicy::Maximum : QSizePolicy::Preferred);
    if (!folded) {
        ShowTitle(titleId_);
    }
}

bool TRentHistoryPanel::Folded() const {
    return btnFold->isChecked();
}

// The count under "出租日期" and the sums under "押金" and "租金", once the
// lines are counted.
void TRentHistoryPanel::ShowTotals() {
    const bool counted = dgDetail->Model().Counted();
    ftDetail->SetCell(0, counted ? QStringLiteral("总数：%1").arg(dgDetail->model()->rowCount())
                                 : QString());
    for (const int column : LibraryLists::HistorySummedColumns()) {
        ftDetail->SetCell(column, counted ? QStringLiteral("合计：") +
                                                TextFormats::MoneyText(dgDetail->Data().Sum(column))
                                          : QString());
    }
}
