#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// The check for a newer version of the program: one HTTP GET of a short text
// file naming the newest build ("Build2.06"), compared with the open ledger's.
namespace VersionCheck {

// The text of the version file, trimmed; nothing when the server cannot be
// reached, answers with an error, or takes longer than `timeoutMs`.
std::optional<QString> Fetch(const QUrl& url, int timeoutMs);

// Tells the operator what the fetched text means for `ledgerBuild` and asks
// whether to download a different version. True when the operator said Yes.
bool OfferDownload(const std::optional<QString>& fetched, const QString& ledgerBuild);

} // namespace VersionCheck
