#include "app/TipFm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <utility>

namespace {

using TTip = std::pair<const char*, const char*>; // title, text

const std::array<TTip, 10> Tips{{
    {"获得最佳显示效果", "将显示器设置为 1024x768 或更高的分辨率，颜色设置为 16 位或 24 "
                         "位真彩色，可以获得最佳的显示效果。"},
    {"如何快速录入各种信息",
     "在任何输入窗口中，按回车键就会移到下一个输入框，录入时双手不必离开键盘。"},
    {"怎样查找出满足特定条件的影片",
     "在出租或销售窗口中按 F12，可以按影片的别名、导演或演员查找影片。"},
    {"如何用键盘选择下拉框内容",
     "光标停在下拉框上时按空格键打开列表，再用上下方向键选择，按回车确定。"},
    {"怎样快速的关闭某个输入窗口", "按 Esc 键就可以关闭当前的对话框。"},
    {"调整表格显示方式",
     "在光盘管理、会员管理等窗口的表格中，用鼠标拖动列标题的边线可以改变列宽，拖动列标题可以改变"
     "列的顺序，点击列标题可以排序。软件会记住您的调整，下次打开时照样显示。"},
    {"怎样快速出租连续剧",
     "连续剧入库时编号生成为“0001-1”、“0001-2”……，出租时输入“0001.1-10.20-30”即可一次出租第 1 "
     "到 10 集和第 20 到 30 集；输入“00001.00003.00005”可以一次出租几部影片。"},
    {"如何快速处理客户返还多部影片中的一部分影片",
     "在返还列表上点击鼠标右键，用“部分选定”或“部分清除”选择本次返还的光盘。"},
    {"怎样查找出满足特定条件的记录",
     "在光盘管理、会员管理等窗口的表格中，用鼠标右键点击列标题，选择“筛选…”并输入条件，"
     "表格就只显示这一列满足条件的记录；选择“取消全部筛选”恢复显示全部记录。"},
    {"联系我们",
     "感谢您使用本软件！使用中有任何问题或建议，请通过“帮助”菜单中的“Tolmar软件网站”与我们联系，"
     "我们会尽快答复。"},
}};

} // namespace

TTipFm::TTipFm(QWidget* parent) : TDialogFm(parent) {
    setWindowTitle(QStringLiteral("使用小窍门"));
    resize(460, 240);

    lbTitle = new QLabel(this);
    QFont bold = lbTitle->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    lbTitle->setFont(bold);
    lbText = new QLabel(this);
    lbText->setWordWrap(true);
    lbText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    btnPrior = new QPushButton(QStringLiteral("上一条"), this);
    btnNext = new QPushButton(QStringLiteral("下一条"), this);
    btnClose = new QPushButton(QStringLiteral("关闭"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnPrior);
    buttons->addWidget(btnNext);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbTitle);
    layout->addWidget(lbText, 1);
    layout->addLayout(buttons);

    connect(btnPrior, &QPushButton::clicked, this, [this] { ShowTip(current_ - 1); });
    connect(btnNext, &QPushButton::clicked, this, [this] { ShowTip(current_ + 1); });
    connect(btnClose, &QPushButton::clicked, this, [this] { Reject(); });
    ShowTip(0);
}

int TTipFm::TipCount() {
    return static_cast<int>(Tips.size());
}

void TTipFm::ShowTip(int index) {
    current_ = std::clamp(index, 0, TipCount() - 1);
    const TTip& tip = Tips[static_cast<size_t>(current_)];
    lbTitle->setText(QString::fromUtf8(tip.first));
    lbText->setText(QString::fromUtf8(tip.second));
    btnPrior->setEnabled(current_ > 0);
    btnNext->setEnabled(current_ < TipCount() - 1);
    // A button that just became disabled would leave the focus nowhere.
    if (!btnNext->isEnabled() && btnNext->hasFocus()) {
        btnPrior->setFocus();
    } else if (!btnPrior->isEnabled() && btnPrior->hasFocus()) {
        btnNext->setFocus();
    }
}
