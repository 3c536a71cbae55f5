#include "storage/export/GridExport.h"

#include "storage/Prompter.h"
#include "storage/dao/Format.h"
#include "storage/export/CsvExport.h"
#include "storage/export/HtmlExport.h"
#include "storage/export/XlsxExport.h"
#include "storage/export/XmlExport.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace GridExport {

namespace {

bool WriteKind(TExportKind kind, QIODevice& out, const QString& title, const QStringList& captions,
               const QList<QStringList>& rows, QString* error) {
    switch (kind) {
    case TExportKind::Excel:
        return XlsxExport::Write(out, captions, rows, error);
    case TExportKind::Text:
        return CsvExport::Write(out, captions, rows);
    case TExportKind::Html:
        return HtmlExport::Write(out, title, captions, rows);
    case TExportKind::Xml:
        return XmlExport::Write(out, captions, rows);
    }
    return false;
}

QString Explained(const QString& message, const QString& cause) {
    return Format(QStringLiteral("%s（%s）"), {message, cause});
}

QString OpenFailure(const QSaveFile& file) {
    return Explained(QStringLiteral("无法在该位置创建文件，请确认目录存在并且可以写入。"),
                     file.errorString());
}

QString WriteFailure(const QString& cause) {
    return Explained(QStringLiteral("写入文件时出错，磁盘空间可能不足。"), cause);
}

QString CommitFailure(const QSaveFile& file) {
    if (file.error() == QFileDevice::RenameError) {
        return Explained(QStringLiteral("无法用导出的文件替换原有文件，它可能正被其他程序使用。"),
                         file.errorString());
    }
    return WriteFailure(file.errorString());
}

} // namespace

QString DialogTitle() {
    return QStringLiteral("当前显示数据导出到...");
}

QString Filters() {
    return QStringLiteral("Excel 文件 (*.xlsx)|*.XLSX|文本文件(*.txt)|*.TXT|"
                          "HTML文件(*.htm)|*.HTM|XML文件(*.xml)|*.XML");
}

QString DefaultExtension() {
    return QStringLiteral(".xlsx");
}

std::optional<TExportKind> KindOfFilter(int index) {
    if (index < int(TExportKind::Excel) || index > int(TExportKind::Xml)) {
        return std::nullopt;
    }
    return TExportKind(index);
}

QString WithExtension(const QString& path, TExportKind kind) {
    static const char* const extensions[] = {".xlsx", ".txt", ".htm", ".xml"};
    if (!QFileInfo(path).suffix().isEmpty()) {
        return path;
    }
    return path + QString::fromLatin1(extensions[int(kind) - 1]);
}

QString ProposedFileName(const QString& ledgerPath, const QString& defaultName) {
    if (ledgerPath.isEmpty()) {
        return defaultName;
    }
    return QFileInfo(ledgerPath).absoluteDir().filePath(defaultName);
}

bool Write(TExportKind kind, const QString& path, const QStringList& captions,
           const QList<QStringList>& rows, QString* error) {
    // The rows go to a temporary file beside the target, which takes the
    // target's name only once everything is written and synced.
    QSaveFile file(path);
    QString message;
    if (!file.open(QIODevice::WriteOnly)) {
        message = OpenFailure(file);
    } else if (!WriteKind(kind, file, QFileInfo(path).completeBaseName(), captions, rows,
                          &message)) {
        if (message.isEmpty()) {
            // The buffered device reports a failed write without its cause;
            // errno still holds it.
            message = WriteFailure(qt_error_string(errno));
        }
        file.cancelWriting();
    } else if (!file.commit()) {
        message = CommitFailure(file);
    }
    if (error) {
        *error = message;
    }
    return message.isEmpty();
}

bool Export(TExportKind kind, const QString& path, const QStringList& captions,
            const QList<QStringList>& rows) {
    QString error;
    if (Write(kind, path, captions, rows, &error)) {
        return true;
    }
    ShowError(Format(QStringLiteral("当前显示数据未能导出到“%s”：%s"), {path, error}));
    return false;
}

} // namespace GridExport
