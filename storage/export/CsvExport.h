#pragma once

#include <QIODevice>
#include <QList>
#include <QStringList>

// A grid as comma-separated text (RFC 4180): UTF-8 with a byte-order mark, CRLF
// after every line, a field holding a comma, a quote or a line break between
// quotes with its quotes doubled.
namespace CsvExport {

// False when the device refused a write.
bool Write(QIODevice& out, const QStringList& captions, const QList<QStringList>& rows);

} // namespace CsvExport
