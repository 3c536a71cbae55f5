#include "app/kit/KeyRules.h"

#include <gtest/gtest.h>

TEST(KeyRules, NumericBoxesTakeDigitsBackspaceAndOnePoint) {
    EXPECT_TRUE(KeyRules::DigitKeyFilter(QString(), u'7'));
    EXPECT_TRUE(KeyRules::DigitKeyFilter(QStringLiteral("12"), u'\b'));
    EXPECT_TRUE(KeyRules::DigitKeyFilter(QStringLiteral("12"), u'.'));
    EXPECT_FALSE(KeyRules::DigitKeyFilter(QStringLiteral("1.2"), u'.'));
    for (const QChar key : {QChar(u'a'), QChar(u'-'), QChar(u' '), QChar(u','), QChar(0xFF11)}) {
        EXPECT_FALSE(KeyRules::DigitKeyFilter(QStringLiteral("1"), key)) << int(key.unicode());
    }
}

TEST(KeyRules, ASignedBoxTakesOneMinus) {
    EXPECT_TRUE(KeyRules::DigitKeyFilter(QString(), u'-', true));
    EXPECT_TRUE(KeyRules::DigitKeyFilter(QStringLiteral("12"), u'-', true));
    EXPECT_FALSE(KeyRules::DigitKeyFilter(QStringLiteral("-12"), u'-', true));
    EXPECT_FALSE(KeyRules::DigitKeyFilter(QStringLiteral("12"), u'+', true));
}

TEST(KeyRules, EnterTwiceMovesOnAtTheSecondEnterAndAnyKeyThenClears) {
    using Step = KeyRules::TEnterTwiceStep;
    bool marked = false;
    EXPECT_EQ(KeyRules::EnterTwice(marked, Qt::Key_A), Step::PassOn);
    EXPECT_FALSE(marked);
    EXPECT_EQ(KeyRules::EnterTwice(marked, Qt::Key_Return), Step::PassOn);
    EXPECT_TRUE(marked);
    EXPECT_EQ(KeyRules::EnterTwice(marked, Qt::Key_Enter), Step::MoveFocus);
    EXPECT_TRUE(marked);
    // The Tab the window sends, and a Shift held for the next letter, leave the code in place.
    EXPECT_EQ(KeyRules::EnterTwice(marked, Qt::Key_Tab), Step::PassOn);
    EXPECT_EQ(KeyRules::EnterTwice(marked, Qt::Key_Shift), Step::PassOn);
    EXPECT_TRUE(marked);
    EXPECT_EQ(KeyRules::EnterTwice(marked, Qt::Key_0), Step::ClearBox);
    EXPECT_FALSE(marked);
    EXPECT_EQ(KeyRules::EnterTwice(marked, Qt::Key_1), Step::PassOn);
}
