#include "app/OpenDbFm.h"

#include "storage/ScriptedPrompter.h"
#include "storage/ledger/LedgerFiles.h"
#include "tests/app/ModalDriver.h"
#include "tests/app/ProgramHome.h"
#include "tests/app/Screenshots.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

class OpenDbFmTest : public ::testing::Test {
protected:
    void MakeLedger(const QString& name) {
        ASSERT_TRUE(LedgerFiles::Create(home_.DataDirectory(), name).Ok());
    }
    QStringList ListedNames(const TOpenDbFm& window) const {
        QStringList names;
        for (int row = 0; row < window.lbFiles->count(); ++row) {
            names << window.lbFiles->item(row)->text();
        }
        return names;
    }
    // Types `name` as a new ledger and presses "打开"; the dialog's result.
    // A refused name leaves the dialog open with the focus in the name box.
    int TryNewLedger(TOpenDbFm& window, const QString& name) {
        return TModalDriver().Exec(window, [&] {
            window.rbNew->click();
            window.edDbName->setText(name);
            window.btnOpen->click();
            if (window.isVisible()) {
                EXPECT_EQ(window.focusWidget(), window.edDbName);
            }
        });
    }

    TProgramHome home_;
    TScriptedPrompter prompter_;
    TPrompterScope scope_{prompter_};
};

TEST_F(OpenDbFmTest, RefusesEmptyBlankAndTakenNamesAndKeepsTheDialogOpen) {
    MakeLedger(QStringLiteral("老店"));
    const QStringList before = QDir(home_.DataDirectory()).entryList(QDir::Files);
    const QString badName = QStringLiteral("请输入账本名称,并且名称中不能包含空格字符。");

    for (const QString& name : {QString(), QStringLiteral("我的 店"), QStringLiteral(" ")}) {
        TOpenDbFm window(nullptr, home_.DataDirectory());
        EXPECT_EQ(TryNewLedger(window, name), QDialog::Rejected) << name.toStdString();
        EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Error), QStringList{badName});
        prompter_.Clear();
    }

    TOpenDbFm window(nullptr, home_.DataDirectory());
    EXPECT_EQ(TryNewLedger(window, QStringLiteral("老店")), QDialog::Rejected);
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Error),
              QStringList{QStringLiteral("已有同名的账本文件,请重新命名。")});
    EXPECT_EQ(QDir(home_.DataDirectory()).entryList(QDir::Files), before);
}

TEST_F(OpenDbFmTest, NewLedgerIsMadeFromTheTemplateAndReturned) {
    TOpenDbFm window(nullptr, home_.DataDirectory());
    ASSERT_EQ(TryNewLedger(window, QStringLiteral("新店")), QDialog::Accepted);
    EXPECT_TRUE(prompter_.Messages().isEmpty());
    EXPECT_EQ(window.LedgerPath(), home_.DataDirectory() + QStringLiteral("新店.mdb"));
    EXPECT_TRUE(QFile::exists(window.LedgerPath()));
    // The template it came from is in the data directory but never offered.
    EXPECT_TRUE(QFile::exists(home_.DataDirectory() + QStringLiteral("Blank")));
    TOpenDbFm again(nullptr, home_.DataDirectory());
    EXPECT_EQ(ListedNames(again), QStringList{QStringLiteral("新店")});
}

TEST_F(OpenDbFmTest, OpensTheLedgerChosenInTheList) {
    MakeLedger(QStringLiteral("a"));
    MakeLedger(QStringLiteral("b"));
    TOpenDbFm window(nullptr, home_.DataDirectory());
    EXPECT_EQ(ListedNames(window), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(window.lbFiles->currentRow(), 0);
    EXPECT_TRUE(window.rbOpen->isChecked());

    const int result = TModalDriver().Exec(window, [&] {
        window.lbFiles->setCurrentRow(1);
        window.btnOpen->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(window.LedgerPath(), home_.DataDirectory() + QStringLiteral("b.mdb"));
}

TEST_F(OpenDbFmTest, EnterOnALedgerChosenWithTheArrowKeysOpensIt) {
    MakeLedger(QStringLiteral("a"));
    MakeLedger(QStringLiteral("b"));
    TOpenDbFm window(nullptr, home_.DataDirectory());
    const int result = TModalDriver().Exec(window, [&] {
        // The name box was visited first: the list still opens what it shows.
        window.rbNew->click();
        window.lbFiles->setFocus();
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Return}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(window.lbFiles, &press);
        }
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(window.LedgerPath(), home_.DataDirectory() + QStringLiteral("b.mdb"));
    EXPECT_TRUE(prompter_.Messages().isEmpty());
}

TEST_F(OpenDbFmTest, EnteringTheNameBoxChoosesNewAndTheButtonsMoveTheFocus) {
    MakeLedger(QStringLiteral("a"));
    TOpenDbFm window(nullptr, home_.DataDirectory());
    TModalDriver().Exec(window, [&] {
        EXPECT_EQ(window.focusWidget(), window.lbFiles);
        QFocusEvent focusIn(QEvent::FocusIn);
        QCoreApplication::sendEvent(window.edDbName, &focusIn);
        EXPECT_TRUE(window.rbNew->isChecked());
        window.rbOpen->click();
        EXPECT_EQ(window.focusWidget(), window.lbFiles);
        window.rbNew->click();
        EXPECT_EQ(window.focusWidget(), window.edDbName);
    });
}

TEST_F(OpenDbFmTest, AnEmptyDataDirectoryOffersNothingToOpen) {
    TOpenDbFm window(nullptr, home_.DataDirectory());
    EXPECT_EQ(window.lbFiles->count(), 0);
    EXPECT_EQ(TModalDriver().Exec(window, [&] { window.btnOpen->click(); }), QDialog::Rejected);
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Warning).size(), 1);
}

TEST_F(OpenDbFmTest, ChooseLedgerGivesNothingWhenCancelled) {
    MakeLedger(QStringLiteral("a"));
    TModalDriver driver;
    driver.WhenShown<TOpenDbFm>([](TOpenDbFm& dialog) { dialog.btnCancel->click(); });
    EXPECT_EQ(ChooseLedger(nullptr), std::nullopt);
}

// Writes the dialog's picture for the documentation when asked to.
TEST_F(OpenDbFmTest, Screenshot) {
    if (!Screenshots::Wanted()) {
        GTEST_SKIP() << "VINTOR_SCREENSHOTS not set";
    }
    MakeLedger(QStringLiteral("例子账本"));
    MakeLedger(QStringLiteral("小王影碟店"));
    TOpenDbFm window(nullptr, home_.DataDirectory());
    TModalDriver().Exec(window,
                        [&] { Screenshots::Save(window.grab(), QStringLiteral("OpenDbFm.png")); });
}

} // namespace
