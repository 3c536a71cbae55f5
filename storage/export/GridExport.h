#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Writing what a grid shows to a file: an Excel workbook, comma-separated
// text, an HTML table or XML, each with the column captions and every row.
// The file appears whole under its name or not at all; a file already there
// stays untouched when the export fails.
namespace GridExport {

// The kinds in the order of the save dialog's filters (1 is the first).
enum class TExportKind { Excel = 1, Text, Html, Xml };

// Title, filters ("name|pattern|...") and default extension of the save dialog.
QString DialogTitle();
QString Filters();
QString DefaultExtension();
// The kind of the dialog's 1-based filter index; nothing for another index.
std::optional<TExportKind> KindOfFilter(int index);
// The path with the kind's extension added when its file name has none.
QString WithExtension(const QString& path, TExportKind kind);
// The name the dialog proposes: the window's default name in the directory of
// the open ledger.
QString ProposedFileName(const QString& ledgerPath, const QString& defaultName);

// Writes the file; false with `error` set to a message for the operator.
// Rows shorter than the captions get empty cells, longer ones are cut.
bool Write(TExportKind kind, const QString& path, const QStringList& captions,
           const QList<QStringList>& rows, QString* error);
// Writes the file and reports a failure in an error box; true when written.
bool Export(TExportKind kind, const QString& path, const QStringList& captions,
            const QList<QStringList>& rows);

} // namespace GridExport
