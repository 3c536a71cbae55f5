// vintorctl: the command-line door to the ledger core, for shop administrators
// (scripts, scheduled backups) and for end-to-end tests.
#include "storage/ProgramInfo.h"
#include "tools/vintorctl/Commands.h"

#include <QGuiApplication>
#include <QTextStream>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct TStreams {
    QTextStream& in;
    QTextStream& out;
    QTextStream& err;
};

struct TCommand {
    const char* name;
    const char* summary; // one line for the overview
    QString (*usage)();
    int (*run)(const QStringList& args, TStreams& io);
};

const std::vector<TCommand>& Commands() {
    static const std::vector<TCommand> commands = {
        {"create", "用空白模板新建账本，或写出旧版本的例子账本", &CreateUsage,
         [](const QStringList& a, TStreams& io) { return RunCreate(a, io.out, io.err); }},
        {"example", "生成例子账本", &ExampleUsage,
         [](const QStringList& a, TStreams& io) { return RunExample(a, io.out, io.err); }},
        {"ledgers", "列出数据目录中的账本", &LedgersUsage,
         [](const QStringList& a, TStreams& io) { return RunLedgers(a, io.out, io.err); }},
        {"backup", "备份账本（账本正在使用时也可以）", &BackupUsage,
         [](const QStringList& a, TStreams& io) { return RunBackup(a, io.out, io.err); }},
        {"restore", "把账本文件恢复到数据目录", &RestoreUsage,
         [](const QStringList& a, TStreams& io) { return RunRestore(a, io.out, io.err); }},
        {"compact", "整理账本", &CompactUsage,
         [](const QStringList& a, TStreams& io) { return RunCompact(a, io.out, io.err); }},
        {"upgrade", "把旧版本的账本升级到当前版本", &UpgradeUsage,
         [](const QStringList& a, TStreams& io) { return RunUpgrade(a, io.out, io.err); }},
        {"import-jet", "导入旧版软件（Windows）的账本", &ImportJetUsage,
         [](const QStringList& a, TStreams& io) { return RunImportJet(a, io.out, io.err); }},
        {"balances", "核对各账户保存的余额，可先全部重算", &BalancesUsage,
         [](const QStringList& a, TStreams& io) { return RunBalances(a, io.out, io.err); }},
        {"report", "打印报表，可同时写成 PDF", &ReportUsage,
         [](const QStringList& a, TStreams& io) { return RunReport(a, io.out, io.err); }},
        {"receipt-test", "向账本设置的小票打印机发送测试小票", &ReceiptTestUsage,
         [](const QStringList& a, TStreams& io) { return RunReceiptTest(a, io.out, io.err); }},
        {"sql", "从标准输入逐行执行 SQL 语句", &SqlUsage,
         [](const QStringList& a, TStreams& io) { return RunSql(a, io.in, io.out, io.err); }},
        {"desk", "从标准输入逐行执行柜台脚本", &DeskUsage,
         [](const QStringList& a, TStreams& io) { return RunDesk(a, io.in, io.out, io.err); }},
        {"pinyin", "显示拼音首字母", &PinyinUsage,
         [](const QStringList& a, TStreams& io) { return RunPinyin(a, io.in, io.out); }},
    };
    return commands;
}

const TCommand* Find(const QString& name) {
    const auto& commands = Commands();
    const auto found = std::find_if(commands.begin(), commands.end(), [&name](const TCommand& c) {
        return name == QLatin1String(c.name);
    });
    return found == commands.end() ? nullptr : &*found;
}

// The first line of a usage without its "用法: vintorctl " lead.
QString Synopsis(const TCommand& command) {
    const QString first = command.usage().section(u'\n', 0, 0);
    const QString lead = QStringLiteral("用法: vintorctl ");
    return first.startsWith(lead) ? first.mid(lead.size()) : first;
}

void Overview(QTextStream& stream) {
    stream << "用法: vintorctl <命令> [参数]\n"
              "      vintorctl <命令> --help   显示这个命令的用法\n"
              "      vintorctl help [命令]\n"
              "      vintorctl --help | --version\n"
              "Tolmar-didorivizo 的命令行工具：新建、备份、恢复、整理和升级账本，打印报表，\n"
              "核对余额，试打小票；可以在脚本和定时任务（cron）中使用。\n\n"
              "命令:\n";
    for (const TCommand& command : Commands()) {
        stream << "  " << Synopsis(command) << "\n        " << command.summary << "\n";
    }
    stream << "\n退出码: 0 完成；1 操作被拒绝或失败；2 参数不对或账本打不开。\n"
              "操作中的提示以 ERROR:、WARN: 或 INFO: 开头。\n\n"
           << ProgramInfo::PlacesHelp()
           << "\n例子:\n"
              "  vintorctl backup ~/.local/share/Tolmar-Software/Vintor/data/店铺.mdb \\\n"
              "      /media/backup/店铺-$(date +%F).mdb\n"
              "  vintorctl report rent-top ~/.local/share/Tolmar-Software/Vintor/data/店铺.mdb \\\n"
              "      --from 2024-06-01 --to 2024-06-30 --pdf 六月排行.pdf\n";
}

bool AsksForHelp(const QStringList& args) {
    return args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"));
}

// "help", "help COMMAND", "COMMAND --help": the text goes to standard output.
int Help(const QStringList& names, QTextStream& out, QTextStream& err) {
    if (names.isEmpty()) {
        Overview(out);
        return 0;
    }
    const TCommand* command = Find(names.front());
    if (command == nullptr) {
        err << "未知的命令: " << names.front() << "\n";
        Overview(err);
        return 2;
    }
    out << command->usage();
    return 0;
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
    TStreams io{in, out, err};
    QStringList args = QCoreApplication::arguments().mid(1);
    int rc = 2;
    if (args.isEmpty()) {
        Overview(err);
    } else if (args.front() == QLatin1String("--version")) {
        out << ProgramInfo::VersionLine(QStringLiteral("vintorctl")) << "\n";
        rc = 0;
    } else if (args.front() == QLatin1String("--help") || args.front() == QLatin1String("-h") ||
               args.front() == QLatin1String("help")) {
        rc = Help(args.mid(1), out, err);
    } else if (const TCommand* command = Find(args.front())) {
        args.removeFirst();
        rc = AsksForHelp(args) ? Help({QString::fromLatin1(command->name)}, out, err)
                               : command->run(args, io);
    } else {
        err << "未知的命令: " << args.front() << "\n";
        Overview(err);
    }
    out.flush();
    err.flush();
    return rc;
}
