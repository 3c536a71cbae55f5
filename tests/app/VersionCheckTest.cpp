#include "app/VersionCheck.h"

#include "storage/ScriptedPrompter.h"
#include "tests/app/VersionServer.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

using Kind = TScriptedPrompter::Kind;

TEST(VersionCheckTest, FetchesTheTrimmedTextOrNothing) {
    TVersionServer server("Build2.07\r\n");
    EXPECT_EQ(VersionCheck::Fetch(server.Url(), 5000), QStringLiteral("Build2.07"));

    TVersionServer missing("not here", "404 Not Found");
    EXPECT_EQ(VersionCheck::Fetch(missing.Url(), 5000), std::nullopt);
    EXPECT_EQ(VersionCheck::Fetch(TVersionServer::UnreachableUrl(), 5000), std::nullopt);

    TVersionServer silent("", "200 OK", true);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(VersionCheck::Fetch(silent.Url(), 300), std::nullopt);
    EXPECT_LT(clock.elapsed(), 3000);
}

TEST(VersionCheckTest, TellsTheOperatorWhatTheVersionFileMeans) {
    TScriptedPrompter prompter;
    TPrompterScope scope(prompter);

    EXPECT_FALSE(
        VersionCheck::OfferDownload(QStringLiteral("Build2.06"), QStringLiteral("Build2.06")));
    EXPECT_EQ(prompter.Texts(Kind::Information),
              QStringList{QStringLiteral("您已经使用的是最新版软件。")});

    // Any difference offers the download, an older build and another case too.
    prompter.QueueAnswer(false);
    EXPECT_FALSE(
        VersionCheck::OfferDownload(QStringLiteral("Build2.05"), QStringLiteral("Build2.06")));
    prompter.QueueAnswer(true);
    EXPECT_TRUE(
        VersionCheck::OfferDownload(QStringLiteral("build2.06"), QStringLiteral("Build2.06")));
    EXPECT_EQ(prompter.Texts(Kind::Question),
              (QStringList{QStringLiteral("目前软件的最新版为2.05。现在是否立即下载？"),
                           QStringLiteral("目前软件的最新版为2.06。现在是否立即下载？")}));

    EXPECT_FALSE(VersionCheck::OfferDownload(std::nullopt, QStringLiteral("Build2.06")));
    EXPECT_EQ(prompter.Texts(Kind::Warning),
              QStringList{QStringLiteral("请检查您的电脑是否已经上网，然后再使用此功能。")});
}

} // namespace
