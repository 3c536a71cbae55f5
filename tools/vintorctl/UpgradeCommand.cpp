#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/ledger/LedgerSchema.h"
#include "storage/ledger/LedgerUpgrade.h"
#include "storage/ledger/UpgradeProgress.h"
#include "tools/vintorctl/Commands.h"

namespace {

// The build after a failed upgrade, when the ledger can still be read.
QString BuildAfterFailure(TDM& dm) {
    try {
        return LedgerUpgrade::LedgerBuild(dm);
    } catch (const EVintorError&) {
        return QStringLiteral("?");
    }
}

} // namespace

QString UpgradeUsage() {
    return QStringLiteral("用法: vintorctl upgrade PATH\n"
                          "把旧版本的账本 PATH 升级到当前版本 %1，打印“原版本 -> 现版本”。\n"
                          "每一步升级要么完整完成，要么不改动账本；升级没有完成时退出码为 1。\n")
        .arg(LedgerSchema::CurrentBuild);
}

int RunUpgrade(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) {
        err << UpgradeUsage();
        return 2;
    }
    TDM dm;
    dm.DbBase.SetDatabaseName(args.front());
    QString before;
    try {
        dm.DbBase.Open();
        before = LedgerUpgrade::LedgerBuild(dm);
    } catch (const EVintorError& e) {
        err << e.Message() << "\n";
        return 2;
    }
    TUpgradeProgress progress;
    try {
        LedgerUpgrade::UpgradeLedger(dm, progress);
    } catch (const EVintorError& e) {
        err << e.Message() << "\n"
            << "账本升级没有完成，账本仍是 " << BuildAfterFailure(dm) << "。\n";
        return 1;
    }
    const QString after = LedgerUpgrade::LedgerBuild(dm);
    out << before << " -> " << after << "\n";
    if (after != LedgerSchema::CurrentBuild) {
        err << "不认识账本的版本“" << before << "”，账本没有升级。\n";
        return 1;
    }
    return 0;
}
