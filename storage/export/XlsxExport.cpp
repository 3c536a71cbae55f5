#include "storage/export/XlsxExport.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <xlsxwriter.h>

namespace XlsxExport {

namespace {

bool Fail(QString* error, const QString& message) {
    if (error) {
        *error = message;
    }
    return false;
}

QString LibraryError(lxw_error code) {
    return QStringLiteral("生成 Excel 文件时出错（%1）。")
        .arg(QString::fromUtf8(lxw_strerror(code)));
}

lxw_error WriteRow(lxw_worksheet* sheet, lxw_row_t row, const QStringList& cells, qsizetype columns,
                   lxw_format* format) {
    for (qsizetype i = 0; i < columns; ++i) {
        const QString text = cells.value(i);
        if (text.isEmpty()) {
            continue;
        }
        const lxw_error result =
            worksheet_write_string(sheet, row, lxw_col_t(i), text.toUtf8().constData(), format);
        if (result != LXW_NO_ERROR) {
            return result;
        }
    }
    return LXW_NO_ERROR;
}

// Room the library needs for its temporary parts and the assembled file, with
// a margin: every cell's text (escaped) plus the markup around it, twice.
qint64 SpaceNeeded(const QStringList& captions, const QList<QStringList>& rows) {
    constexpr qint64 markupPerCell = 64;
    const auto rowBytes = [&](const QStringList& cells) {
        qint64 bytes = 0;
        for (qsizetype i = 0; i < captions.size(); ++i) {
            bytes += cells.value(i).size() * 3 + markupPerCell;
        }
        return bytes;
    };
    qint64 bytes = rowBytes(captions);
    for (const QStringList& row : rows) {
        bytes += rowBytes(row);
    }
    return 2 * bytes + (1 << 20);
}

// Builds the workbook in the file `path`.
bool Build(const QString& path, const QString& tmpdir, const QStringList& captions,
           const QList<QStringList>& rows, QString* error) {
    QByteArray tmp = QFile::encodeName(tmpdir);
    lxw_workbook_options options = {};
    options.tmpdir = tmp.data();
    lxw_workbook* book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!book) {
        return Fail(error, LibraryError(LXW_ERROR_CREATING_XLSX_FILE));
    }
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_error result = WriteRow(sheet, 0, captions, captions.size(), bold);
    for (qsizetype r = 0; r < rows.size() && result == LXW_NO_ERROR; ++r) {
        result = WriteRow(sheet, lxw_row_t(r + 1), rows[r], captions.size(), nullptr);
    }
    worksheet_freeze_panes(sheet, 1, 0);
    // Closing assembles the file and frees the workbook whatever happened before.
    const lxw_error closed = workbook_close(book);
    if (result == LXW_NO_ERROR) {
        result = closed;
    }
    return result == LXW_NO_ERROR || Fail(error, LibraryError(result));
}

bool CopyTo(QIODevice& out, const QString& path, QString* error) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        return Fail(error, LibraryError(LXW_ERROR_CREATING_XLSX_FILE));
    }
    char buffer[1 << 16];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n == 0) {
            return true;
        }
        if (n < 0 || out.write(buffer, n) != n) {
            return false; // the device keeps its own error
        }
    }
}

} // namespace

bool Write(QIODevice& out, const QStringList& captions, const QList<QStringList>& rows,
           QString* error) {
    if (rows.size() + 1 > LXW_ROW_MAX) {
        return Fail(error, QStringLiteral("数据有 %1 行，超过了 Excel 工作表的上限 %2 行，"
                                          "请导出为文本文件。")
                               .arg(rows.size())
                               .arg(LXW_ROW_MAX - 1));
    }
    if (captions.size() > LXW_COL_MAX) {
        return Fail(error, QStringLiteral("数据有 %1 列，超过了 Excel 工作表的上限 %2 列。")
                               .arg(captions.size())
                               .arg(LXW_COL_MAX));
    }
    // The library assembles the workbook in a file of its own; it is then
    // copied to the device, which decides where the export ends up.
    QTemporaryDir work;
    if (!work.isValid()) {
        return Fail(error, LibraryError(LXW_ERROR_CREATING_TMPFILE));
    }
    // The library does not check the writes of its temporary parts: on a full
    // disk it would assemble a truncated workbook and call it a success.
    const qint64 available = QStorageInfo(work.path()).bytesAvailable();
    if (available >= 0 && available < SpaceNeeded(captions, rows)) {
        return Fail(error, QStringLiteral("临时目录“%1”的磁盘空间不足，无法生成 Excel 文件。")
                               .arg(QDir::toNativeSeparators(QDir::tempPath())));
    }
    const QString built = work.filePath(QStringLiteral("export.xlsx"));
    return Build(built, work.path(), captions, rows, error) && CopyTo(out, built, error);
}

} // namespace XlsxExport
