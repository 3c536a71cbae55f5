#pragma once

#include <QPageLayout>
#include <QString>

#include <functional>

class QPrinter;
class QWidget;

// What the report and chart windows share to put their pages on paper or in a
// file.
namespace ReportOutput {

// Qt's print dialog for a printer set to `layout`; once accepted, `print`
// draws on the printer, and a failure shows "打印出错！请检查您的打印机设置。".
// True when something was printed.
bool PrintThroughDialog(QWidget* parent, const QString& documentName, const QPageLayout& layout,
                        const std::function<bool(QPrinter&)>& print);

// Asks for the file to save to, proposing `defaultName` beside the open
// ledger; empty when cancelled. `filter` as TFileChooser takes it.
QString ChooseSavePath(QWidget* parent, const QString& title, const QString& filter,
                       const QString& defaultName);

// The error shown when a file could not be written.
void ShowWriteFailure(const QString& path);

} // namespace ReportOutput
