#include "app/QtPrompter.h"
#include "tests/app/ModalDriver.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct TSeenBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    QStringList buttons;
};

// Notes what the next box shows, then presses the button captioned `press`,
// or Esc when it is empty.
void Answer(TModalDriver& driver, TSeenBox& seen, const QString& press) {
    driver.WhenShown<QMessageBox>([&seen, press](QMessageBox& box) {
        seen.icon = box.icon();
        seen.text = box.text();
        for (QAbstractButton* button : box.buttons()) {
            seen.buttons << button->text();
            if (button->text() == press) {
                button->click();
            }
        }
        if (press.isEmpty()) {
            QTest::keyClick(&box, Qt::Key_Escape);
        }
    });
}

} // namespace

TEST(QtPrompterTest, WarningAndErrorShowTheirIconWithOneOkButton) {
    TQtPrompter prompter;
    TModalDriver driver;
    TSeenBox warning;
    Answer(driver, warning, QStringLiteral("确定"));
    prompter.Warning(QStringLiteral("此分类已经被使用，不能删除。"));
    EXPECT_EQ(warning.icon, QMessageBox::Warning);
    EXPECT_EQ(warning.text, QStringLiteral("此分类已经被使用，不能删除。"));
    EXPECT_EQ(warning.buttons, QStringList{QStringLiteral("确定")});

    TSeenBox error;
    Answer(driver, error, QStringLiteral("确定"));
    prompter.Error(QStringLiteral("“\"名称\"”输入不能为空，请输入。"));
    EXPECT_EQ(error.icon, QMessageBox::Critical);
    EXPECT_EQ(error.buttons, QStringList{QStringLiteral("确定")});
}

TEST(QtPrompterTest, QuestionsAnswerYesOnlyWhenYesIsPressed) {
    TQtPrompter prompter;
    TModalDriver driver;
    const QString text = QStringLiteral("确实要删除 [\"英雄\"]吗？");
    TSeenBox seen;
    Answer(driver, seen, QStringLiteral("是"));
    EXPECT_TRUE(prompter.Question(text));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.buttons, QStringList({QStringLiteral("是"), QStringLiteral("否")}));

    TSeenBox no;
    Answer(driver, no, QStringLiteral("否"));
    EXPECT_FALSE(prompter.Question(text));

    TSeenBox escaped;
    Answer(driver, escaped, QString());
    EXPECT_FALSE(prompter.Question(text));

    EXPECT_EQ(prompter.Penalty({}), std::nullopt);
}

TEST(QtPrompterTest, ThePenaltyRequestGoesToTheDialogStartUpGave) {
    QStringList asked;
    TQtPrompter prompter([&asked](const TPenaltyRequest& request) -> std::optional<QString> {
        asked << request.code << request.days << request.caption << request.proposed;
        return request.proposed == QStringLiteral("2") ? std::optional(QStringLiteral("1"))
                                                       : std::nullopt;
    });
    const TPenaltyRequest request{QStringLiteral("[0001]王小姐"), QStringLiteral("2 天"),
                                  QStringLiteral("扣减部数："), QStringLiteral("2")};
    EXPECT_EQ(prompter.Penalty(request), QStringLiteral("1"));
    EXPECT_EQ(asked, QStringList({QStringLiteral("[0001]王小姐"), QStringLiteral("2 天"),
                                  QStringLiteral("扣减部数："), QStringLiteral("2")}));
    EXPECT_EQ(prompter.Penalty({}), std::nullopt) << "what the dialog answers";
}
