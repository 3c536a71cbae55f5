#include "app/AboutFm.h"

#include "app/SystemMemory.h"
#include "app/WebActions.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutFm::TAboutFm(QWidget* parent) : TDialogFm(parent) {
    setWindowTitle(QStringLiteral("关于"));

    auto* lbTitle = new QLabel(QStringLiteral("Tolmar-didorivizo"), this);
    QFont big = lbTitle->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    lbTitle->setFont(big);
    lbVersion = new QLabel(QStringLiteral("版本：v2.06(2004-5-8)"), this);
    auto* lbNotice =
        new QLabel(QStringLiteral("本软件受著作权法保护，由 Tolmar 软件开发并提供技术支持。"
                                  "未经许可，不得复制、传播本软件的全部或部分。"),
                   this);
    lbNotice->setWordWrap(true);
    lbHomePage = new QLabel(
        QStringLiteral("<a href=\"%1\">软件网站：%1</a>").arg(WebActions::HomePage.toString()),
        this);
    lbHomePage->setTextFormat(Qt::RichText);
    lbHomePage->setCursor(Qt::PointingHandCursor);
    lbMemory =
        new QLabel(QStringLiteral("可用物理内存：%1 KB")
                       .arg(SystemMemory::GroupedKilobytes(SystemMemory::InstalledKilobytes())),
                   this);
    btnOk = new QPushButton(QStringLiteral("确定"), this);
    btnOk->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbTitle);
    layout->addWidget(lbVersion);
    layout->addSpacing(8);
    layout->addWidget(lbNotice);
    layout->addWidget(lbHomePage);
    layout->addSpacing(8);
    layout->addWidget(lbMemory);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(lbHomePage, &QLabel::linkActivated, this, [] { WebActions::OpenHomePage(); });
    connect(btnOk, &QPushButton::clicked, this, [this] { Accept(); });
}
