// The ledger file commands: list, back up, restore and compact.
#include "storage/ScriptedPrompter.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/ledger/LedgerFiles.h"
#include "tools/vintorctl/Commands.h"
#include "tools/vintorctl/Options.h"

namespace {

// Prints the messages the ledger operations show as "ERROR: " and "WARN: "
// lines, for as long as it lives.
class TMessagePrinter {
public:
    explicit TMessagePrinter(QTextStream& err) {
        prompter_.OnMessage = [&err](const TScriptedPrompter::Message& message) {
            err << (message.kind == TScriptedPrompter::Kind::Error ? "ERROR: " : "WARN: ")
                << message.text << "\n";
        };
    }

private:
    TScriptedPrompter prompter_;
    TPrompterScope scope_{prompter_};
};

// Prints `done` on success; 0 then, 1 on a refusal (already printed).
int Report(const TStored<QString>& result, const QString& done, QTextStream& out) {
    if (!result.Ok()) {
        return 1;
    }
    out << done << "\n";
    return 0;
}

} // namespace

int RunLedgers(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) {
        err << "用法: vintorctl ledgers DATADIR\n";
        return 2;
    }
    for (const QString& name : LedgerFiles::List(args.front())) {
        out << name << "\n";
    }
    return 0;
}

int RunBackup(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2) {
        err << "用法: vintorctl backup PATH DEST\n";
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
        err << "用法: vintorctl restore SRC DATADIR\n";
        return 2;
    }
    const TMessagePrinter printer(err);
    return Report(LedgerFiles::Restore(args[0], args[1]),
                  QStringLiteral("账本恢复成功！请选择打开账本开始使用。"), out);
}

int RunCompact(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) {
        err << "用法: vintorctl compact PATH\n";
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
