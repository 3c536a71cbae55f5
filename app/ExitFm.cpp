#include "app/ExitFm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TExitFm::TExitFm(QWidget* parent)
    : TDialogFm(parent),
      lbText(new QLabel(
          QStringLiteral("    推荐您在退出Tolmar-didorivizo前备份账本，以备由于意外掉电等事故损坏"
                         "当前使用的账本，使您的损失降到最低。"),
          this)),
      btnBackup(new QPushButton(QStringLiteral("备份后退出"), this)),
      btnExit(new QPushButton(QStringLiteral("直接退出"), this)),
      btnCancel(new QPushButton(QStringLiteral("放弃退出"), this)) {
    setWindowTitle(QStringLiteral("退出选择"));
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    lbText->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnBackup);
    buttons->addWidget(btnExit);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbText);
    layout->addLayout(buttons);
    resize(420, 130);
    connect(btnBackup, &QPushButton::clicked, this, [this] { Choose(BackupAndExit); });
    connect(btnExit, &QPushButton::clicked, this, [this] { Choose(ExitOnly); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { Choose(StayOpen); });
}

TExitFm::TChoice TExitFm::Ask(QWidget* parent) {
    TExitFm window(parent);
    window.Exec();
    return window.Choice();
}

void TExitFm::Choose(TChoice choice) {
    choice_ = choice;
    choice == StayOpen ? Reject() : Accept();
}
