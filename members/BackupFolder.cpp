#include "members/BackupFolder.h"

#include "storage/Prompter.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace BackupFolder {

bool Check(const QString& folder) {
    if (folder.isEmpty()) {
        return true;
    }
    if (!QFileInfo(folder).isDir()) {
        ShowError(QStringLiteral("备份目录“%1”不存在，请重新选择。")
                      .arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    // Permissions alone do not tell (a read-only medium, a full disk): a probe
    // file does.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("vintor-XXXXXX.tmp")));
    if (!probe.open()) {
        ShowError(QStringLiteral("备份目录“%1”不能写入文件，请检查U盘或文件夹权限后重新选择。")
                      .arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    return true;
}

} // namespace BackupFolder
