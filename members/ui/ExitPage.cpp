#include "members/ui/ExitPage.h"

#include "app/FileChooser.h"
#include "members/BackupFolder.h"
#include "storage/Prompter.h"
#include "storage/Settings.h"
#include "storage/dao/Errors.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TExitPage::TExitPage(QWidget* parent)
    : QWidget(parent), cbExitKind(new QComboBox(this)), lbPath(new QLabel(this)),
      btnBrowse(new QPushButton(QStringLiteral("浏览..."), this)),
      btnExitSave(new QPushButton(QStringLiteral("保存"), this)) {
    cbExitKind->setObjectName(QStringLiteral("cbExitKind"));
    lbPath->setObjectName(QStringLiteral("lbPath"));
    btnExitSave->setObjectName(QStringLiteral("btnExitSave"));
    // Positions are the ExitKind values.
    cbExitKind->addItems({QStringLiteral("是，请自动备份。"),
                          QStringLiteral("否，无需备份，并且不提示我。"),
                          QStringLiteral("每次提示我。")});
    lbPath->setFrameShape(QFrame::StyledPanel);
    lbPath->setMinimumWidth(320);
    lbPath->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(new QLabel(QStringLiteral("每次退出时是否自动备份帐本："), this));
    kindRow->addWidget(cbExitKind);
    kindRow->addStretch();
    auto* note = new QLabel(QStringLiteral("　　若选择自动备份，退出程序时，系统将自动把打开的账本"
                                           "备份到用户指定的备份目录。"),
                            this);
    note->setWordWrap(true);

    auto* folder = new QGroupBox(QStringLiteral(" 备份目录 "), this);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(lbPath, 1);
    pathRow->addWidget(btnBrowse);
    auto* folderLayout = new QVBoxLayout(folder);
    folderLayout->addLayout(pathRow);
    folderLayout->addWidget(new QLabel(QStringLiteral("推荐使用USB移动盘保存您的账本。"), folder));

    auto* saveRow = new QHBoxLayout;
    saveRow->addStretch();
    saveRow->addWidget(btnExitSave);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(kindRow);
    layout->addWidget(note);
    layout->addWidget(folder);
    layout->addLayout(saveRow);
    layout->addStretch();

    connect(btnBrowse, &QPushButton::clicked, this, &TExitPage::Browse);
    connect(btnExitSave, &QPushButton::clicked, this, &TExitPage::Save);

    const TSettings settings;
    // A value no entry stands for shows the default.
    const int kind = settings.ExitKind();
    cbExitKind->setCurrentIndex(kind >= 0 && kind < cbExitKind->count() ? kind
                                                                        : TSettings::ExitQuietly);
    lbPath->setText(settings.BackupPath());
}

void TExitPage::Browse() {
    const QString chosen = TFileChooser::Current().ChooseDirectory(
        this, QStringLiteral("选择备份目录"), lbPath->text());
    if (!chosen.isEmpty()) {
        lbPath->setText(TSettings::AsFolder(chosen));
    }
}

bool TExitPage::Save() {
    const QString folder = TSettings::AsFolder(lbPath->text());
    if (!BackupFolder::Check(folder)) {
        return false;
    }
    try {
        TSettings settings;
        settings.SetExitKind(cbExitKind->currentIndex());
        settings.SetBackupPath(folder);
    } catch (const EVintorError& error) {
        ShowError(error.Message());
        return false;
    }
    lbPath->setText(folder);
    return true;
}
