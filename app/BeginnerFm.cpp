#include "app/BeginnerFm.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QWidget* StepPage(const QString& text) {
    auto* page = new QWidget;
    auto* label = new QLabel(text, page);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(label, 1);
    return page;
}

} // namespace

TBeginnerFm::TBeginnerFm(QWidget* parent) : TGuideDialogFm(parent) {
    setWindowTitle(QStringLiteral("软件快速入门"));
    resize(520, 340);
    SetTabsVisible(false);
    SetTextStripVisible(false);

    AddPage(
        QStringLiteral("步骤一"),
        StepPage(QStringLiteral("步骤一：设置基础资料\n\n"
                                "打开菜单“系统设置”，在各页中依次录入（列表页按 F5 新增）：\n"
                                "  · 会员项目：每种会员的有效天数、可租部数、收费方式和逾期处罚；\n"
                                "  · 影片分类：例如动作片、爱情片、连续剧；\n"
                                "  · 收费标准：每种光盘的押金、租金和租借天数；\n"
                                "  · 供应商：进货的单位；\n"
                                "  · 店铺信息：店名、地址和电话，会印在小票上。\n\n"
                                "这些资料以后都可以修改。")));
    AddPage(QStringLiteral("步骤二"),
            StepPage(QStringLiteral(
                "步骤二：录入店里现有的光盘\n\n"
                "按 F3 打开“光盘管理”，在“出租光盘库”页按 F5（出租进货）、在“销售光盘库”页按 "
                "F5（销售进货），把现有的光盘录入软件：\n"
                "  · 编号请统一位数，前面补零，例如 0001、0002；\n"
                "  · 连续剧的各集可以按顺序自动编号，例如 0001-1、0001-2……；\n"
                "  · 相似的光盘可以用“复制”“粘贴”带出一行后再修改，减少输入。")));
    AddPage(QStringLiteral("步骤三"),
            StepPage(QStringLiteral("步骤三：录入会员\n\n"
                                    "按 F4 打开“会员管理”，按 F5（新添会员）把现有的会员录入软件，"
                                    "选择各自的会员类型，输入已交的会费和押金。")));
    AddPage(QStringLiteral("步骤四"),
            StepPage(QStringLiteral(
                "步骤四：开始营业\n\n"
                "按 F1 打开出租业务，按 F2 打开销售业务，就可以开始出租和销售了。\n"
                "每天营业结束后请备份账本。更多说明请查看“帮助”菜单中的“帮助内容”。")));
    SetCurrentPage(0);

    ckNoShow = new QCheckBox(QStringLiteral("下次不要显示了。"), this);
    ckNoShow->setChecked(settings_.Beginer() == 1);
    if (auto* box = qobject_cast<QBoxLayout*>(layout())) {
        box->insertWidget(box->count() - 1, ckNoShow); // above the buttons
    }
    connect(ckNoShow, &QCheckBox::clicked, this,
            [this](bool checked) { settings_.SetBeginer(checked ? 1 : 0); });
}

int TBeginnerFm::Exec() {
    const int result = TGuideDialogFm::Exec();
    settings_.SetBeginer(1);
    return result;
}
