#include "members/OperatorEdits.h"

#include "members/BackupFolder.h"
#include "storage/ScriptedPrompter.h"
#include "storage/Settings.h"
#include "storage/records/Operator.h"
#include "tests/support/LedgerFixture.h"

#include <QDir>

namespace {

using Kind = TScriptedPrompter::Kind;

class OperatorEditsTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        dm_->ExecSql(
            QStringLiteral("INSERT INTO TbOperator (Name,Password) VALUES (\"小王\",\"1\")"));
    }
    OperatorEdits::TEntry Entry(const char* name, const char* password, const char* rePassword) {
        OperatorEdits::TEntry entry;
        entry.name = QString::fromUtf8(name);
        entry.password = QString::fromUtf8(password);
        entry.rePassword = QString::fromUtf8(rePassword);
        return entry;
    }

    TScriptedPrompter prompter_;
    TPrompterScope scope_{prompter_};
};

} // namespace

TEST_F(OperatorEditsTest, ChecksStopAtTheFirstFaultAndNameItsField) {
    struct Case {
        const char* name;
        const char* password;
        const char* rePassword;
        const char* field; // "" when accepted
        const char* message;
    } const cases[] = {
        {"  ", "a", "b", "edName", "“\"姓名\"”输入不能为空，请输入。"},
        {"小王", "", "", "edName", "“\"小王\"”名称已经存在，请重新输入。"},
        {"小李", "", "x", "edPassword", "“\"密码\"”输入不能为空，请输入。"},
        {"小李", "x", "", "edRePassword", "“\"重复输入密码\"”输入不能为空，请输入。"},
        {"小李", "abc", "ABC", "edPassword", "两次密码输入不相同，请重新输入密码"},
        {"小李", "ab c", "abc", "edPassword", "两次密码输入不相同，请重新输入密码"},
        {"小李", " ", "", "edPassword", "两次密码输入不相同，请重新输入密码"},
        {"小李", "", "", "", ""},
        {"小李", "密码1", "密码1", "", ""},
    };
    for (const Case& c : cases) {
        prompter_.Clear();
        const TChecked checked = OperatorEdits::Check(-1, Entry(c.name, c.password, c.rePassword));
        SCOPED_TRACE(c.name + std::string(" / ") + c.password + " / " + c.rePassword);
        if (*c.field == '\0') {
            EXPECT_FALSE(checked.has_value());
            EXPECT_TRUE(prompter_.AllTexts().isEmpty());
            continue;
        }
        ASSERT_TRUE(checked.has_value());
        EXPECT_EQ(checked->field, QString::fromUtf8(c.field));
        EXPECT_EQ(prompter_.Texts(Kind::Error), QStringList{QString::fromUtf8(c.message)});
    }
}

TEST_F(OperatorEditsTest, AnOperatorMayKeepItsOwnName) {
    TOperator clerk;
    ASSERT_TRUE(clerk.LoadById(2));
    EXPECT_FALSE(OperatorEdits::Check(2, OperatorEdits::EntryOf(clerk)).has_value());
}

TEST_F(OperatorEditsTest, StoreWritesNameFlagsAndPasswordButTheAdministratorKeepsNameAndFlags) {
    dm_->ExecSql(QStringLiteral("UPDATE TbOperator SET Op5=2,Op30=1 WHERE Id=2"));
    TOperator clerk;
    ASSERT_TRUE(clerk.LoadById(2));
    OperatorEdits::TEntry entry = OperatorEdits::EntryOf(clerk);
    EXPECT_FALSE(entry.ticks[5]) << "only 1 grants a permission";
    entry.name = QStringLiteral("小张");
    entry.password = entry.rePassword = QStringLiteral("Pw");
    entry.ticks[3] = true;
    OperatorEdits::Store(entry, clerk);
    ASSERT_TRUE(clerk.Save());
    const auto column = [this](const char* name) {
        return Value(QStringLiteral("SELECT %1 AS V FROM TbOperator WHERE Id=2").arg(name));
    };
    EXPECT_EQ(column("Name"), QStringLiteral("小张"));
    EXPECT_EQ(column("Password"), QStringLiteral("Pw"));
    EXPECT_EQ(column("Op3"), QStringLiteral("1"));
    EXPECT_EQ(column("Op5"), QStringLiteral("0")) << "rewritten as 0";
    EXPECT_EQ(column("Op30"), QStringLiteral("1")) << "flags past 23 keep their value";

    TOperator admin;
    ASSERT_TRUE(admin.LoadById(1));
    const OperatorEdits::TEntry before = OperatorEdits::EntryOf(admin);
    OperatorEdits::TEntry changed = before;
    changed.name = QStringLiteral("别人");
    changed.password = changed.rePassword = QStringLiteral("new");
    for (bool& tick : changed.ticks) {
        tick = !tick;
    }
    OperatorEdits::Store(changed, admin);
    ASSERT_TRUE(admin.Save());
    admin.LoadById(1);
    const OperatorEdits::TEntry after = OperatorEdits::EntryOf(admin);
    EXPECT_EQ(after.name, before.name);
    EXPECT_EQ(after.ticks, before.ticks);
    EXPECT_EQ(after.password, QStringLiteral("new"));
}

TEST_F(OperatorEditsTest, BackupFolderIsKeptWithItsSeparatorAndMustTakeAFile) {
    EXPECT_EQ(TSettings::AsFolder(QStringLiteral("/media/usb")), QStringLiteral("/media/usb/"));
    EXPECT_EQ(TSettings::AsFolder(QStringLiteral("/media/usb/")), QStringLiteral("/media/usb/"));
    EXPECT_EQ(TSettings::AsFolder(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(TSettings::AsFolder(QString()), QString());

    EXPECT_TRUE(BackupFolder::Check(QString()));
    EXPECT_TRUE(BackupFolder::Check(dir_.path()));
    EXPECT_TRUE(BackupFolder::Check(dir_.path() + u'/'));
    EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::Files).filter(QStringLiteral(".tmp")).isEmpty())
        << "the probe file is removed";
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());

    EXPECT_FALSE(BackupFolder::Check(Path(QStringLiteral("gone/"))));
    EXPECT_FALSE(BackupFolder::Check(ledger_)) << "a file is no folder";
    EXPECT_FALSE(BackupFolder::Check(QStringLiteral("/proc/"))) << "takes no file, even for root";
    const QStringList errors = prompter_.Texts(Kind::Error);
    ASSERT_EQ(errors.size(), 3);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("不存在")));
    EXPECT_TRUE(errors[2].contains(QStringLiteral("不能写入")));
}
