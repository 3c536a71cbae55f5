#include "storage/export/HtmlExport.h"

#include "storage/export/XmlExport.h"

namespace HtmlExport {

namespace {

bool WriteText(QIODevice& out, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return out.write(bytes) == bytes.size();
}

QString CellText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return XmlExport::EscapedText(text).replace(u'\n', QStringLiteral("<br/>"));
}

QString TableRow(const QString& cellTag, const QStringList& cells, qsizetype columns) {
    QString line = QStringLiteral("<tr>");
    for (qsizetype i = 0; i < columns; ++i) {
        line += QStringLiteral("<%1>%2</%1>").arg(cellTag, CellText(cells.value(i)));
    }
    return line + QStringLiteral("</tr>\n");
}

} // namespace

bool Write(QIODevice& out, const QString& title, const QStringList& captions,
           const QList<QStringList>& rows) {
    const QString head =
        QStringLiteral("<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\">\n"
                       "<head>\n<meta charset=\"utf-8\"/>\n<title>%1</title>\n"
                       "<style>table{border-collapse:collapse}"
                       "th,td{border:1px solid #999;padding:2px 6px}</style>\n"
                       "</head>\n<body>\n<table>\n<thead>\n")
            .arg(XmlExport::EscapedText(title));
    if (!WriteText(out, head + TableRow(QStringLiteral("th"), captions, captions.size()) +
                            QStringLiteral("</thead>\n<tbody>\n"))) {
        return false;
    }
    for (const QStringList& row : rows) {
        if (!WriteText(out, TableRow(QStringLiteral("td"), row, captions.size()))) {
            return false;
        }
    }
    return WriteText(out, QStringLiteral("</tbody>\n</table>\n</body>\n</html>\n"));
}

} // namespace HtmlExport
