#include "storage/Pinyin.h"
#include "tools/vintorctl/Commands.h"

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
