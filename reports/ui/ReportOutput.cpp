#include "reports/ui/ReportOutput.h"

#include "app/FileChooser.h"
#include "app/Session.h"
#include "storage/Prompter.h"
#include "storage/export/GridExport.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

namespace ReportOutput {

bool PrintThroughDialog(QWidget* parent, const QString& documentName, const QPageLayout& layout,
                        const std::function<bool(QPrinter&)>& print) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(layout);
    printer.setDocName(documentName);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    if (!print(printer)) {
        ShowError(QStringLiteral("打印出错！请检查您的打印机设置。"));
        return false;
    }
    return true;
}

QString ChooseSavePath(QWidget* parent, const QString& title, const QString& filter,
                       const QString& defaultName) {
    const QString proposed =
        GridExport::ProposedFileName(TSession::Current().Dm.DbBase.DatabaseName(), defaultName);
    return TFileChooser::Current().SaveFile(parent, title, filter, QFileInfo(proposed).path(),
                                            QFileInfo(proposed).fileName());
}

void ShowWriteFailure(const QString& path) {
    ShowError(QStringLiteral("无法写入文件“%1”，请检查该位置是否可以写入。")
                  .arg(QDir::toNativeSeparators(path)));
}

} // namespace ReportOutput
