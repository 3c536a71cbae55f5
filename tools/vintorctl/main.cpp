// vintorctl: the command-line door to the ledger core, for shop administrators
// (scripts, scheduled backups) and for end-to-end tests.
#include "tools/vintorctl/Commands.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

void Usage(QTextStream& err) {
    err << "用法: vintorctl <命令> [参数]\n"
           "  create PATH                      用空白模板新建账本\n"
           "  example PATH                     生成例子账本\n"
           "  sql PATH [--today YYYY-MM-DD]    从标准输入逐行执行 SQL 语句\n";
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream in(stdin);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        Usage(err);
        return 2;
    }
    const QString command = args.takeFirst();
    int rc = 2;
    if (command == QLatin1String("create")) {
        rc = RunCreate(args, out, err);
    } else if (command == QLatin1String("example")) {
        rc = RunExample(args, out, err);
    } else if (command == QLatin1String("sql")) {
        rc = RunSql(args, in, out, err);
    } else {
        err << "未知的命令: " << command << "\n";
        Usage(err);
    }
    out.flush();
    err.flush();
    return rc;
}
