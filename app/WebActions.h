#pragma once

#include <QString>
#include <QUrl>

class QWidget;

// The program's doors to the outside: mail, the maker's pages and the check
// for a newer version.
namespace WebActions {

// The maker's pages and the default place of the version file.
inline const QUrl HomePage(QStringLiteral("https://www.tolmar-software.example/"));
inline const QUrl DownloadPage(QStringLiteral("https://www.tolmar-software.example/download/"));
inline const QUrl
    DefaultVersionFile(QStringLiteral("https://www.tolmar-software.example/vintor/version.txt"));
// How long the version check waits for the server.
inline constexpr int VersionTimeoutMs = 10000;

// The version file's address: the setting "VersionUrl", else the default.
QUrl VersionFileUrl();

// Hands a consistent copy of the ledger to the mail program as an attachment
// of a new mail "我的账本"; the operator adds the recipient there. Without a
// mail program it says so and removes the copy.
void SendLedgerByMail(QWidget* parent, const QString& ledgerPath);
// The maker's pages in the default browser; without one they say so.
void OpenHomePage();
void OpenDownloadPage();
// Compares the version file with the open ledger's build and offers the
// download page when they differ.
void CheckForUpdate(QWidget* parent);

} // namespace WebActions
