#include "rental/ui/PunishFm.h"

#include "app/QtPrompter.h"
#include "app/kit/MoneyEdit.h"
#include "storage/ScriptedPrompter.h"
#include "tests/app/ModalDriver.h"
#include "tests/app/Screenshots.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Kind = TScriptedPrompter::Kind;

// The desktop prompter with the penalty dialog, as start-up makes it; the
// check's messages go to a scripted prompter.
class PunishFmTest : public ::testing::Test {
protected:
    static TPenaltyRequest MoneyRequest() {
        return {QStringLiteral("[0001]王小姐"), QStringLiteral("2 天"),
                QStringLiteral("扣减金额："), QStringLiteral("2.00")};
    }
    std::optional<QString> Ask(const TPenaltyRequest& request,
                               const std::function<void(TPunishFm&)>& act) {
        driver_.WhenShown<TPunishFm>(act);
        return desk_.Penalty(request);
    }

    TScriptedPrompter prompter_;
    TPrompterScope scope_{prompter_};
    TQtPrompter desk_{&TPunishFm::Ask};
    TModalDriver driver_;
};

TEST_F(PunishFmTest, ShowsTheMemberTheDaysAndTheProposedDeduction) {
    TPunishFm dialog({QStringLiteral("[0002]李先生"), QStringLiteral("3 天"),
                      QStringLiteral("扣减部数："), QStringLiteral("3")});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("会员租借超期处罚"));
    EXPECT_EQ(dialog.lbCode->text(), QStringLiteral("[0002]李先生"));
    EXPECT_EQ(dialog.lbDays->text(), QStringLiteral("3 天"));
    EXPECT_EQ(dialog.lbText->text(), QStringLiteral("扣减部数："));
    EXPECT_EQ(dialog.edNum->text(), QStringLiteral("3"));
    EXPECT_EQ(dialog.edNum->Caption(), QStringLiteral("扣减部数："));
    EXPECT_EQ(dialog.btnSaveClose->text(), QStringLiteral("确定 &O"));
    EXPECT_EQ(dialog.btnClose->text(), QStringLiteral("取消 &C"));
}

TEST_F(PunishFmTest, TheTypedEntryComesBackWhenConfirmedWithEnter) {
    bool startedInTheEntry = false;
    const std::optional<QString> entry = Ask(MoneyRequest(), [&](TPunishFm& dialog) {
        startedInTheEntry = dialog.edNum->hasFocus();
        Screenshots::Save(dialog.grab(), QStringLiteral("PunishFm.png"));
        dialog.edNum->clear();
        QTest::keyClicks(dialog.edNum, QStringLiteral("1.5x"));
        QTest::keyClick(dialog.edNum, Qt::Key_Return);
        EXPECT_TRUE(dialog.btnSaveClose->hasFocus()) << "Enter moves on to the button";
        QTest::keyClick(dialog.btnSaveClose, Qt::Key_Return);
    });
    EXPECT_TRUE(startedInTheEntry);
    EXPECT_EQ(entry, QStringLiteral("1.5"));
    EXPECT_TRUE(prompter_.Messages().isEmpty());
}

TEST_F(PunishFmTest, EscOrCancelGivesNothing) {
    EXPECT_EQ(Ask(MoneyRequest(),
                  [](TPunishFm& dialog) { QTest::keyClick(dialog.edNum, Qt::Key_Escape); }),
              std::nullopt);
    EXPECT_EQ(Ask(MoneyRequest(), [](TPunishFm& dialog) { dialog.btnClose->click(); }),
              std::nullopt);
    EXPECT_TRUE(prompter_.Messages().isEmpty());
}

TEST_F(PunishFmTest, AMalformedEntryIsReportedAndTheDialogStaysOnIt) {
    bool stayed = false;
    const std::optional<QString> entry = Ask(MoneyRequest(), [&](TPunishFm& dialog) {
        dialog.edNum->setText(QStringLiteral("."));
        dialog.btnSaveClose->click();
        stayed = dialog.isVisible() && dialog.edNum->hasFocus() &&
                 dialog.edNum->text() == QStringLiteral(".");
        dialog.edNum->setText(QStringLiteral("0"));
        dialog.btnSaveClose->click();
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(prompter_.Texts(Kind::Error),
              QStringList{QStringLiteral("“\"扣减金额：\"”输入不正确，请重新输入。")});
    EXPECT_EQ(entry, QStringLiteral("0")) << "zero is allowed";
}

} // namespace
