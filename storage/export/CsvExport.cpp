#include "storage/export/CsvExport.h"

namespace CsvExport {

namespace {

QString Field(const QString& text) {
    static const QString special = QStringLiteral(",\"\r\n");
    for (const QChar c : text) {
        if (special.contains(c)) {
            QString quoted = text;
            quoted.replace(u'"', QStringLiteral("\"\""));
            return u'"' + quoted + u'"';
        }
    }
    return text;
}

bool WriteLine(QIODevice& out, const QStringList& cells, qsizetype columns) {
    QString line;
    for (qsizetype i = 0; i < columns; ++i) {
        if (i > 0) {
            line += u',';
        }
        line += Field(cells.value(i));
    }
    line += QStringLiteral("\r\n");
    const QByteArray bytes = line.toUtf8();
    return out.write(bytes) == bytes.size();
}

} // namespace

bool Write(QIODevice& out, const QStringList& captions, const QList<QStringList>& rows) {
    if (out.write("\xEF\xBB\xBF", 3) != 3 || !WriteLine(out, captions, captions.size())) {
        return false;
    }
    for (const QStringList& row : rows) {
        if (!WriteLine(out, row, captions.size())) {
            return false;
        }
    }
    return true;
}

} // namespace CsvExport
