#include "app/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, VersionAndHelpAreAnsweredAndEverythingElseStartsTheProgram) {
    EXPECT_EQ(CommandLine::Reply({QStringLiteral("--version")}),
              QStringLiteral("vintor (Tolmar-didorivizo) 2.06 Build2.06\n"));
    const std::optional<QString> help = CommandLine::Reply({QStringLiteral("--help")});
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->startsWith(QStringLiteral("用法: vintor ")));
    for (const char* text : {"VINTOR_HOME", "VINTOR_CONFIG", "Vintor.conf", "vintorctl"}) {
        EXPECT_TRUE(help->contains(QString::fromUtf8(text))) << text;
    }
    EXPECT_EQ(CommandLine::Reply({QStringLiteral("-h")}), help);
    // Qt's own options and a ledger-free start go on to the program.
    EXPECT_FALSE(CommandLine::Reply({}));
    EXPECT_FALSE(CommandLine::Reply({QStringLiteral("-platform"), QStringLiteral("offscreen")}));
}
