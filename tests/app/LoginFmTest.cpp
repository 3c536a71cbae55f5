#include "members/ui/LoginFm.h"

#include "storage/ScriptedPrompter.h"
#include "storage/Settings.h"
#include "tests/app/ModalDriver.h"
#include "tests/support/LedgerFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using Kind = TScriptedPrompter::Kind;

class LoginFmTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        qputenv("VINTOR_CONFIG", Path(QStringLiteral("config.ini")).toUtf8());
        dm_->ExecSql(QStringLiteral("INSERT INTO TbOperator (Name,Password) VALUES "
                                    "(\"小王\",\"AbC\"),(\"小李\",\"密码1\")"));
    }
    void TearDown() override {
        qunsetenv("VINTOR_CONFIG");
        LedgerTest::TearDown();
    }

    // Logs in with the typed passwords, one attempt each, as far as the
    // window stays open; `name` picks the operator first when given.
    bool Login(const QStringList& passwords, const QString& name = QString(),
               bool chooseOperator = true) {
        driver_.WhenShown<TLoginFm>([=, this](TLoginFm& window) {
            seenEnabled_ = window.edCode->isEnabled();
            seenName_ = window.edCode->currentText();
            seenTip_ = window.lbTip->isVisible();
            if (!name.isEmpty()) {
                window.edCode->setCurrentIndex(window.edCode->findText(name));
            }
            const QPointer<TLoginFm> alive(&window);
            for (const QString& password : passwords) {
                if (!alive || !window.isVisible()) {
                    break;
                }
                window.edPassword->setText(password);
                window.btnOk->click();
            }
            if (alive && window.isVisible()) {
                window.btnCancle->click();
            }
        });
        return TLoginFm::Login(current_, chooseOperator, nullptr);
    }

    TScriptedPrompter prompter_;
    TPrompterScope scope_{prompter_};
    TModalDriver driver_;
    TOperator current_;
    bool seenEnabled_ = false;
    bool seenTip_ = false;
    QString seenName_;
};

TEST_F(LoginFmTest, LatinLettersMatchInAnyCaseOtherCharactersExactly) {
    EXPECT_TRUE(Login({QStringLiteral("aBc")}, QStringLiteral("小王")));
    EXPECT_EQ(current_.Name, QStringLiteral("小王"));
    EXPECT_TRUE(prompter_.Messages().isEmpty());

    prompter_.Clear();
    EXPECT_TRUE(Login({QStringLiteral("密码2"), QStringLiteral("密码1")}, QStringLiteral("小李")));
    EXPECT_EQ(current_.Name, QStringLiteral("小李"));
    EXPECT_EQ(prompter_.Texts(Kind::Warning),
              QStringList{QStringLiteral("密码输入错误！请重新输入。")});
}

TEST_F(LoginFmTest, AdministratorOfABlankLedgerHasAnEmptyPassword) {
    EXPECT_TRUE(Login({QString()}));
    EXPECT_EQ(current_.Id, 1);
    EXPECT_TRUE(current_.Has(23));
}

TEST_F(LoginFmTest, WrongTwiceThenRightLogsIn) {
    EXPECT_TRUE(Login({QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("abc")},
                      QStringLiteral("小王")));
    EXPECT_EQ(current_.Name, QStringLiteral("小王"));
    EXPECT_EQ(prompter_.Texts(Kind::Warning).size(), 2);
    EXPECT_TRUE(prompter_.Texts(Kind::Error).isEmpty());
}

TEST_F(LoginFmTest, ThirdMissEndsTheLoginAndKeepsTheOperator) {
    current_.LoadById(1);
    // The count is per showing: a fourth, right password never gets typed.
    EXPECT_FALSE(Login(
        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("abc")},
        QStringLiteral("小王")));
    EXPECT_EQ(current_.Id, 1);
    EXPECT_EQ(prompter_.Texts(Kind::Warning).size(), 3);
    EXPECT_EQ(prompter_.Texts(Kind::Error),
              QStringList{QStringLiteral("三次密码输入错误！您不能使用此软件。")});

    prompter_.Clear();
    EXPECT_FALSE(Login({}));
    EXPECT_TRUE(prompter_.Messages().isEmpty()) << "cancel says nothing";
}

TEST_F(LoginFmTest, FixedListShowsTheCurrentOperatorAndAnUnknownOneFallsBackToTheFirst) {
    Login({}); // nobody logged in yet: Id -1
    EXPECT_EQ(seenName_, QStringLiteral("管理员"));
    EXPECT_TRUE(seenEnabled_);

    current_.LoadById(2);
    EXPECT_TRUE(Login({QStringLiteral("ABC")}, QString(), false));
    EXPECT_EQ(seenName_, QStringLiteral("小王"));
    EXPECT_FALSE(seenEnabled_);
}

TEST_F(LoginFmTest, TipShowsUntilTheBeginnerGuideWasDismissed) {
    Login({});
    EXPECT_TRUE(seenTip_);
    TSettings().SetBeginer(1);
    Login({});
    EXPECT_FALSE(seenTip_);
}

TEST_F(LoginFmTest, EnterInThePasswordBoxLogsIn) {
    driver_.WhenShown<TLoginFm>([](TLoginFm& window) {
        window.edCode->setCurrentIndex(window.edCode->findText(QStringLiteral("小王")));
        window.edPassword->setText(QStringLiteral("abc"));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(window.edPassword, &enter);
    });
    EXPECT_TRUE(TLoginFm::Login(current_, true, nullptr));
    EXPECT_EQ(current_.Name, QStringLiteral("小王"));
}

} // namespace
