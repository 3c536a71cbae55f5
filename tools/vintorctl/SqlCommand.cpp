#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "tools/vintorctl/Commands.h"
#include "tools/vintorctl/Options.h"
#include "tools/vintorctl/SqlPrinter.h"

QString SqlUsage() {
    return QStringLiteral(
        "用法: vintorctl sql PATH [--today YYYY-MM-DD]\n"
        "从标准输入逐行读取 Jet SQL 语句，在账本 PATH 上执行。查询打印列名和各行（用制表符\n"
        "分隔），其他语句打印“OK 影响的行数”，出错的语句打印“ERROR: 原因”后继续执行下一行。\n"
        "  --today YYYY-MM-DD  语句中的 Date() 取这一天\n"
        "有语句失败时退出码为 1。\n");
}

int RunSql(const QStringList& args, QTextStream& in, QTextStream& out, QTextStream& err) {
    TOptions options(args);
    if (options.Positional().size() != 1 || !options.ApplyToday(err)) {
        err << SqlUsage();
        return 2;
    }
    TDM dm;
    dm.DbBase.SetDatabaseName(options.Positional().front());
    try {
        dm.DbBase.Open();
    } catch (const EVintorError& e) {
        err << e.Message() << "\n";
        return 2;
    }
    // Every statement runs; the exit status tells a script whether any failed.
    bool failed = false;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.trimmed().isEmpty()) {
            continue;
        }
        try {
            SqlPrinter::Execute(dm, line, out);
        } catch (const EVintorError& e) {
            out << "ERROR: " << e.Message() << "\n";
            failed = true;
        }
        out.flush();
    }
    return failed ? 1 : 0;
}
