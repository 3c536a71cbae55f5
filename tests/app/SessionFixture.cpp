#include "tests/app/SessionFixture.h"

#include "app/ChildFm.h"
#include "members/ui/LoginFm.h"
#include "storage/Clock.h"
#include "storage/ledger/ExampleLedger.h"
#include "storage/ledger/LedgerTemplate.h"
#include "storage/ledger/ProgramPaths.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

const QString SessionTest::Admin = QStringLiteral("管理员");
const QString SessionTest::Clerk = QStringLiteral("小王");
const QString SessionTest::ClerkPassword = QStringLiteral("1234");

void SessionTest::SetUp() {
    ASSERT_TRUE(home_.Valid());
    TClock::SetToday(QDate(2024, 6, 15));
    LedgerTemplate::WriteBlankLedger(ProgramPaths::BlankTemplatePath());
    example_ = ProgramPaths::DataDirectory() + QStringLiteral("例子账本.mdb");
    ExampleLedger::Write(example_);
    prompterScope_ = std::make_unique<TPrompterScope>(prompter_);
    TFileChooser::Install(&chooser_);
    session_ = std::make_unique<TSession>();
    window_ = std::make_unique<TMainFm>(*session_);
    window_->SetLogin(&TLoginFm::Login);
}

void SessionTest::TearDown() {
    window_.reset();
    session_.reset();
    TFileChooser::Install(nullptr);
    prompterScope_.reset();
    TClock::Release();
}

void SessionTest::AnswerLogin(const QString& name, const QString& password) {
    driver_.WhenShown<TLoginFm>([name, password](TLoginFm& login) {
        login.edCode->setCurrentIndex(login.edCode->findText(name));
        login.edPassword->setText(password);
        login.btnOk->click();
    });
}

void SessionTest::CancelLogin() {
    driver_.WhenShown<TLoginFm>([](TLoginFm& login) { login.btnCancle->click(); });
}

void SessionTest::LogIn(const QString& name, const QString& password) {
    AnswerLogin(name, password);
    ASSERT_EQ(window_->OpenLedger(example_), TMainFm::TOpenResult::Opened);
    ASSERT_EQ(session_->Operator.Name, name);
    window_->ApplyPermissions();
    window_->FillStatusBar();
}

void SessionTest::Host(TChildFm* window) {
    window_->ShowChild(window);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
}
