#include "app/CompactDbFm.h"

#include "storage/Prompter.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/ledger/LedgerFiles.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TCompactDbFm::TCompactDbFm(QWidget* parent, TDM& dm) : TDialogFm(parent), dm_(dm) {
    setWindowTitle(QStringLiteral("整理账本"));
    resize(400, 170);

    lbText = new QLabel(QStringLiteral("    每隔一段时间您应该使用“账本整理”功能整理您的账本。"
                                       "这样您的账本会变小、程序运行效率提高，报表显示更快。"),
                        this);
    lbText->setWordWrap(true);
    btnOk = new QPushButton(QStringLiteral("开始"), this);
    btnClose = new QPushButton(QStringLiteral("关闭"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbText, 1);
    layout->addLayout(buttons);

    connect(btnOk, &QPushButton::clicked, this, [this] { Start(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { Reject(); });
}

void TCompactDbFm::Start() {
    btnOk->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Currency ratio;
    QString failure;
    try {
        ratio = dm_.CompactLedger(&failure);
    } catch (const EVintorError& error) {
        failure = error.Message();
    }
    QApplication::restoreOverrideCursor();
    btnOk->setEnabled(true);
    if (!failure.isEmpty()) {
        ShowError(LedgerFiles::CompactMessage(Currency()) + failure);
    } else if (ratio.IsZero()) {
        ShowError(LedgerFiles::CompactMessage(ratio));
    } else {
        ShowInformation(LedgerFiles::CompactMessage(ratio));
    }
}
