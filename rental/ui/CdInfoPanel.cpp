#include "rental/ui/CdInfoPanel.h"

#include "app/kit/DeskLabels.h"
#include "storage/records/RentCd.h"

#include <QFormLayout>
#include <QLabel>

TCdInfoPanel::TCdInfoPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("影片详细信息："), parent), lbName(new QLabel(this)),
      lbAlias(new QLabel(this)), lbCate(new QLabel(this)), lbFee(new QLabel(this)),
      lbNumber1(new QLabel(this)), lbStatus(new QLabel(this)), lbPlayer(new QLabel(this)) {
    setObjectName(QStringLiteral("gbCdInfo"));
    auto* layout = new QFormLayout(this);
    DeskLabels::AddRows(layout, {{"lbName", "影片名称：", lbName},
                                 {"lbAlias", "别　　名：", lbAlias},
                                 {"lbCate", "影片类别：", lbCate},
                                 {"lbFee", "收费标准：", lbFee},
                                 {"lbNumber1", "碟片数目：", lbNumber1},
                                 {"lbStatus", "出租状态：", lbStatus},
                                 {"lbPlayer", "主演/导演：", lbPlayer}});
}

void TCdInfoPanel::ShowDisc(int id) {
    TRentCd disc;
    if (id <= 0 || !disc.LoadById(id)) {
        for (QLabel* label : {lbName, lbAlias, lbCate, lbFee, lbNumber1, lbStatus, lbPlayer}) {
            label->clear();
        }
        return;
    }
    lbName->setText(disc.Name);
    lbAlias->setText(disc.AliasText());
    lbCate->setText(disc.Category.Name);
    lbFee->setText(disc.Fee.Name);
    lbNumber1->setText(QString::number(disc.Number));
    DeskLabels::ShowFigure(lbStatus, disc.StatusText(), disc.Status != TRentCd::InStock);
    lbPlayer->setText(disc.Player + u' ' + disc.Director);
}
