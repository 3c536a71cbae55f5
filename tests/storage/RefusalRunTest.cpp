#include "storage/RefusalRun.h"
#include "storage/ScriptedPrompter.h"

#include <gtest/gtest.h>

TEST(RefusalRunTest, StopsAtTheFirstRefusalAndKeepsItsMessage) {
    TScriptedPrompter prompter;
    TPrompterScope scope(prompter);
    int runs = 0;
    TRefusalRun run;
    run.Check(QStringLiteral("edCode"),
              [&] {
                  ++runs;
                  ShowInformation(QStringLiteral("提示"));
                  return true;
              })
        .Check(QStringLiteral("edName"),
               [&] {
                   ++runs;
                   ShowError(QStringLiteral("先"));
                   ShowWarning(QStringLiteral("后"));
                   return false;
               })
        .Check(QStringLiteral("edPrice"), [&] {
            ++runs;
            return false;
        });
    EXPECT_EQ(runs, 2);
    EXPECT_FALSE(run.Passed());
    ASSERT_TRUE(run.Result());
    EXPECT_EQ(run.Result()->field, "edName");
    EXPECT_EQ(run.Result()->message, "后");
    // The messages still reach the prompter the run found installed.
    EXPECT_EQ(prompter.AllTexts(), (QStringList{"提示", "先", "后"}));
    ShowError(QStringLiteral("之后"));
    EXPECT_EQ(prompter.AllTexts().size(), 4);
}

TEST(RefusalRunTest, ARefusalWithoutAMessageStillNamesItsField) {
    TRefusalRun run;
    run.Check(QStringLiteral("edDay"), [] { return true; });
    EXPECT_TRUE(run.Passed());
    EXPECT_FALSE(run.Result());
    run.Check(QStringLiteral("edSum"), [] { return false; });
    ASSERT_TRUE(run.Result());
    EXPECT_EQ(run.Result()->field, "edSum");
    EXPECT_EQ(run.Result()->message, QString());
}
