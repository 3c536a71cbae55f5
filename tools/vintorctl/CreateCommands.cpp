#include "storage/dao/Errors.h"
#include "storage/ledger/ExampleLedger.h"
#include "storage/ledger/LedgerTemplate.h"
#include "storage/ledger/LedgerUpgrade.h"
#include "storage/ledger/OlderLedgers.h"
#include "tools/vintorctl/Commands.h"
#include "tools/vintorctl/Options.h"

#include <functional>

namespace {

int Make(const QString& path, QTextStream& out, QTextStream& err,
         const std::function<void(const QString&)>& make) {
    try {
        make(path);
    } catch (const EVintorError& e) {
        err << e.Message() << "\n";
        return 1;
    }
    out << path << "\n";
    return 0;
}

} // namespace

int RunCreate(const QStringList& args, QTextStream& out, QTextStream& err) {
    const TOptions options(args);
    const QString build = options.Value(QStringLiteral("build"));
    const QStringList& builds = LedgerUpgrade::Builds();
    if (options.Positional().size() != 1 ||
        (options.Has(QStringLiteral("build")) && !builds.contains(build))) {
        err << "用法: vintorctl create PATH [--build " << builds.join(u'|') << "]\n";
        return 2;
    }
    const QString& path = options.Positional().front();
    if (!options.Has(QStringLiteral("build"))) {
        return Make(path, out, err, &LedgerTemplate::CreateLedgerFromTemplate);
    }
    return Make(path, out, err, [&build](const QString& p) { OlderLedgers::Write(p, build); });
}

int RunExample(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) {
        err << "用法: vintorctl example PATH\n";
        return 2;
    }
    return Make(args.front(), out, err, &ExampleLedger::Write);
}
