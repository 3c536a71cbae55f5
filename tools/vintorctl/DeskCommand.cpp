#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/ledger/LedgerUpgrade.h"
#include "storage/ledger/UpgradeProgress.h"
#include "tools/vintorctl/Commands.h"
#include "tools/vintorctl/DeskCommonCommands.h"
#include "tools/vintorctl/DeskMemberCommands.h"
#include "tools/vintorctl/DeskRentCommands.h"
#include "tools/vintorctl/DeskSaleCommands.h"
#include "tools/vintorctl/DeskSession.h"
#include "tools/vintorctl/DeskStockCommands.h"
#include "tools/vintorctl/Options.h"

namespace {

constexpr int Administrator = 1;

} // namespace

QString DeskUsage() {
    return QStringLiteral(
        "用法: vintorctl desk PATH [--today YYYY-MM-DD] [--operator ID]\n"
        "在账本 PATH 上逐行执行标准输入中的柜台脚本：出租、返还、销售、进货入库、会员和资金，\n"
        "与柜台窗口使用同一套业务规则。每个提示、询问和小票行随即打印（WARN:、ERROR:、ASK:、\n"
        "PRINTER:）。旧版本的账本先升级。空行和以 # 开头的行被跳过；脚本中写 help 列出全部\n"
        "脚本命令及其参数。\n"
        "  --today YYYY-MM-DD  “今天”取这一天（脚本中也可以用 today 改变）\n"
        "  --operator ID       以这个操作员登录（默认 1，管理员）\n");
}

// Runs a counter script from standard input on the desks' engines, printing
// every message, question and receipt line as it happens.
int RunDesk(const QStringList& args, QTextStream& in, QTextStream& out, QTextStream& err) {
    TOptions options(args);
    bool numeric = true;
    const int cashier = options.Has(QStringLiteral("operator"))
                            ? options.Value(QStringLiteral("operator")).toInt(&numeric)
                            : Administrator;
    if (options.Positional().size() != 1 || !numeric || !options.ApplyToday(err)) {
        err << DeskUsage();
        return 2;
    }
    TDM dm;
    dm.DbBase.SetDatabaseName(options.Positional().front());
    try {
        dm.DbBase.Open();
        // A ledger of an older build is brought up to date first, as opening
        // it in the desktop program does.
        TUpgradeProgress progress;
        LedgerUpgrade::UpgradeLedger(dm, progress);
        TDeskSession session(dm, out);
        if (!session.LogIn(cashier)) {
            err << "没有这个操作员: " << cashier << "\n";
            return 2;
        }
        DeskCommonCommands::Register(session);
        DeskRentCommands::Register(session);
        DeskSaleCommands::Register(session);
        DeskMemberCommands::Register(session);
        DeskStockCommands::Register(session);
        session.Run(in);
    } catch (const EVintorError& e) {
        err << e.Message() << "\n";
        return 2;
    }
    return 0;
}
