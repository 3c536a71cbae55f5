#include "app/LedgerActions.h"

#include "app/CleanerFm.h"
#include "app/CompactDbFm.h"
#include "app/DataToolsFm.h"
#include "app/FileChooser.h"
#include "storage/Prompter.h"
#include "storage/Settings.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/ledger/LedgerFiles.h"

#include <QApplication>
#include <QFileInfo>

namespace LedgerActions {

namespace {

const QString LedgerFilter = QStringLiteral("账本文件 (*.mdb)|*.MDB");

// A refusal (the ledger itself as the target among them: its lock refuses
// it) has been shown by the backup; an engine failure is shown here.
void BackupOpenLedger(const QString& target) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString failure;
    try {
        LedgerFiles::Backup(TDM::Instance().DbBase, target);
    } catch (const EVintorError& error) {
        failure = error.Message();
    }
    QApplication::restoreOverrideCursor();
    if (!failure.isEmpty()) {
        ShowError(failure);
    }
}

} // namespace

void Backup(QWidget* parent, const QString& ledgerPath) {
    const QString target = TFileChooser::Current().SaveFile(
        parent, QStringLiteral("当前账本备份到..."), LedgerFilter, TSettings().BackupPath(),
        QFileInfo(ledgerPath).fileName());
    if (target.isEmpty()) {
        return;
    }
    BackupOpenLedger(target);
}

void Restore(QWidget* parent, const QString& ledgerPath) {
    const QString source = TFileChooser::Current().OpenFile(
        parent, QStringLiteral("恢复账本文件..."), LedgerFilter, TSettings().BackupPath());
    if (source.isEmpty()) {
        return;
    }
    if (LedgerFiles::Restore(source, QFileInfo(ledgerPath).absolutePath(), ledgerPath).Ok()) {
        ShowInformation(QStringLiteral("账本恢复成功！请选择打开账本开始使用。"));
    }
}

void Compact(QWidget* parent) {
    TCompactDbFm window(parent, TDM::Instance());
    window.Exec();
}

void DataTools(QWidget* parent, const QString& ledgerPath) {
    TDataToolsFm window(parent, ledgerPath);
    window.Exec();
}

void Cleaner(QWidget* parent) {
    TCleanerFm window(parent);
    window.Exec();
}

} // namespace LedgerActions
