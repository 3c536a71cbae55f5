#include "tests/app/MainFmFixture.h"

#include "app/ExitFm.h"
#include "members/ui/LoginFm.h"
#include "storage/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

using Kind = TScriptedPrompter::Kind;

const QString MissingDirectory = QStringLiteral("备份目录不存在，请先选择备份目录!");

class ExitTest : public MainFmTest {
protected:
    void SetUp() override {
        MainFmTest::SetUp();
        backup_ = home_.Path(QStringLiteral("backup")) + u'/';
    }

    void StartWithExitKind(int kind) {
        session_->Settings.SetExitKind(kind);
        StartAs(Admin, QString());
        prompter_.Clear();
    }
    // A window that closed once stays closed: each exit needs a new one.
    void NewWindow() {
        window_ = std::make_unique<TMainFm>(*session_);
        window_->SetLogin(&TLoginFm::Login);
        prompter_.Clear();
    }
    QString BackupCopy() const { return backup_ + QStringLiteral("例子账本.mdb"); }
    bool ExitDialogAnswered(const std::function<void(TExitFm&)>& answer) {
        bool shown = false;
        driver_.WhenShown<TExitFm>([&](TExitFm& dialog) {
            shown = true;
            answer(dialog);
        });
        const bool closed = window_->close();
        EXPECT_TRUE(shown);
        return closed;
    }

    QString backup_;
};

TEST_F(ExitTest, BeforeAnyLoginTheWindowClosesWithoutAskingOrBackingUp) {
    session_->Settings.SetExitKind(TSettings::ExitAsk);
    EXPECT_TRUE(window_->close());
    EXPECT_TRUE(prompter_.Messages().isEmpty());
    EXPECT_EQ(driver_.Pending(), 0);
    EXPECT_TRUE(session_->Settings.DefaultDb().isEmpty());
}

TEST_F(ExitTest, ExitQuietlyAndUnknownKindsCloseWithoutABackup) {
    ASSERT_TRUE(QDir().mkpath(backup_));
    session_->Settings.SetBackupPath(backup_);
    for (const int kind : {int(TSettings::ExitQuietly), 7}) {
        NewWindow();
        StartWithExitKind(kind);
        EXPECT_TRUE(window_->close()) << kind;
        EXPECT_FALSE(QFileInfo::exists(BackupCopy())) << kind;
        EXPECT_TRUE(prompter_.Messages().isEmpty()) << kind;
        EXPECT_EQ(session_->Settings.DefaultDb(), example_);
    }
}

TEST_F(ExitTest, BackUpThenExitCopiesTheLedgerIntoTheBackupDirectory) {
    StartWithExitKind(TSettings::ExitBackUp);
    ASSERT_TRUE(QDir().mkpath(backup_));
    session_->Settings.SetBackupPath(backup_);
    EXPECT_TRUE(window_->close());
    EXPECT_TRUE(prompter_.Messages().isEmpty());
    EXPECT_TRUE(QFileInfo(BackupCopy()).size() > 0);
    EXPECT_TRUE(chooser_.Requests().isEmpty());
}

TEST_F(ExitTest, AMissingBackupDirectoryIsChosenAndStored) {
    StartWithExitKind(TSettings::ExitBackUp);
    session_->Settings.SetBackupPath(home_.Path(QStringLiteral("gone/")));
    const QString chosen = home_.Path(QStringLiteral("backup"));
    ASSERT_TRUE(QDir().mkpath(chosen));
    chooser_.QueueAnswer(chosen);
    EXPECT_TRUE(window_->close());
    EXPECT_EQ(prompter_.Texts(Kind::Warning), QStringList{MissingDirectory});
    EXPECT_EQ(session_->Settings.BackupPath(), chosen + u'/');
    EXPECT_TRUE(QFileInfo::exists(BackupCopy()));
}

TEST_F(ExitTest, ACancelledDirectoryChooserExitsWithoutACopy) {
    StartWithExitKind(TSettings::ExitBackUp);
    EXPECT_TRUE(window_->close());
    EXPECT_EQ(prompter_.Texts(Kind::Warning), QStringList{MissingDirectory});
    EXPECT_EQ(chooser_.Requests().size(), 1);
    EXPECT_TRUE(session_->Settings.BackupPath().isEmpty());
    EXPECT_EQ(session_->Settings.DefaultDb(), example_);
}

TEST_F(ExitTest, AskingStaysOnEscAndOnGivingUp) {
    StartWithExitKind(TSettings::ExitAsk);
    EXPECT_FALSE(ExitDialogAnswered([](TExitFm& dialog) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &escape);
    }));
    EXPECT_FALSE(ExitDialogAnswered([](TExitFm& dialog) { dialog.btnCancel->click(); }));
    EXPECT_TRUE(prompter_.Messages().isEmpty());
    EXPECT_TRUE(session_->Dm.DbBase.Connected());
}

TEST_F(ExitTest, AskingExitsWithOrWithoutABackup) {
    ASSERT_TRUE(QDir().mkpath(backup_));
    session_->Settings.SetBackupPath(backup_);
    StartWithExitKind(TSettings::ExitAsk);
    EXPECT_TRUE(ExitDialogAnswered([](TExitFm& dialog) { dialog.btnExit->click(); }));
    EXPECT_FALSE(QFileInfo::exists(BackupCopy()));

    NewWindow();
    StartWithExitKind(TSettings::ExitAsk);
    EXPECT_TRUE(ExitDialogAnswered([](TExitFm& dialog) { dialog.btnBackup->click(); }));
    EXPECT_TRUE(QFileInfo::exists(BackupCopy()));
}

TEST_F(ExitTest, BackupThenExitWithAMissingDirectoryWarnsAndStillExits) {
    StartWithExitKind(TSettings::ExitAsk);
    EXPECT_TRUE(ExitDialogAnswered([](TExitFm& dialog) { dialog.btnBackup->click(); }));
    EXPECT_EQ(prompter_.Texts(Kind::Warning), QStringList{MissingDirectory});
    EXPECT_EQ(chooser_.Requests().size(), 1);
}

TEST_F(ExitTest, TheExitDialogHasNoCloseBoxAndNamesTheProgram) {
    TExitFm dialog(window_.get());
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("退出选择"));
    EXPECT_TRUE(dialog.lbText->text().startsWith(
        QStringLiteral("    推荐您在退出Tolmar-didorivizo前备份账本")));
}

} // namespace
