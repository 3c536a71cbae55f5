#include "storage/ProgramInfo.h"

#include "storage/ledger/LedgerSchema.h"

namespace ProgramInfo {

QString VersionNumber() {
    QString number = LedgerSchema::CurrentBuild;
    return number.remove(QStringLiteral("Build"));
}

QString VersionLine(const QString& program) {
    return QStringLiteral("%1 (Tolmar-didorivizo) %2 %3")
        .arg(program, VersionNumber(), LedgerSchema::CurrentBuild);
}

QString PlacesHelp() {
    return QStringLiteral(
        "文件位置:\n"
        "  账本和空白模板  $XDG_DATA_HOME/Tolmar-Software/Vintor/data/\n"
        "                  （默认 ~/.local/share/Tolmar-Software/Vintor/data/）\n"
        "  设置            $XDG_CONFIG_HOME/Tolmar-Software/Vintor.conf\n"
        "                  （默认 ~/.config/Tolmar-Software/Vintor.conf）\n"
        "  退出时的备份    “系统设置”→“退出/备份”中选定的备份目录\n"
        "环境变量:\n"
        "  VINTOR_HOME     另用一个程序目录：账本在其中的 data/，设置是其中的 Vintor.conf\n"
        "  VINTOR_CONFIG   另用一个设置文件，优先于以上位置\n"
        "  XDG_DATA_HOME, XDG_CONFIG_HOME  桌面的数据目录和设置目录\n");
}

} // namespace ProgramInfo
