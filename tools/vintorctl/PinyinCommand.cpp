#include "storage/Pinyin.h"
#include "tools/vintorctl/Commands.h"

QString PinyinUsage() {
    return QStringLiteral("用法: vintorctl pinyin [TEXT...]\n"
                          "打印每个 TEXT 的拼音首字母（与查找时输入的首拼相同），每个一行；\n"
                          "没有 TEXT 时逐行读取标准输入。\n");
}

// The initials of each name given as an argument, or of each line of standard
// input when there are none; one line each.
int RunPinyin(const QStringList& args, QTextStream& in, QTextStream& out) {
    if (!args.isEmpty()) {
        for (const QString& text : args) {
            out << PinyinInitials(text) << "\n";
        }
        return 0;
    }
    QString line;
    while (in.readLineInto(&line)) {
        out << PinyinInitials(line) << "\n";
    }
    return 0;
}
