#include "app/kit/DateEdit.h"
#include "app/kit/DigitEdit.h"
#include "app/kit/MoneyEdit.h"
#include "storage/Clock.h"
#include "storage/InputChecks.h"
#include "storage/ScriptedPrompter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

using Kind = TScriptedPrompter::Kind;

// The entry fields in a shown, active window, so they take keys and focus.
class EntryFieldsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TClock::SetToday(QDate(2024, 6, 15));
        digits_ = new TDigitEdit(&window_);
        money_ = new TMoneyEdit(QStringLiteral("实收金额"), &window_);
        date_ = new TDateEdit(&window_);
        auto* layout = new QVBoxLayout(&window_);
        layout->addWidget(digits_);
        layout->addWidget(money_);
        layout->addWidget(date_);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }
    void TearDown() override { TClock::Release(); }

    TScriptedPrompter prompter_;
    TPrompterScope scope_{prompter_};
    QWidget window_;
    TDigitEdit* digits_ = nullptr;
    TMoneyEdit* money_ = nullptr;
    TDateEdit* date_ = nullptr;
};

TEST_F(EntryFieldsTest, TypingKeepsDigitsOnePointAndBackspaceOnly) {
    QTest::keyClicks(digits_, QStringLiteral("1a2.-3.4 "));
    // A character of the Chinese keyboard, as it arrives.
    QKeyEvent chinese(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("元"));
    QApplication::sendEvent(digits_, &chinese);
    EXPECT_EQ(digits_->text(), QStringLiteral("12.34"));
    QTest::keyClick(digits_, Qt::Key_Backspace);
    EXPECT_EQ(digits_->text(), QStringLiteral("12.3"));

    // Keys that type nothing keep working: Home, then a digit in front.
    QTest::keyClick(digits_, Qt::Key_Home);
    QTest::keyClicks(digits_, QStringLiteral("5"));
    EXPECT_EQ(digits_->text(), QStringLiteral("512.3"));
    EXPECT_TRUE(prompter_.Messages().isEmpty()) << "swallowed without a message";
}

TEST_F(EntryFieldsTest, TheSignIsTypedOnlyWhereTheFieldAllowsIt) {
    EXPECT_FALSE(digits_->SignAllowed());
    digits_->SetSignAllowed(true);
    QTest::keyClicks(digits_, QStringLiteral("-8.5x"));
    EXPECT_EQ(digits_->text(), QStringLiteral("-8.5"));
    QTest::keyClicks(money_, QStringLiteral("-1"));
    EXPECT_EQ(money_->text(), QStringLiteral("1"));
}

TEST_F(EntryFieldsTest, TheMoneyValueGoesThroughTheMoneyCheck) {
    money_->setText(QStringLiteral("12.5"));
    EXPECT_EQ(money_->Value(), Currency::FromRaw(125000));
    money_->SetValue(Currency::FromWhole(3));
    EXPECT_EQ(money_->text(), QStringLiteral("3.00"));
    EXPECT_TRUE(prompter_.Messages().isEmpty());

    // Pasted text is judged by the check: reported, kept, focus back in the box.
    digits_->setFocus();
    money_->setText(QStringLiteral("1.2.3"));
    EXPECT_EQ(money_->Value(), std::nullopt);
    EXPECT_EQ(money_->text(), QStringLiteral("1.2.3"));
    EXPECT_TRUE(money_->hasFocus());
    money_->setText(QStringLiteral("1.23456"));
    EXPECT_EQ(money_->Value(), std::nullopt);
    EXPECT_EQ(prompter_.Texts(Kind::Error),
              QStringList(2, QStringLiteral("“\"实收金额\"”输入不正确，请重新输入。")));
}

TEST_F(EntryFieldsTest, ZeroIsRefusedWhereTheFieldSaysSo) {
    money_->setText(QStringLiteral("0"));
    EXPECT_EQ(money_->Value(), Currency());
    money_->SetZeroAllowed(false);
    EXPECT_EQ(money_->Value(), std::nullopt);
    money_->SetCaption(QStringLiteral("价格"));
    EXPECT_EQ(money_->Value(), std::nullopt);
    EXPECT_EQ(prompter_.Texts(Kind::Error),
              QStringList({QStringLiteral("“\"实收金额\"”不能为零，请重新输入。"),
                           QStringLiteral("“\"价格\"”不能为零，请重新输入。")}));
}

TEST_F(EntryFieldsTest, TheDateShowsTheShortFormatAndStartsToday) {
    EXPECT_EQ(date_->date(), QDate(2024, 6, 15));
    EXPECT_EQ(date_->text(), QStringLiteral("2024-06-15"));
    date_->setDate(QDate(2004, 5, 8));
    EXPECT_EQ(date_->text(), QStringLiteral("2004-05-08"));
    EXPECT_TRUE(InputChecks::CheckDate(QStringLiteral("日期"), date_->text()));
    EXPECT_TRUE(prompter_.Messages().isEmpty());
}

TEST_F(EntryFieldsTest, ADateThatMayBeEmptyStartsBlankAndIsEmptiedByDelete) {
    date_->SetEmptyAllowed(true);
    EXPECT_TRUE(date_->IsEmpty());
    EXPECT_EQ(date_->EnteredDate(), QDate());
    EXPECT_EQ(date_->text().trimmed(), QString());

    // A digit starts on today's date with its year selected; typing goes on
    // section by section.
    date_->setFocus();
    QTest::keyClicks(date_, QStringLiteral("20040508"));
    EXPECT_EQ(date_->EnteredDate(), QDate(2004, 5, 8));
    date_->selectAll();
    QTest::keyClick(date_, Qt::Key_Delete);
    EXPECT_TRUE(date_->IsEmpty());
    // An arrow brings today's date.
    QTest::keyClick(date_, Qt::Key_Up);
    EXPECT_EQ(date_->EnteredDate(), QDate(2024, 6, 15));
    date_->SetEnteredDate(QDate());
    EXPECT_TRUE(date_->IsEmpty());

    // Without it the entry is never empty again.
    date_->SetEmptyAllowed(false);
    EXPECT_EQ(date_->EnteredDate(), QDate(2024, 6, 15));
    date_->SetEnteredDate(QDate());
    EXPECT_FALSE(date_->IsEmpty());
}

} // namespace
