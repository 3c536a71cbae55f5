#include "app/CommandLine.h"

#include "storage/ProgramInfo.h"

#include <cstdio>

namespace CommandLine {

namespace {

QString HelpText() {
    return QStringLiteral(
               "用法: vintor [--help | --version] [Qt 的选项，例如 -platform offscreen]\n"
               "Tolmar-didorivizo：影碟出租、销售店铺的管理软件。\n"
               "启动后打开上次使用的账本，没有时先显示“打开/新建账本”。每个用户同时只运行\n"
               "一份；再次启动时把已经运行的窗口提到前面。\n\n") +
           ProgramInfo::PlacesHelp() +
           QStringLiteral(
               "\n命令行工具 vintorctl 可以在脚本中备份、恢复、整理和升级账本，打印报表\n"
               "（见 vintorctl --help 和 man vintorctl）。\n");
}

} // namespace

std::optional<QString> Reply(const QStringList& args) {
    for (const QString& arg : args) {
        if (arg == QLatin1String("--version")) {
            return ProgramInfo::VersionLine(QStringLiteral("vintor")) + u'\n';
        }
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            return HelpText();
        }
    }
    return std::nullopt;
}

std::optional<int> Answer(int argc, char* argv[]) {
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args.append(QString::fromLocal8Bit(argv[i]));
    }
    const std::optional<QString> reply = Reply(args);
    if (!reply) {
        return std::nullopt;
    }
    std::fputs(reply->toUtf8().constData(), stdout);
    return 0;
}

} // namespace CommandLine
