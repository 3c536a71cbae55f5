// import-jet: a ledger of the Windows program (a Jet .mdb file) as a new ledger.
#include "storage/dao/Errors.h"
#include "storage/import/JetImport.h"
#include "storage/ledger/LedgerSchema.h"
#include "storage/ledger/LedgerUpgrade.h"
#include "tools/vintorctl/Commands.h"
#include "tools/vintorctl/Options.h"

#include <QDir>

QString ImportJetUsage() {
    return QStringLiteral(
               "用法: vintorctl import-jet SOURCE.mdb DEST.mdb\n"
               "把旧版软件（Windows）的账本 SOURCE.mdb（Jet 3 或 Jet 4 数据库，%1 到 %2）\n"
               "导入为新账本 DEST.mdb：每个表的每一行连同 Id 和自动编号原样导入，然后升级到\n"
               "当前版本。SOURCE.mdb 只读不改；DEST.mdb 已经存在时拒绝。打印每个表导入的行数。\n"
               "文件不是账本、版本不认识、某一行读不出时拒绝（说明表和行），不留下 DEST.mdb，\n"
               "退出码为 1。\n")
        .arg(LedgerUpgrade::Builds().front(), LedgerSchema::CurrentBuild);
}

int RunImportJet(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2) {
        err << ImportJetUsage();
        return 2;
    }
    const TMessagePrinter printer(err);
    JetImport::TImportProgress progress;
    try {
        const TStored<JetImport::TImported> imported =
            JetImport::Import(args[0], args[1], progress);
        if (!imported.Ok()) {
            return 1; // the refusal is on standard error
        }
        const JetImport::TImported& result = imported.Value();
        out << QDir::toNativeSeparators(args[0]) << ": " << (result.jet4 ? "Jet 4" : "Jet 3")
            << ", " << result.build << "\n";
        for (const QString& line : JetImport::SummaryLines(result)) {
            out << line << "\n";
        }
        out << "已导入到 " << QDir::toNativeSeparators(result.path) << "（" << result.build
            << " -> " << LedgerSchema::CurrentBuild << "）\n";
        return 0;
    } catch (const EVintorError& e) {
        err << "ERROR: " << e.Message() << "\n";
        return 2;
    }
}
