#include "storage/export/XmlExport.h"

namespace XmlExport {

namespace {

bool AllowedInXml(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

bool WriteText(QIODevice& out, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return out.write(bytes) == bytes.size();
}

QString Element(const QString& name, const QString& text) {
    return QStringLiteral("<%1>%2</%1>").arg(name, EscapedText(text));
}

// One element of cells on a line of its own.
QString Line(const QString& indent, const QString& elementName, const QString& cellName,
             const QStringList& cells, qsizetype columns) {
    QString line = indent + QStringLiteral("<%1>").arg(elementName);
    for (qsizetype i = 0; i < columns; ++i) {
        line += Element(cellName, cells.value(i));
    }
    return line + QStringLiteral("</%1>\n").arg(elementName);
}

} // namespace

QString EscapedText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        switch (c) {
        case U'&':
            out += QStringLiteral("&amp;");
            break;
        case U'<':
            out += QStringLiteral("&lt;");
            break;
        case U'>':
            out += QStringLiteral("&gt;");
            break;
        case U'"':
            out += QStringLiteral("&quot;");
            break;
        case U'\'':
            out += QStringLiteral("&apos;");
            break;
        case U'\r': // readers turn a written CR or CRLF into LF
            out += QStringLiteral("&#13;");
            break;
        default:
            out += QString::fromUcs4(AllowedInXml(c) ? &c : U"\uFFFD", 1);
        }
    }
    return out;
}

bool Write(QIODevice& out, const QStringList& captions, const QList<QStringList>& rows) {
    if (!WriteText(out, QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Grid>\n") +
                            Line(QStringLiteral("  "), QStringLiteral("Columns"),
                                 QStringLiteral("Column"), captions, captions.size()) +
                            QStringLiteral("  <Rows>\n"))) {
        return false;
    }
    for (const QStringList& row : rows) {
        if (!WriteText(out, Line(QStringLiteral("    "), QStringLiteral("Row"),
                                 QStringLiteral("Cell"), row, captions.size()))) {
            return false;
        }
    }
    return WriteText(out, QStringLiteral("  </Rows>\n</Grid>\n"));
}

} // namespace XmlExport
