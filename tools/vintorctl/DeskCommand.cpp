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

// Runs a counter script from standard input on the desks' engines, printing
// every message, question and receipt line as it happens.
int RunDesk(const QStringList& args, QTextStream& in, QTextStream& out, QTextStream& err) {
    TOptions options(args);
    bool numeric = true;
    const int cashier = options.Has(QStringLiteral("operator"))
                            ? options.Value(QStringLiteral("operator")).toInt(&numeric)
                            : Administrator;
    if (options.Positional().size() != 1 || !numeric || !options.ApplyToday(err)) {
        err << "用法: vintorctl desk PATH [--today YYYY-MM-DD] [--operator ID]\n";
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
