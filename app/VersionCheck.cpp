#include "app/VersionCheck.h"

#include "storage/Prompter.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <memory>

namespace VersionCheck {

std::optional<QString> Fetch(const QUrl& url, int timeoutMs) {
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    std::unique_ptr<QNetworkReply> reply(manager.get(request));
    // The operator waits for the answer, as with any other command.
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (reply->error() != QNetworkReply::NoError) {
        return std::nullopt;
    }
    return QString::fromUtf8(reply->readAll()).trimmed();
}

bool OfferDownload(const std::optional<QString>& fetched, const QString& ledgerBuild) {
    if (!fetched) {
        ShowWarning(QStringLiteral("请检查您的电脑是否已经上网，然后再使用此功能。"));
        return false;
    }
    if (*fetched == ledgerBuild) {
        ShowInformation(QStringLiteral("您已经使用的是最新版软件。"));
        return false;
    }
    // The file names a build ("Build2.07"); the operator reads the number.
    return AskYesNo(
        QStringLiteral("目前软件的最新版为%1。现在是否立即下载？").arg(fetched->mid(5)));
}

} // namespace VersionCheck
