// vintorctl: the command-line door to the ledger core, for shop administrators
// (scripts, scheduled backups) and for end-to-end tests.
#include "tools/vintorctl/Commands.h"

#include <QGuiApplication>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

void Usage(QTextStream& err) {
    err << "用法: vintorctl <命令> [参数]\n"
           "  create PATH [--build BUILD]      用空白模板新建账本，或写出旧版本的例子账本\n"
           "  example PATH                     生成例子账本\n"
           "  sql PATH [--today YYYY-MM-DD]    从标准输入逐行执行 SQL 语句\n"
           "  desk PATH [--today YYYY-MM-DD] [--operator ID]  从标准输入逐行执行柜台脚本\n"
           "  ledgers DATADIR                  列出数据目录中的账本\n"
           "  backup PATH DEST                 备份账本（账本使用中也可以）\n"
           "  restore SRC DATADIR              把账本文件恢复到数据目录\n"
           "  compact PATH                     整理账本\n"
           "  upgrade PATH                     把旧版本的账本升级到当前版本\n"
           "  balances PATH [--rebuild]        核对各账户保存的余额，可先全部重算\n"
           "  report NAME PATH [--from D] [--to D] [--today D] [选项]  打印报表（见 report "
           "的用法）\n"
           "  receipt-test PATH                向账本设置的小票打印机发送测试小票\n"
           "  pinyin [TEXT...]                 显示拼音首字母（无参数时逐行读标准输入）\n";
}

} // namespace

int main(int argc, char* argv[]) {
    // `report --pdf` lays pages out with fonts, which takes a Gui application
    // (offscreen: no display needed); every other command stays a core one.
    const bool drawsPages = std::any_of(
        argv + 1, argv + argc, [](const char* arg) { return std::strcmp(arg, "--pdf") == 0; });
    if (drawsPages && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const std::unique_ptr<QCoreApplication> app =
        drawsPages ? std::make_unique<QGuiApplication>(argc, argv)
                   : std::make_unique<QCoreApplication>(argc, argv);
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
    } else if (command == QLatin1String("desk")) {
        rc = RunDesk(args, in, out, err);
    } else if (command == QLatin1String("upgrade")) {
        rc = RunUpgrade(args, out, err);
    } else if (command == QLatin1String("balances")) {
        rc = RunBalances(args, out, err);
    } else if (command == QLatin1String("ledgers")) {
        rc = RunLedgers(args, out, err);
    } else if (command == QLatin1String("backup")) {
        rc = RunBackup(args, out, err);
    } else if (command == QLatin1String("restore")) {
        rc = RunRestore(args, out, err);
    } else if (command == QLatin1String("compact")) {
        rc = RunCompact(args, out, err);
    } else if (command == QLatin1String("pinyin")) {
        rc = RunPinyin(args, in, out);
    } else if (command == QLatin1String("report")) {
        rc = RunReport(args, out, err);
    } else if (command == QLatin1String("receipt-test")) {
        rc = RunReceiptTest(args, out, err);
    } else {
        err << "未知的命令: " << command << "\n";
        Usage(err);
    }
    out.flush();
    err.flush();
    return rc;
}
