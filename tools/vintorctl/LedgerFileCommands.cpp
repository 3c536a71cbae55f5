// The ledger file commands: list, back up, restore and compact.
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/ledger/LedgerFiles.h"
#include "tools/vintorctl/Commands.h"
#include "tools/vintorctl/Options.h"

namespace {

// Prints `done` on success; 0 then, 1 on a refusal (already printed).
int Report(const TStored<QString>& result, const QString& done, QTextStream& out) {
    if (!result.Ok()) {
        return 1;
    }
    out << done << "\n";
    return 0;
}

} // namespace

QString LedgersUsage() {
    return QStringLiteral("用法: vintorctl ledgers DATADIR\n"
                          "列出数据目录 DATADIR 中的账本（*.mdb 文件的名称，不带扩展名）。\n");
}

QString BackupUsage() {
    return QStringLiteral(
        "用法: vintorctl backup PATH DEST\n"
        "把账本 PATH 备份到文件 DEST，覆盖原有的 DEST。账本正在柜台使用时也能得到完整的副本。\n"
        "DEST 不是普通文件或者是一个正在使用的账本时拒绝，退出码为 1。\n");
}

QString RestoreUsage() {
    return QStringLiteral(
        "用法: vintorctl restore SRC DATADIR\n"
        "把账本文件 SRC 以原文件名恢复到数据目录 DATADIR，替换那里同名的账本。\n"
        "SRC 不是完好的账本，或者 DATADIR 中的同名账本正被使用时拒绝，退出码为 1。\n");
}

QString CompactUsage() {
    return QStringLiteral("用法: vintorctl compact PATH\n"
                          "整理账本 PATH，打印整理后的大小占整理前的百分比。\n"
                          "账本正被使用或整理失败时账本不变，退出码为 1。\n");
}

int RunLedgers(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) {
        err << LedgersUsage();
        return 2;
    }
    for (const QString& name : LedgerFiles::List(args.front())) {
        out << name << "\n";
    }
    return 0;
}

int RunBackup(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2) {
        err << BackupUsage();
        return 2;
    }
    TDM dm;
    dm.DbBase.SetDatabaseName(args[0]);
    const TMessagePrinter printer(err);
    try {
        return Report(LedgerFiles::Backup(dm.DbBase, args[1]),
                      QStringLiteral("账本已备份到 %1").arg(args[1]), out);
    } catch (const EVintorError& e) {
        err << "ERROR: " << e.Message() << "\n";
        return 2;
    }
}

int RunRestore(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2) {
        err << RestoreUsage();
        return 2;
    }
    const TMessagePrinter printer(err);
    return Report(LedgerFiles::Restore(args[0], args[1]),
                  QStringLiteral("账本恢复成功！请选择打开账本开始使用。"), out);
}

int RunCompact(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) {
        err << CompactUsage();
        return 2;
    }
    TDM dm;
    dm.DbBase.SetDatabaseName(args.front());
    try {
        dm.DbBase.Open(); // a file that is not a ledger is refused before anything
        QString failure;
        const Currency ratio = dm.CompactLedger(&failure);
        if (!failure.isEmpty()) {
            err << "ERROR: " << LedgerFiles::CompactMessage(Currency()) << failure << "\n";
            return 1;
        }
        out << LedgerFiles::CompactMessage(ratio) << "\n";
        return ratio.IsZero() ? 1 : 0;
    } catch (const EVintorError& e) {
        err << "ERROR: " << e.Message() << "\n";
        return 2;
    }
}
