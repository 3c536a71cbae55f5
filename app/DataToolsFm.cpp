#include "app/DataToolsFm.h"

#include "storage/Clock.h"
#include "storage/Prompter.h"
#include "storage/ledger/LedgerFiles.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDateTime>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString NothingCarriedOver =
    QStringLiteral("本版软件尚未提供数据结转功能，没有结转任何记录，账本保持不变。");

// Records older than this are offered for carrying over.
QDateEdit* CutOffDate(QWidget* parent) {
    auto* edit = new QDateEdit(TClock::Today().addMonths(-6), parent);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setCalendarPopup(true);
    return edit;
}

// The "全部" box and the "仅结转" box of a page exclude each other.
void MakeExclusive(QCheckBox* first, QCheckBox* second) {
    QObject::connect(first, &QCheckBox::toggled, second, [second](bool on) {
        if (on) {
            second->setChecked(false);
        }
    });
    QObject::connect(second, &QCheckBox::toggled, first, [first](bool on) {
        if (on) {
            first->setChecked(false);
        }
    });
}

QHBoxLayout* DateRow(QCheckBox* box, QDateEdit* date) {
    auto* row = new QHBoxLayout;
    row->addWidget(box);
    row->addWidget(date);
    row->addWidget(new QLabel(QStringLiteral("以前的记录")));
    row->addStretch();
    return row;
}

} // namespace

TDataToolsFm::TDataToolsFm(QWidget* parent, const QString& ledgerPath) : TDialogFm(parent) {
    setWindowTitle(QStringLiteral("账本数据结转工具"));
    resize(520, 320);

    pcPages = new QTabWidget(this);
    pcPages->addTab(BackupPage(ledgerPath), QStringLiteral("结转的账本及备份"));
    pcPages->addTab(ReturnedPage(), QStringLiteral("出租并且已经返还"));
    pcPages->addTab(OverduePage(), QStringLiteral("长期出租未还"));
    pcPages->addTab(SoldPage(), QStringLiteral("已经销售的记录"));
    btnStart = new QPushButton(QStringLiteral("开始结转"), this);
    btnClose = new QPushButton(QStringLiteral("关闭窗口"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnStart);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pcPages, 1);
    layout->addLayout(buttons);

    connect(btnStart, &QPushButton::clicked, this, [] { ShowWarning(NothingCarriedOver); });
    connect(btnClose, &QPushButton::clicked, this, [this] { Reject(); });
}

QWidget* TDataToolsFm::BackupPage(const QString& ledgerPath) {
    auto* page = new QWidget;
    lbFileName = new QLabel(QDir::toNativeSeparators(ledgerPath), page);
    lbBackup = new QLabel(
        LedgerFiles::CarryOverBackupName(ledgerPath, QDateTime(TClock::Today(), TClock::Now())),
        page);
    auto* layout = new QFormLayout(page);
    layout->addRow(QStringLiteral("结转的账本："), lbFileName);
    layout->addRow(QStringLiteral("结转前备份为："), lbBackup);
    return page;
}

QWidget* TDataToolsFm::ReturnedPage() {
    auto* page = new QWidget;
    ckReturn_All = new QCheckBox(QStringLiteral("全部结转出租并且已经返还记录"), page);
    ckReturn_Date = new QCheckBox(QStringLiteral("仅结转"), page);
    edReturn_Date = CutOffDate(page);
    MakeExclusive(ckReturn_All, ckReturn_Date);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(ckReturn_All);
    layout->addLayout(DateRow(ckReturn_Date, edReturn_Date));
    layout->addStretch();
    return page;
}

QWidget* TDataToolsFm::OverduePage() {
    auto* page = new QWidget;
    ckRental_Date = new QCheckBox(QStringLiteral("仅结转"), page);
    edRental_Date = CutOffDate(page);
    ckRental_Del =
        new QCheckBox(QStringLiteral("结转的同时，将长期未还的影片彻底从光盘库中删除"), page);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(DateRow(ckRental_Date, edRental_Date));
    layout->addWidget(ckRental_Del);
    layout->addStretch();
    return page;
}

QWidget* TDataToolsFm::SoldPage() {
    auto* page = new QWidget;
    ckSale_All = new QCheckBox(QStringLiteral("全部结转已销售记录"), page);
    ckSale_Date = new QCheckBox(QStringLiteral("仅结转"), page);
    edSale_Date = CutOffDate(page);
    MakeExclusive(ckSale_All, ckSale_Date);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(ckSale_All);
    layout->addLayout(DateRow(ckSale_Date, edSale_Date));
    layout->addStretch();
    return page;
}
