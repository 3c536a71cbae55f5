#include "members/Login.h"

#include "storage/ScriptedPrompter.h"
#include "tests/support/LedgerFixture.h"

namespace {

using Kind = TScriptedPrompter::Kind;
using Outcome = TLogin::TOutcome;

const QString Wrong = QStringLiteral("密码输入错误！请重新输入。");
const QString Refused = QStringLiteral("三次密码输入错误！您不能使用此软件。");

class LoginTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        dm_->ExecSql(QStringLiteral("INSERT INTO TbOperator (Name,Password) VALUES "
                                    "(\"小王\",\"AbC\"),(\"小李\",\"密码1\")"));
    }
    int IdOf(const QString& name) {
        return Value(QStringLiteral("SELECT Id AS V FROM TbOperator WHERE Name=\"%1\"").arg(name))
            .toInt();
    }

    TScriptedPrompter prompter_;
    TPrompterScope scope_{prompter_};
    TOperator current_;
};

TEST(LoginPassword, LatinLettersIgnoreCaseEverythingElseMatchesExactly) {
    struct Case {
        const char* typed;
        const char* stored;
        bool matches;
    } const cases[] = {
        {"aBc", "AbC", true},     {"ABC", "abc", true},   {"", "", true},
        {"abc", "abd", false},    {"abc ", "abc", false}, {"密码1", "密码1", true},
        {"密码", "密码1", false}, {"Ä", "ä", false},      {"", "a", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TLogin::PasswordMatches(QString::fromUtf8(c.typed), QString::fromUtf8(c.stored)),
                  c.matches)
            << c.typed << " / " << c.stored;
    }
}

TEST_F(LoginTest, ListsEveryOperatorAndPreselectsTheCurrentOneOrTheFirst) {
    TLogin login(current_);
    ASSERT_EQ(login.Operators().size(), 3u);
    EXPECT_EQ(login.Operators()[0].Id, 1);
    EXPECT_EQ(login.Operators()[1].Name, QStringLiteral("小王"));
    EXPECT_EQ(login.Operators()[2].Password, QStringLiteral("密码1"));
    EXPECT_EQ(login.PreselectedIndex(), 0) << "nobody logged in yet";

    current_.LoadById(IdOf(QStringLiteral("小李")));
    EXPECT_EQ(TLogin(current_).PreselectedIndex(), 2);

    current_.Id = 99; // deleted meanwhile
    EXPECT_EQ(TLogin(current_).PreselectedIndex(), 0);
}

TEST_F(LoginTest, AMatchMakesTheChosenOperatorCurrentWithItsPermissions) {
    TLogin login(current_);
    EXPECT_EQ(login.Try(1, QString()), Outcome::LoggedIn) << "a blank ledger's administrator";
    EXPECT_EQ(current_.Id, 1);
    EXPECT_TRUE(current_.Has(23));

    EXPECT_EQ(TLogin(current_).Try(IdOf(QStringLiteral("小王")), QStringLiteral("abc")),
              Outcome::LoggedIn);
    EXPECT_EQ(current_.Name, QStringLiteral("小王"));
    EXPECT_FALSE(current_.Has(23));
    EXPECT_TRUE(prompter_.Messages().isEmpty());
}

TEST_F(LoginTest, ThreeMissesOfOneShowingRefuseWhicheverOperatorsWereChosen) {
    current_.LoadById(1);
    TLogin login(current_);
    EXPECT_EQ(login.Try(IdOf(QStringLiteral("小王")), QStringLiteral("x")), Outcome::TryAgain);
    EXPECT_EQ(login.Try(IdOf(QStringLiteral("小李")), QStringLiteral("密码2")), Outcome::TryAgain);
    EXPECT_EQ(login.Try(-5, QString()), Outcome::Refused) << "an unknown Id is a miss too";
    EXPECT_EQ(current_.Id, 1);
    EXPECT_EQ(prompter_.Texts(Kind::Warning), QStringList({Wrong, Wrong, Wrong}));
    EXPECT_EQ(prompter_.Texts(Kind::Error), QStringList{Refused});

    // A new showing counts from zero again.
    prompter_.Clear();
    TLogin next(current_);
    EXPECT_EQ(next.Try(IdOf(QStringLiteral("小王")), QStringLiteral("y")), Outcome::TryAgain);
    EXPECT_EQ(next.Try(IdOf(QStringLiteral("小王")), QStringLiteral("ABC")), Outcome::LoggedIn);
    EXPECT_TRUE(prompter_.Texts(Kind::Error).isEmpty());
}

} // namespace
