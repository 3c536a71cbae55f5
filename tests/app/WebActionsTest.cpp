#include "app/WebActions.h"

#include "storage/ScriptedPrompter.h"
#include "storage/ledger/ProgramPaths.h"
#include "tests/app/ProgramHome.h"
#include "tests/app/VersionServer.h"
#include "tests/support/LedgerFixture.h"

#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

namespace {

using Kind = TScriptedPrompter::Kind;

// Receives the pages the program asks the browser to open.
class TBrowser : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

class WebActionsTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser_, "Open");
    }
    void TearDown() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        LedgerTest::TearDown();
    }
    void PointAt(const QUrl& url) {
        QSettings(home_.ConfigFile(), QSettings::IniFormat)
            .setValue(QStringLiteral("VersionUrl"), url.toString());
    }

    TProgramHome home_;
    TScriptedPrompter prompter_;
    TPrompterScope scope_{prompter_};
    TBrowser browser_;
};

TEST_F(WebActionsTest, UpdateCheckComparesTheServersBuildWithTheOpenLedgers) {
    EXPECT_EQ(WebActions::VersionFileUrl(), WebActions::DefaultVersionFile);

    TVersionServer same("Build2.06");
    PointAt(same.Url());
    WebActions::CheckForUpdate(nullptr);
    EXPECT_EQ(prompter_.Texts(Kind::Information),
              QStringList{QStringLiteral("您已经使用的是最新版软件。")});

    TVersionServer newer("Build2.07");
    PointAt(newer.Url());
    prompter_.QueueAnswer(true);
    WebActions::CheckForUpdate(nullptr);
    EXPECT_EQ(browser_.opened, QList<QUrl>{WebActions::DownloadPage});

    PointAt(TVersionServer::UnreachableUrl());
    WebActions::CheckForUpdate(nullptr);
    EXPECT_EQ(prompter_.Texts(Kind::Warning).size(), 1);
    EXPECT_EQ(browser_.opened.size(), 1);
}

// The mail program gets the subject and a whole copy of the ledger, made
// after the latest work.
TEST_F(WebActionsTest, MailCarriesACopyOfTheLedgerWithItsLatestWork) {
    const QString record = Path(QStringLiteral("mail-args.txt"));
    QFile script(Path(QStringLiteral("xdg-email")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\n").arg(record).toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir_.path().toUtf8() + ':' + path);
    dm_->ExecSql(QStringLiteral("INSERT INTO TbBank (Name) VALUES (\"工商银行\")"));

    WebActions::SendLedgerByMail(nullptr, ledger_);
    qputenv("PATH", path);

    QFile arguments(record);
    const QDeadlineTimer deadline(5000);
    while (!arguments.exists() && !deadline.hasExpired()) {
        QThread::msleep(20);
    }
    QThread::msleep(50);
    ASSERT_TRUE(arguments.open(QIODevice::ReadOnly));
    const QStringList given = QString::fromUtf8(arguments.readAll()).trimmed().split(u'\n');
    ASSERT_EQ(given.size(), 4);
    EXPECT_EQ(given.mid(0, 3), (QStringList{QStringLiteral("--subject"), QStringLiteral("我的账本"),
                                            QStringLiteral("--attach")}));
    EXPECT_TRUE(given[3].endsWith(QStringLiteral("/test.mdb")));
    EXPECT_NE(given[3], ledger_);
    // Other users may not read the copy.
    EXPECT_EQ(QFileInfo(QFileInfo(given[3]).path()).dir().path(), ProgramPaths::RuntimeDirectory());
    EXPECT_FALSE(QFileInfo(ProgramPaths::RuntimeDirectory()).permissions() &
                 (QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup));
    TDM copy;
    copy.DbBase.SetDatabaseName(given[3]);
    EXPECT_EQ(copy.SqlFieldText(QStringLiteral("SELECT Count(*) AS N FROM TbBank WHERE "
                                               "Name=\"工商银行\""),
                                QStringLiteral("N")),
              QStringLiteral("1"));
    EXPECT_TRUE(prompter_.Messages().isEmpty());
}

TEST_F(WebActionsTest, WithoutAMailProgramOrABrowserTheOperatorIsToldAndNoCopyStays) {
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir_.path().toUtf8()); // neither a mail program nor a browser here
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    WebActions::SendLedgerByMail(nullptr, ledger_);
    WebActions::OpenHomePage();
    qputenv("PATH", path);

    const QStringList errors = prompter_.Texts(Kind::Error);
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("邮件程序")));
    EXPECT_TRUE(errors[1].contains(WebActions::HomePage.toString()));
    EXPECT_TRUE(errors[1].contains(QStringLiteral("浏览器")));
    EXPECT_FALSE(
        QFile::exists(ProgramPaths::RuntimeDirectory() + QStringLiteral("/vintor-mail/test.mdb")));
}

} // namespace

#include "WebActionsTest.moc"
