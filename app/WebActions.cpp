#include "app/WebActions.h"

#include "app/VersionCheck.h"
#include "storage/Prompter.h"
#include "storage/dao/DM.h"
#include "storage/ledger/LedgerFiles.h"
#include "storage/ledger/LedgerUpgrade.h"
#include "storage/ledger/ProgramPaths.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>

namespace WebActions {

namespace {

// The open ledger keeps recent work in its write-ahead log, so the mail gets
// a whole copy rather than the bare file.
QString MailCopyOf(const QString& ledgerPath) {
    // In the user's private folder: other users may not read the copy.
    const QString directory = ProgramPaths::RuntimeDirectory() + QStringLiteral("/vintor-mail");
    QDir().mkpath(directory);
    const QString copy = QDir(directory).filePath(QFileInfo(ledgerPath).fileName());
    if (!LedgerFiles::Backup(TDM::Instance().DbBase, copy).Ok()) {
        QFile::remove(copy);
        return {};
    }
    return copy;
}

void OpenPage(const QUrl& page) {
    if (!QDesktopServices::openUrl(page)) {
        ShowError(QStringLiteral("无法打开网页 %1 ，请检查电脑上是否已安装网页浏览器。")
                      .arg(page.toString()));
    }
}

} // namespace

QUrl VersionFileUrl() {
    const QString text = QSettings(ProgramPaths::SettingsFile(), QSettings::IniFormat)
                             .value(QStringLiteral("VersionUrl"))
                             .toString();
    return text.isEmpty() ? DefaultVersionFile : QUrl(text);
}

void SendLedgerByMail(QWidget*, const QString& ledgerPath) {
    const QString attachment = MailCopyOf(ledgerPath);
    if (attachment.isEmpty()) {
        return;
    }
    const QStringList arguments{QStringLiteral("--subject"), QStringLiteral("我的账本"),
                                QStringLiteral("--attach"), attachment};
    if (!QProcess::startDetached(QStringLiteral("xdg-email"), arguments)) {
        // No mail program will read the copy: it must not stay behind.
        QFile::remove(attachment);
        ShowError(
            QStringLiteral("无法启动邮件程序（xdg-email），请检查电脑上是否已安装邮件程序。"));
    }
}

void OpenHomePage() {
    OpenPage(HomePage);
}

void OpenDownloadPage() {
    OpenPage(DownloadPage);
}

void CheckForUpdate(QWidget*) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<QString> fetched = VersionCheck::Fetch(VersionFileUrl(), VersionTimeoutMs);
    QApplication::restoreOverrideCursor();
    if (VersionCheck::OfferDownload(fetched, LedgerUpgrade::LedgerBuild(TDM::Instance()))) {
        OpenDownloadPage();
    }
}

} // namespace WebActions
