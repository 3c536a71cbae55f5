#pragma once

#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>

// A grid as an Excel workbook (.xlsx): one sheet, the captions in a bold first
// row that stays in view, every cell as text so codes keep their leading zeros.
namespace XlsxExport {

// False with `error` set when the grid does not fit a sheet, the workbook
// cannot be built or the device refused a write.
bool Write(QIODevice& out, const QStringList& captions, const QList<QStringList>& rows,
           QString* error);

} // namespace XlsxExport
