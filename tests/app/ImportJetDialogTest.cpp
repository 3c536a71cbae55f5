#include "app/ImportJetFm.h"
#include "app/OpenDbFm.h"
#include "app/ScriptedFileChooser.h"
#include "storage/Clock.h"
#include "storage/ScriptedPrompter.h"
#include "storage/ledger/OlderLedgers.h"
#include "tests/app/ModalDriver.h"
#include "tests/app/ProgramHome.h"
#include "tests/app/Screenshots.h"
#include "tests/support/jet/JetWriter.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

class ImportJetDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        TClock::SetToday(QDate(2024, 6, 15));
        TFileChooser::Install(&chooser_);
    }
    void TearDown() override {
        TFileChooser::Install(nullptr);
        TClock::Release();
    }
    // A ledger of the Windows program, outside the data directory.
    QString OldLedger(const QString& name) {
        const QString older = home_.Path(QStringLiteral("older.sqlite"));
        OlderLedgers::Write(older, QStringLiteral("Build2.03"));
        const QString jet = home_.Path(name);
        EXPECT_TRUE(WriteJetLedger(older, jet, TJetFormat::Jet4).isEmpty());
        return jet;
    }
    QStringList Listed(const TOpenDbFm& window) const {
        QStringList names;
        for (int row = 0; row < window.lbFiles->count(); ++row) {
            names << window.lbFiles->item(row)->text();
        }
        return names;
    }

    TProgramHome home_;
    TScriptedPrompter prompter_;
    TPrompterScope scope_{prompter_};
    TScriptedFileChooser chooser_;
};

TEST_F(ImportJetDialogTest, TheImportedLedgerIsListedChosenAndOpens) {
    const QString jet = OldLedger(QStringLiteral("星光店.mdb"));
    chooser_.QueueAnswer(jet);
    TOpenDbFm window(nullptr, home_.DataDirectory());
    ASSERT_EQ(window.lbFiles->count(), 0);

    const int result = TModalDriver().Exec(window, [&] {
        window.rbNew->click(); // the import chooses the list again
        window.btnImport->click();
        EXPECT_EQ(Listed(window), QStringList{QStringLiteral("星光店")});
        EXPECT_EQ(window.lbFiles->currentRow(), 0);
        EXPECT_TRUE(window.rbOpen->isChecked());
        EXPECT_EQ(window.focusWidget(), window.lbFiles);
        window.btnOpen->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(window.LedgerPath(), home_.DataDirectory() + QStringLiteral("星光店.mdb"));
    ASSERT_EQ(chooser_.Requests().size(), 1);
    EXPECT_EQ(chooser_.Requests()[0].kind, TScriptedFileChooser::Kind::Open);
    EXPECT_EQ(chooser_.Requests()[0].title, QStringLiteral("导入旧版账本"));
    const QStringList notes = prompter_.Texts(TScriptedPrompter::Kind::Information);
    ASSERT_EQ(notes.size(), 1);
    EXPECT_TRUE(
        notes[0].startsWith(QStringLiteral("旧版账本已导入为账本“星光店”，可以打开使用了。")));
    EXPECT_TRUE(notes[0].contains(QStringLiteral("\nTbRTransaction\t7\n")));
}

TEST_F(ImportJetDialogTest, ACancelledChooserOrARefusalLeavesTheListAsItWas) {
    const QString jet = OldLedger(QStringLiteral("老店.mdb"));
    // The same name is taken in the data directory.
    ASSERT_TRUE(QFile::copy(jet, home_.DataDirectory() + QStringLiteral("老店.mdb")));
    chooser_.QueueAnswer(QString());
    chooser_.QueueAnswer(jet);
    TOpenDbFm window(nullptr, home_.DataDirectory());

    TModalDriver().Exec(window, [&] {
        window.btnImport->click();
        window.btnImport->click();
        window.btnCancel->click();
    });
    EXPECT_EQ(Listed(window), QStringList{QStringLiteral("老店")});
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Information), QStringList());
    const QStringList errors = prompter_.Texts(TScriptedPrompter::Kind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("已经存在，导入不会覆盖它")));
    EXPECT_EQ(QDir(home_.DataDirectory()).entryList(QDir::Files),
              (QStringList{QStringLiteral("Blank"), QStringLiteral("老店.mdb")}));
}

TEST_F(ImportJetDialogTest, TheBarFollowsTheRowsThenMovesDuringTheUpgrade) {
    TImportJetFm window(nullptr, home_.Path(QStringLiteral("星光店.mdb")));
    window.Copied(QStringLiteral("TbRTransaction"), 750, 1000);
    EXPECT_EQ(window.pbRows->value(), 750);
    EXPECT_EQ(window.lbText->text(),
              QStringLiteral("正在导入旧版账本“星光店.mdb”：TbRTransaction"));
    window.show();
    Screenshots::Save(window.grab(), QStringLiteral("ImportJetFm.png"));
    window.Show();
    EXPECT_EQ(window.pbRows->maximum(), 0); // busy: no end known
    EXPECT_EQ(window.lbText->text(), QStringLiteral("正在进行账本升级，请不要终止此过程..."));
}

} // namespace
