#include "rental/ui/RenterPanel.h"

#include "app/kit/DeskLabels.h"
#include "storage/Clock.h"
#include "storage/TextFormats.h"
#include "storage/dao/Format.h"
#include "storage/records/Associator.h"

#include <QGridLayout>
#include <QLabel>

namespace {

const QString Unlimited = QStringLiteral("无限制");
const QString NoBalance = QStringLiteral(" 无 ");

} // namespace

TRenterPanel::TRenterPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("租借人信息："), parent), lbCode(new QLabel(this)),
      lbDay(new QLabel(this)), lbNumber(new QLabel(this)), lbBalance(new QLabel(this)) {
    setObjectName(QStringLiteral("gbAssociator"));
    lbCode->setObjectName(QStringLiteral("lbCode"));
    lbDay->setObjectName(QStringLiteral("lbDay"));
    lbNumber->setObjectName(QStringLiteral("lbNumber"));
    lbBalance->setObjectName(QStringLiteral("lbBalance"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("租借人："), this), 0, 0);
    layout->addWidget(lbCode, 0, 1, 1, 5);
    layout->addWidget(new QLabel(QStringLiteral("剩余天数："), this), 1, 0);
    layout->addWidget(lbDay, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("剩余部数："), this), 1, 2);
    layout->addWidget(lbNumber, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("预收租金："), this), 1, 4);
    layout->addWidget(lbBalance, 1, 5);
    for (const int column : {1, 3, 5}) {
        layout->setColumnStretch(column, 1);
    }
}

void TRenterPanel::ShowRenter(const TAssociator& shown) {
    using DeskLabels::ShowFigure;
    if (shown.IsWalkIn()) {
        ShowFigure(lbCode, QStringLiteral("零租用户"), false);
        ShowFigure(lbDay, Unlimited, false);
        ShowFigure(lbNumber, Unlimited, false);
        ShowFigure(lbBalance, NoBalance, false);
        setToolTip(QString());
        return;
    }
    // The remaining units are read on a copy: reading drops an expired quota
    // in memory, which is the engine's business, not the panel's.
    TAssociator renter = shown;
    const TAtorType& type = renter.AtorType;
    lbCode->setPalette(palette());
    lbCode->setText(Format(QStringLiteral("[%s] %s"), {renter.Code, renter.Name}));
    if (type.T_Day != 0) {
        // Days left never go below 0; a paid period that has run out is red.
        ShowFigure(lbDay, QStringLiteral("%1天").arg(renter.RemainingDays()),
                   renter.LastDay < TClock::Today());
    } else {
        ShowFigure(lbDay, Unlimited, false);
    }
    if (type.T_Num != 0) {
        const Currency units = renter.RemainingNumber();
        ShowFigure(lbNumber, TextFormats::OneDecimalText(units) + QStringLiteral("部"),
                   units < Currency());
    } else {
        ShowFigure(lbNumber, Unlimited, false);
    }
    if (type.Fee == 5) {
        ShowFigure(lbBalance, TextFormats::MoneyText(renter.Balance) + QStringLiteral("元"),
                   renter.Balance < Currency());
    } else {
        ShowFigure(lbBalance, NoBalance, false);
    }
    setToolTip(Format(QStringLiteral("会员类型：%s\n押金：%0.2f\n联系电话：%s\n地址：%s\n说明：%s"),
                      {type.Name, renter.Deposit, renter.Telephone, renter.Address, renter.Memo}));
}
