#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/ledger/LedgerBalances.h"
#include "tools/vintorctl/Commands.h"

QString BalancesUsage() {
    return QStringLiteral(
        "用法: vintorctl balances PATH [--rebuild]\n"
        "核对账本 PATH 中每个账户保存的余额与按资金记录计算的余额，打印不一致的账户。\n"
        "  --rebuild  先重新安装余额的记录方式并全部重新计算\n"
        "全部一致时退出码为 0，有不一致时为 1。\n");
}

// Compares every account's kept balance with the one counted from its
// movements; with --rebuild the kept balances are first reinstalled and
// recounted. Exit 0 when they agree, 1 when any differs, 2 on a usage or
// ledger error.
int RunBalances(const QStringList& args, QTextStream& out, QTextStream& err) {
    QStringList paths = args;
    const bool rebuild = paths.removeAll(QStringLiteral("--rebuild")) > 0;
    if (paths.size() != 1) {
        err << BalancesUsage();
        return 2;
    }
    TDM dm;
    dm.DbBase.SetDatabaseName(paths.front());
    try {
        dm.DbBase.Open();
        if (rebuild) {
            LedgerBalances::Reinstall(dm);
            out << "已重新计算所有账户的余额。\n";
        }
        out << (LedgerBalances::Trusted(dm) ? "保存的余额可以直接使用。\n"
                                            : "保存的余额需要重新计算（打开账本时会自动重算）。\n");
        const QList<LedgerBalances::TDifference> differences =
            LedgerBalances::Differences(dm.DbBase);
        for (const LedgerBalances::TDifference& d : differences) {
            out << "账户 " << d.accountId << ": 保存的余额 " << d.kept.ToFixed(4)
                << "，按资金记录计算 " << d.counted.ToFixed(4) << "\n";
        }
        out << (differences.isEmpty() ? "所有账户的余额一致。\n" : "有账户的余额不一致。\n");
        return differences.isEmpty() ? 0 : 1;
    } catch (const EVintorError& e) {
        err << "ERROR: " << e.Message() << "\n";
        return 2;
    }
}
