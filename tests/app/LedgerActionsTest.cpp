#include "app/LedgerActions.h"
#include "app/CompactDbFm.h"
#include "app/ScriptedFileChooser.h"

#include "storage/ScriptedPrompter.h"
#include "storage/Settings.h"
#include "tests/app/ModalDriver.h"
#include "tests/app/ProgramHome.h"
#include "tests/support/LedgerFixture.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using Kind = TScriptedPrompter::Kind;

class LedgerActionsTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        TFileChooser::Install(&chooser_);
        ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("backup")));
        TSettings().SetBackupPath(Path(QStringLiteral("backup/")));
    }
    void TearDown() override {
        TFileChooser::Install(nullptr);
        LedgerTest::TearDown();
    }
    void AddBank(const QString& name) {
        dm_->ExecSql(QStringLiteral("INSERT INTO TbBank (Name) VALUES (\"%1\")").arg(name));
    }
    // The banks of another ledger file, read through a data module of its own.
    QString BanksOf(const QString& path) {
        TDM other;
        other.DbBase.SetDatabaseName(path);
        other.DbBase.Open();
        return other.SqlFieldText(QStringLiteral("SELECT Count(*) AS N FROM TbBank"),
                                  QStringLiteral("N"));
    }

    TProgramHome home_;
    TScriptedPrompter prompter_;
    TPrompterScope scope_{prompter_};
    TScriptedFileChooser chooser_;
};

TEST_F(LedgerActionsTest, BackupCopiesTheOpenLedgerWithItsLatestWork) {
    AddBank(QStringLiteral("工商银行"));
    const QString banks = Value(QStringLiteral("SELECT Count(*) AS V FROM TbBank"));
    const QString target = Path(QStringLiteral("backup/copy.mdb"));
    chooser_.QueueAnswer(target);

    LedgerActions::Backup(nullptr, ledger_);

    ASSERT_EQ(chooser_.Requests().size(), 1);
    const TScriptedFileChooser::Request& asked = chooser_.Requests().first();
    EXPECT_EQ(asked.kind, TScriptedFileChooser::Kind::Save);
    EXPECT_EQ(asked.title, QStringLiteral("当前账本备份到..."));
    EXPECT_EQ(asked.filter, QStringLiteral("账本文件 (*.mdb)|*.MDB"));
    EXPECT_EQ(asked.directory, Path(QStringLiteral("backup/")));
    EXPECT_EQ(asked.proposedName, QStringLiteral("test.mdb"));
    EXPECT_TRUE(prompter_.Messages().isEmpty());
    EXPECT_EQ(BanksOf(target), banks);
    // The ledger stays open and in use.
    AddBank(QStringLiteral("农业银行"));
}

TEST_F(LedgerActionsTest, BackupReportsWhatWentWrongInsteadOfKeepingQuiet) {
    chooser_.QueueAnswer(Path(QStringLiteral("missing/folder/copy.mdb")));
    LedgerActions::Backup(nullptr, ledger_);
    EXPECT_EQ(prompter_.Texts(Kind::Error).size(), 1);

    // The ledger itself as the target would replace the open file.
    prompter_.Clear();
    AddBank(QStringLiteral("工商银行"));
    chooser_.QueueAnswer(ledger_);
    LedgerActions::Backup(nullptr, ledger_);
    EXPECT_EQ(prompter_.Texts(Kind::Error).size(), 1);
    EXPECT_EQ(Count(QStringLiteral("TbBank"), QStringLiteral("Name=\"工商银行\"")), 1);

    // Cancelling the chooser does nothing at all.
    prompter_.Clear();
    LedgerActions::Backup(nullptr, ledger_);
    EXPECT_TRUE(prompter_.Messages().isEmpty());
}

TEST_F(LedgerActionsTest, RestoreCopiesALedgerBesideTheOpenOne) {
    const QString source = Path(QStringLiteral("backup/shop.mdb"));
    chooser_.QueueAnswer(source);
    LedgerActions::Backup(nullptr, ledger_);
    chooser_.QueueAnswer(source);

    LedgerActions::Restore(nullptr, ledger_);

    const TScriptedFileChooser::Request& asked = chooser_.Requests().last();
    EXPECT_EQ(asked.kind, TScriptedFileChooser::Kind::Open);
    EXPECT_EQ(asked.title, QStringLiteral("恢复账本文件..."));
    EXPECT_EQ(prompter_.Texts(Kind::Information),
              QStringList{QStringLiteral("账本恢复成功！请选择打开账本开始使用。")});
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("shop.mdb"))));
}

TEST_F(LedgerActionsTest, RestoreRefusesFilesThatAreNotLedgersAndTheOpenLedger) {
    QFile text(Path(QStringLiteral("backup/notes.mdb")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a ledger");
    text.close();
    chooser_.QueueAnswer(text.fileName());
    LedgerActions::Restore(nullptr, ledger_);
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("notes.mdb"))));

    // A backup named like the open ledger would overwrite it.
    chooser_.QueueAnswer(Path(QStringLiteral("backup/test.mdb")));
    LedgerActions::Backup(nullptr, ledger_);
    AddBank(QStringLiteral("工商银行"));
    chooser_.QueueAnswer(Path(QStringLiteral("backup/test.mdb")));
    LedgerActions::Restore(nullptr, ledger_);
    EXPECT_EQ(Count(QStringLiteral("TbBank"), QStringLiteral("Name=\"工商银行\"")), 1);

    EXPECT_EQ(prompter_.Texts(Kind::Error).size(), 2);
    EXPECT_TRUE(prompter_.Texts(Kind::Information).isEmpty());
}

TEST_F(LedgerActionsTest, CompactionTellsTheNewSizeAndLeavesTheLedgerUsable) {
    for (int i = 0; i < 200; ++i) {
        AddBank(QStringLiteral("银行%1").arg(i));
    }
    dm_->ExecSql(QStringLiteral("DELETE * FROM TbBank"));
    TCompactDbFm window(nullptr, *dm_);
    TModalDriver().Exec(window, [&] { window.btnOk->click(); });

    const QStringList told = prompter_.Texts(Kind::Information);
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told.first().startsWith(QStringLiteral("账本整理完成！目前账本大小为整理前的 ")))
        << told.first().toStdString();
    EXPECT_TRUE(window.btnOk->isEnabled());
    AddBank(QStringLiteral("工商银行"));
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 1);
}

} // namespace
