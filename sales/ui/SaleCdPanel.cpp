#include "sales/ui/SaleCdPanel.h"

#include "app/kit/DeskLabels.h"
#include "storage/records/SaleCd.h"

#include <QFormLayout>
#include <QLabel>

TSaleCdPanel::TSaleCdPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("影片详细信息"), parent), lbName(new QLabel(this)),
      lbAlias(new QLabel(this)), lbCate(new QLabel(this)), lbDirector(new QLabel(this)),
      lbPlayer(new QLabel(this)), lbNumber2(new QLabel(this)) {
    setObjectName(QStringLiteral("gbCdInfo"));
    auto* layout = new QFormLayout(this);
    DeskLabels::AddRows(layout, {{"lbName", "影片名称：", lbName},
                                 {"lbAlias", "影片别名：", lbAlias},
                                 {"lbCate", "影片分类：", lbCate},
                                 {"lbDirector", "导演：", lbDirector},
                                 {"lbPlayer", "主演：", lbPlayer},
                                 {"lbNumber2", "库存数量：", lbNumber2}});
}

void TSaleCdPanel::ShowTitle(int id) {
    TSaleCd title;
    if (id <= 0 || !title.LoadById(id)) {
        for (QLabel* label : {lbName, lbAlias, lbCate, lbDirector, lbPlayer, lbNumber2}) {
            label->clear();
        }
        return;
    }
    lbName->setText(title.Name);
    lbAlias->setText(title.AliasText());
    lbCate->setText(title.Category.Name);
    lbDirector->setText(title.Director);
    lbPlayer->setText(title.Player);
    DeskLabels::ShowFigure(lbNumber2, QString::number(title.Number2), title.Number2 < 1);
}
