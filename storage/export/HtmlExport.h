#pragma once

#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>

// A grid as an HTML table in UTF-8 (written as XHTML, so it is also
// well-formed XML): the captions as the header row, line breaks in a cell
// shown as <br/>.
namespace HtmlExport {

// False when the device refused a write.
bool Write(QIODevice& out, const QString& title, const QStringList& captions,
           const QList<QStringList>& rows);

} // namespace HtmlExport
