#include "app/LedgerActions.h"

#include "app/CleanerFm.h"
#include "app/CompactDbFm.h"
#include "app/DataToolsFm.h"
#include "app/FileChooser.h"
#include "storage/DM.h"
#include "storage/Errors.h"
#include "storage/LedgerFiles.h"
#include "storage/Prompter.h"
#include "storage/Settings.h"

#include <QApplication>
#include <QFileInfo>

namespace LedgerActions {

namespace {

const QString LedgerFilter = QStringLiteral("账本文件 (*.mdb)|*.MDB");

bool SameFile(const QString& a, const QString& b) {
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

LedgerFiles::TResult BackupOpenLedger(const QString& target) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    LedgerFiles::TResult result;
    try {
        result = LedgerFiles::Backup(TDM::Instance().DbBase, target);
    } catch (const EVintorError& error) {
        result.error = error.Message();
    }
    QApplication::restoreOverrideCursor();
    return result;
}

} // namespace

void Backup(QWidget* parent, const QString& ledgerPath) {
    const QString target = TFileChooser::Current().SaveFile(
        parent, QStringLiteral("当前账本备份到..."), LedgerFilter, TSettings().BackupPath(),
        QFileInfo(ledgerPath).fileName());
    if (target.isEmpty()) {
        return;
    }
    // Writing the copy over the ledger itself would replace the open file
    // and throw away its log.
    if (SameFile(target, ledgerPath)) {
        ShowError(QStringLiteral("不能备份到正在使用的账本文件本身，请选择其他位置或文件名。"));
        return;
    }
    const LedgerFiles::TResult result = BackupOpenLedger(target);
    if (!result.Ok()) {
        ShowError(result.error);
    }
}

void Restore(QWidget* parent, const QString& ledgerPath) {
    const QString source = TFileChooser::Current().OpenFile(
        parent, QStringLiteral("恢复账本文件..."), LedgerFilter, TSettings().BackupPath());
    if (source.isEmpty()) {
        return;
    }
    const LedgerFiles::TResult result =
        LedgerFiles::Restore(source, QFileInfo(ledgerPath).absolutePath(), ledgerPath);
    if (result.Ok()) {
        ShowInformation(QStringLiteral("账本恢复成功！请选择打开账本开始使用。"));
    } else {
        ShowError(result.error);
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
