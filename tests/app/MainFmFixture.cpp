#include "tests/app/MainFmFixture.h"

#include "members/ui/LoginFm.h"
#include "storage/Clock.h"
#include "storage/ExampleLedger.h"
#include "storage/LedgerTemplate.h"
#include "storage/ProgramPaths.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

void MainFmTest::SetUp() {
    ASSERT_TRUE(home_.isValid());
    qputenv("VINTOR_HOME", home_.path().toUtf8());
    qputenv("VINTOR_CONFIG", home_.filePath(QStringLiteral("config.ini")).toUtf8());
    TClock::SetToday(QDate(2024, 6, 15));
    LedgerTemplate::WriteBlankLedger(ProgramPaths::BlankTemplatePath());
    example_ = ProgramPaths::DataDirectory() + QStringLiteral("例子账本.mdb");
    ExampleLedger::Write(example_);
    prompterScope_ = std::make_unique<TPrompterScope>(prompter_);
    TFileChooser::Install(&chooser_);
    session_ = std::make_unique<TSession>();
    window_ = std::make_unique<TMainFm>(*session_);
}

void MainFmTest::TearDown() {
    window_.reset();
    session_.reset();
    TFileChooser::Install(nullptr);
    prompterScope_.reset();
    TClock::Release();
    qunsetenv("VINTOR_CONFIG");
    qunsetenv("VINTOR_HOME");
}

void MainFmTest::AnswerLogin(const QString& name, const QString& password) {
    driver_.WhenShown<TLoginFm>([name, password](TLoginFm& login) {
        login.edCode->setCurrentIndex(login.edCode->findText(name));
        login.edPassword->setText(password);
        login.btnOk->click();
    });
}

void MainFmTest::CancelLogin() {
    driver_.WhenShown<TLoginFm>([](TLoginFm& login) { login.btnCancle->click(); });
}

void MainFmTest::StartAs(const QString& name, const QString& password) {
    session_->Settings.SetDefaultDb(example_);
    AnswerLogin(name, password);
    ASSERT_TRUE(window_->Start());
}
