#include "tests/app/MainFmFixture.h"
#include "tests/app/Screenshots.h"

#include "app/ChildFm.h"
#include "app/OpenDbFm.h"
#include "members/ui/LoginFm.h"
#include "storage/ledger/LedgerFiles.h"
#include "storage/ledger/LedgerUpgrade.h"
#include "storage/ledger/OlderLedgers.h"
#include "storage/ledger/ProgramPaths.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>

namespace {

using Kind = TScriptedPrompter::Kind;

// Working windows that count how often they are made.
class TDeskProbeFm : public TChildFm {
public:
    TDeskProbeFm() {
        ++Made;
        setWindowTitle(QStringLiteral("出租业务"));
    }
    static inline int Made = 0;
};

class TListProbeFm : public TChildFm {
public:
    TListProbeFm() { setWindowTitle(QStringLiteral("光盘管理")); }
};

class TReportProbeFm : public TChildFm {
public:
    bool StaysBeneath() const override { return true; }
};

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(MainFmTest, FirstStartWithoutSettingsOffersTheLedgerDialogAndEndsWhenCancelled) {
    bool offered = false;
    driver_.WhenShown<TOpenDbFm>([&](TOpenDbFm& dialog) {
        offered = true;
        dialog.btnCancel->click();
    });
    EXPECT_FALSE(window_->Start());
    EXPECT_TRUE(offered);
    EXPECT_TRUE(prompter_.Messages().isEmpty());
    EXPECT_TRUE(session_->Settings.DefaultDb().isEmpty()) << "nothing was opened";
}

TEST_F(MainFmTest, LoginOpensTheLastLedgerAndFillsTitleAndStatusBar) {
    StartAs(Clerk, ClerkPassword);
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Tolmar-didorivizov2.06 ") + example_);
    EXPECT_EQ(window_->StatusPanel(1)->text(), QStringLiteral("登录用户：小王"));
    EXPECT_TRUE(window_->StatusPanel(2)->text().startsWith(QStringLiteral("登录时间：")));
    EXPECT_EQ(window_->StatusPanel(3)->text(), QStringLiteral("星光影碟出租店 电话:0571-88886666"));
    EXPECT_EQ(session_->Printer.Com, QStringLiteral("COM1"));
    EXPECT_TRUE(window_->close());
    EXPECT_EQ(session_->Settings.DefaultDb(), example_);
}

TEST_F(MainFmTest, RefusedFirstLoginEndsTheProgram) {
    session_->Settings.SetDefaultDb(example_);
    driver_.WhenShown<TLoginFm>([](TLoginFm& login) {
        login.edPassword->setText(QStringLiteral("错"));
        for (int i = 0; i < 3; ++i) {
            login.btnOk->click();
        }
    });
    EXPECT_FALSE(window_->Start());
    EXPECT_EQ(prompter_.Texts(Kind::Error),
              QStringList{QStringLiteral("三次密码输入错误！您不能使用此软件。")});
    EXPECT_FALSE(session_->LoggedIn());
}

TEST_F(MainFmTest, ALedgerThatCannotOpenShowsTheEngineMessageAndOffersTheDialogAgain) {
    const QString bogus = ProgramPaths::DataDirectory() + QStringLiteral("坏账本.mdb");
    {
        QFile file(bogus);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("这不是账本");
    }
    session_->Settings.SetDefaultDb(bogus);
    bool offered = false;
    driver_.WhenShown<TOpenDbFm>([&](TOpenDbFm& dialog) {
        offered = true;
        dialog.btnCancel->click();
    });
    EXPECT_FALSE(window_->Start());
    ASSERT_EQ(prompter_.Texts(Kind::Error).size(), 1);
    EXPECT_TRUE(prompter_.Texts(Kind::Error)[0].contains(QStringLiteral("不是账本文件")));
    EXPECT_TRUE(offered);
    EXPECT_EQ(Bytes(bogus), QByteArray("这不是账本"));
    EXPECT_EQ(session_->Settings.DefaultDb(), bogus) << "left as it was";
}

TEST_F(MainFmTest, AnOlderLedgerIsUpgradedBeforeTheLogin) {
    const QString older = ProgramPaths::DataDirectory() + QStringLiteral("旧账本.mdb");
    OlderLedgers::Write(older, LedgerUpgrade::Builds().front());
    session_->Settings.SetDefaultDb(older);
    QString buildAtLogin;
    driver_.WhenShown<TLoginFm>([&](TLoginFm& login) {
        buildAtLogin = LedgerUpgrade::LedgerBuild(session_->Dm);
        login.btnCancle->click();
    });
    EXPECT_FALSE(window_->Start());
    EXPECT_EQ(buildAtLogin, LedgerUpgrade::Builds().back());
    EXPECT_TRUE(prompter_.Messages().isEmpty());
}

TEST_F(MainFmTest, RefusedSwitchReturnsToThePreviousLedger) {
    StartAs(Admin, QString());
    const QString other = ProgramPaths::DataDirectory() + QStringLiteral("第二.mdb");
    ASSERT_TRUE(LedgerFiles::Create(ProgramPaths::DataDirectory(), QStringLiteral("第二")).Ok());
    const QString title = window_->windowTitle();

    CancelLogin();
    EXPECT_EQ(window_->OpenLedger(other), TMainFm::TOpenResult::Refused);
    EXPECT_EQ(session_->Dm.DbBase.DatabaseName(), example_);
    EXPECT_TRUE(session_->Dm.DbBase.Connected());
    EXPECT_EQ(window_->windowTitle(), title);
    EXPECT_EQ(window_->LedgerPath(), example_);
    EXPECT_EQ(session_->Operator.Name, Admin);

    AnswerLogin(Admin, QString());
    EXPECT_EQ(window_->OpenLedger(other), TMainFm::TOpenResult::Opened);
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Tolmar-didorivizov2.06 ") + other);
    EXPECT_TRUE(session_->ShopInfo.Name.isEmpty()) << "the new ledger's shop row";
}

TEST_F(MainFmTest, PermissionsGateTheMenuButLoginLeaveAndExitStay) {
    StartAs(Clerk, ClerkPassword);
    for (const char* name : {"aOpen", "aDataTools", "aMailto", "aBackup", "aRestore", "aCompact",
                             "aCleaner", "aOption"}) {
        EXPECT_FALSE(window_->Action(QString::fromUtf8(name))->isEnabled()) << name;
    }
    for (const char* name : {"aLogin", "aLeave", "aExit", "aAbout", "aTip"}) {
        EXPECT_TRUE(window_->Action(QString::fromUtf8(name))->isEnabled()) << name;
    }
    EXPECT_FALSE(window_->Menu(QStringLiteral("mReport"))->menuAction()->isEnabled());

    AnswerLogin(Admin, QString());
    window_->Action(QStringLiteral("aLogin"))->trigger();
    EXPECT_EQ(window_->StatusPanel(1)->text(), QStringLiteral("登录用户：管理员"));
    EXPECT_TRUE(window_->Action(QStringLiteral("aOpen"))->isEnabled());
    EXPECT_TRUE(window_->Menu(QStringLiteral("mReport"))->menuAction()->isEnabled());
    // A working window that is not built yet stays visible and disabled.
    EXPECT_FALSE(window_->Action(QStringLiteral("aSale"))->isEnabled());
    EXPECT_TRUE(window_->Action(QStringLiteral("aSale"))->isVisible());
    EXPECT_FALSE(window_->Action(QStringLiteral("aCleaner"))->isVisible());
}

TEST_F(MainFmTest, AWorkingWindowOfTheCurrentClassIsNotMadeAgain) {
    TDeskProbeFm::Made = 0;
    window_->SetChildAction<TDeskProbeFm>(QStringLiteral("aRental"));
    window_->SetChildAction<TListProbeFm>(QStringLiteral("aManage"));
    window_->SetChildAction<TReportProbeFm>(QStringLiteral("aRentTop"));
    StartAs(Admin, QString());
    ASSERT_EQ(TDeskProbeFm::Made, 1) << "the rental desk opens after the login";
    const QPointer<TChildFm> desk = window_->CurrentChild();
    EXPECT_EQ(window_->lbCaption->text(), QStringLiteral("出租业务"));

    window_->Action(QStringLiteral("aRental"))->trigger();
    EXPECT_EQ(TDeskProbeFm::Made, 1);
    EXPECT_EQ(window_->CurrentChild(), desk.data());

    window_->Action(QStringLiteral("aRentTop"))->trigger();
    EXPECT_TRUE(desk.isNull()) << "an ordinary working window is closed";
    const QPointer<TChildFm> report = window_->CurrentChild();
    window_->Action(QStringLiteral("aManage"))->trigger();
    EXPECT_FALSE(report.isNull()) << "a report preview stays beneath";
    const QPointer<TChildFm> list = window_->CurrentChild();
    EXPECT_EQ(window_->lbCaption->text(), QStringLiteral("光盘管理"));
    window_->Action(QStringLiteral("aRental"))->trigger();
    EXPECT_TRUE(list.isNull());
    EXPECT_EQ(TDeskProbeFm::Made, 2);
}

TEST_F(MainFmTest, AClerkWithoutThePermissionCannotOpenTheWorkingWindow) {
    window_->SetChildAction<TListProbeFm>(QStringLiteral("aManage"));
    StartAs(Clerk, ClerkPassword);
    EXPECT_FALSE(window_->Action(QStringLiteral("aManage"))->isEnabled());
    window_->OpenChild(QStringLiteral("aManage"));
    EXPECT_EQ(window_->CurrentChild(), nullptr);
}

TEST_F(MainFmTest, ARestoredWindowAsksForTheCurrentOperatorAgain) {
    StartAs(Clerk, ClerkPassword);
    window_->show();
    window_->Leave();
    EXPECT_TRUE(window_->Leaving());
    EXPECT_TRUE(window_->isMinimized());

    bool fixed = false;
    driver_.WhenShown<TLoginFm>([&](TLoginFm& login) {
        fixed = !login.edCode->isEnabled() && login.edCode->currentText() == Clerk;
        login.btnCancle->click();
    });
    window_->showNormal();
    EXPECT_TRUE(TModalDriver::WaitUntil([this] { return driver_.Pending() == 0; }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(fixed);
    EXPECT_TRUE(window_->Leaving());
    EXPECT_TRUE(window_->isMinimized());

    AnswerLogin(Clerk, ClerkPassword);
    window_->showNormal();
    EXPECT_TRUE(TModalDriver::WaitUntil([this] { return driver_.Pending() == 0; }));
    QCoreApplication::processEvents();
    EXPECT_FALSE(window_->Leaving());
    EXPECT_FALSE(window_->isMinimized());
}

// Writes the pictures of the login window and of the main window after the
// login for the documentation when asked to.
TEST_F(MainFmTest, Screenshots) {
    if (!Screenshots::Wanted()) {
        GTEST_SKIP() << "VINTOR_SCREENSHOTS not set";
    }
    window_->SetChildAction<TDeskProbeFm>(QStringLiteral("aRental"));
    window_->resize(1024, 768);
    window_->show();
    session_->Settings.SetDefaultDb(example_);
    driver_.WhenShown<TLoginFm>([&](TLoginFm& login) {
        login.edCode->setCurrentIndex(login.edCode->findText(Clerk));
        login.edPassword->setText(ClerkPassword);
        Screenshots::Save(login.grab(), QStringLiteral("login.png"));
        login.btnOk->click();
    });
    ASSERT_TRUE(window_->Start());
    QCoreApplication::processEvents();
    Screenshots::Save(window_->grab(), QStringLiteral("main-window.png"));
}

} // namespace
