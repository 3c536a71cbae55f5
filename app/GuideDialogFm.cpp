#include "app/GuideDialogFm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

TGuideDialogFm::TGuideDialogFm(QWidget* parent)
    : TDialogFm(parent), lbText(new QLabel(this)), tbPages(new QTabBar(this)),
      pnPages(new QStackedWidget(this)), btnPrior(new QPushButton(QStringLiteral("上一步"), this)),
      btnNext(new QPushButton(QStringLiteral("下一步"), this)),
      btnOk(new QPushButton(QStringLiteral("确定"), this)),
      btnCancel(new QPushButton(QStringLiteral("取消"), this)) {
    QFont strong = lbText->font();
    strong.setBold(true);
    lbText->setFont(strong);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {btnPrior, btnNext, btnOk, btnCancel}) {
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tbPages);
    layout->addWidget(lbText);
    layout->addWidget(pnPages, 1);
    layout->addLayout(buttons);

    connect(tbPages, &QTabBar::currentChanged, this, &TGuideDialogFm::SetCurrentPage);
    connect(btnPrior, &QPushButton::clicked, this, [this] { SetCurrentPage(CurrentPage() - 1); });
    connect(btnNext, &QPushButton::clicked, this, [this] { SetCurrentPage(CurrentPage() + 1); });
    connect(btnOk, &QPushButton::clicked, this, &TGuideDialogFm::Accept);
    connect(btnCancel, &QPushButton::clicked, this, &TGuideDialogFm::Reject);
    UpdateButtons();
}

int TGuideDialogFm::AddPage(const QString& title, QWidget* page) {
    const int index = pnPages->addWidget(page);
    tbPages->addTab(title);
    SetCurrentPage(CurrentPage());
    return index;
}

int TGuideDialogFm::PageCount() const {
    return pnPages->count();
}

int TGuideDialogFm::CurrentPage() const {
    return pnPages->currentIndex();
}

void TGuideDialogFm::SetCurrentPage(int index) {
    if (index >= 0 && index < PageCount()) {
        pnPages->setCurrentIndex(index);
        tbPages->setCurrentIndex(index);
        lbText->setText(tbPages->tabText(index));
    }
    UpdateButtons();
}

void TGuideDialogFm::SetTabsVisible(bool visible) {
    tbPages->setVisible(visible);
}

void TGuideDialogFm::SetTextStripVisible(bool visible) {
    lbText->setVisible(visible);
}

void TGuideDialogFm::UpdateButtons() {
    const bool paged = PageCount() >= 2;
    btnPrior->setVisible(paged);
    btnNext->setVisible(paged);
    btnPrior->setEnabled(CurrentPage() > 0);
    btnNext->setEnabled(CurrentPage() < PageCount() - 1);
}
