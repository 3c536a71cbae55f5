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

QString CreateUsage() {
    return QStringLiteral(
               "用法: vintorctl create PATH [--build BUILD]\n"
               "用空白模板在 PATH 新建一个账本；PATH 已经存在时不覆盖。\n"
               "  --build BUILD  改为在 PATH 写出旧版本 BUILD 的例子账本（用于试验升级），\n"
               "                 BUILD 是 %1 之一\n")
        .arg(LedgerUpgrade::Builds().join(u'|'));
}

QString ExampleUsage() {
    return QStringLiteral(
        "用法: vintorctl example PATH\n"
        "在 PATH 生成例子账本：一家小店的基础资料、会员类型、会员、出租和销售影片。\n"
        "可以登录的操作员：“管理员”（没有密码）和店员“小王”（密码 1234）。\n"
        "PATH 已经存在时不覆盖。\n");
}

int RunCreate(const QStringList& args, QTextStream& out, QTextStream& err) {
    const TOptions options(args);
    const QString build = options.Value(QStringLiteral("build"));
    const QStringList& builds = LedgerUpgrade::Builds();
    if (options.Positional().size() != 1 ||
        (options.Has(QStringLiteral("build")) && !builds.contains(build))) {
        err << CreateUsage();
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
        err << ExampleUsage();
        return 2;
    }
    return Make(args.front(), out, err, &ExampleLedger::Write);
}
