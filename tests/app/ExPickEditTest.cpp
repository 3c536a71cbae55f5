#include "app/ExPickEdit.h"
#include "app/EnterFm.h"
#include "app/PickEditSetup.h"
#include "storage/dao/Format.h"
#include "tests/app/Screenshots.h"
#include "tests/support/LedgerFixture.h"

#include <QInputMethodEvent>
#include <QListWidget>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

const QString RentCdSql = QStringLiteral("SELECT Id,Code,Name,Spell,Status FROM TbRentCd");

// A window with a title box and the box after it, over a ledger of titles.
class ExPickEditTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        auto* layout = new QVBoxLayout(&form_);
        layout->addWidget(edit_);
        layout->addWidget(next_);
        PickEditSetup::SetupPickEdit(RentCdSql, *edit_, true, true);
        form_.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
        edit_->setFocus();
    }

    int AddTitle(const QString& code, const QString& name, const QString& spell, int status = 1) {
        dm_->ExecSql(SqlFormat("INSERT INTO TbRentCd (Code,Name,Spell,Status) VALUES "
                               "(\"%s\",\"%s\",\"%s\",%d)",
                               {code, name, spell, status}));
        return Value(QStringLiteral("SELECT Max(Id) AS V FROM TbRentCd")).toInt();
    }

    // Types the text key by key; a Chinese character comes as the text of a
    // key without a key code, as an input method delivers it.
    void Type(const QString& text) {
        for (const QChar c : text) {
            if (c.unicode() < 128) {
                QTest::keyClick(edit_, c.toLatin1());
            } else {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                QApplication::sendEvent(edit_, &press);
            }
        }
        EXPECT_FALSE(edit_->ListVisible()) << "the list opened while typing";
    }

    QListWidget* List() const { return edit_->findChild<QListWidget*>(); }

    TEnterFm form_;
    TExPickEdit* edit_ = new TExPickEdit(&form_);
    QLineEdit* next_ = new QLineEdit(&form_);
    QSignalSpy changed_{edit_, &TExPickEdit::KeyChanged};
};

} // namespace

TEST_F(ExPickEditTest, OneHitIsTakenAtOnceAndASecondEnterMovesOn) {
    const int key =
        AddTitle(QStringLiteral("0001"), QStringLiteral("少林足球"), QStringLiteral("SLZQ"));
    AddTitle(QStringLiteral("0002"), QStringLiteral("大话西游"), QStringLiteral("DHXY"));
    EXPECT_EQ(edit_->DropDownRows(), 8);

    Type(QStringLiteral("slzq"));
    QTest::keyClick(edit_, Qt::Key_Return);
    EXPECT_FALSE(edit_->ListVisible());
    EXPECT_TRUE(edit_->hasFocus());
    EXPECT_EQ(edit_->text(), QStringLiteral("少林足球"));
    EXPECT_EQ(edit_->SelectedKey(), key);
    ASSERT_EQ(changed_.size(), 1);
    EXPECT_EQ(changed_.at(0).at(0).toInt(), key);

    QTest::keyClick(edit_, Qt::Key_Return);
    EXPECT_TRUE(next_->hasFocus());
    EXPECT_EQ(changed_.size(), 1);

    // A key typed after the confirmed entry starts a new one; the same row
    // confirmed again is told again.
    edit_->setFocus();
    Type(QStringLiteral("0"));
    EXPECT_EQ(edit_->text(), QStringLiteral("0"));
    Type(QStringLiteral("001"));
    QTest::keyClick(edit_, Qt::Key_Return);
    EXPECT_EQ(changed_.size(), 2);
    EXPECT_EQ(edit_->SelectedKey(), key);

    // So does text from an input method.
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("大"));
    QApplication::sendEvent(edit_, &composed);
    EXPECT_EQ(edit_->text(), QStringLiteral("大"));
}

TEST_F(ExPickEditTest, SeveralHitsOpenTheListAndTheChoiceIsTold) {
    AddTitle(QStringLiteral("0010"), QStringLiteral("英雄"), QStringLiteral("YX"));
    const int second =
        AddTitle(QStringLiteral("0011"), QStringLiteral("英雄本色"), QStringLiteral("YXBS"), 2);
    AddTitle(QStringLiteral("0020"), QStringLiteral("少林足球"), QStringLiteral("SLZQ"));

    Type(QStringLiteral("001"));
    QTest::keyClick(edit_, Qt::Key_Return);
    ASSERT_TRUE(edit_->ListVisible());
    EXPECT_EQ(List()->count(), 2);
    EXPECT_EQ(List()->currentRow(), 0);
    EXPECT_EQ(edit_->text(), QStringLiteral("001"));
    EXPECT_TRUE(changed_.isEmpty());

    {
        // The list is a pop-up window of its own: paint it over the form.
        const QPixmap form = form_.grab();
        const QPoint at = form_.mapFromGlobal(List()->pos());
        QPixmap both(qMax(form.width(), at.x() + List()->width()),
                     qMax(form.height(), at.y() + List()->height()));
        both.fill(Qt::white);
        QPainter painter(&both);
        painter.drawPixmap(0, 0, form);
        painter.drawPixmap(at, List()->grab());
        painter.end();
        Screenshots::Save(both, QStringLiteral("ExPickEdit.png"));
    }

    QTest::keyClick(List(), Qt::Key_Down);
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_FALSE(edit_->ListVisible());
    EXPECT_TRUE(edit_->hasFocus());
    EXPECT_EQ(edit_->text(), QStringLiteral("英雄本色"));
    EXPECT_EQ(edit_->SelectedKey(), second);
    ASSERT_EQ(changed_.size(), 1);
    EXPECT_EQ(changed_.at(0).at(0).toInt(), second);
}

TEST_F(ExPickEditTest, EscClosesTheListWithoutAChoice) {
    AddTitle(QStringLiteral("0010"), QStringLiteral("英雄"), QStringLiteral("YX"));
    AddTitle(QStringLiteral("0011"), QStringLiteral("英雄本色"), QStringLiteral("YXBS"));

    Type(QStringLiteral("英雄"));
    QTest::keyClick(edit_, Qt::Key_Return);
    ASSERT_TRUE(edit_->ListVisible());
    QTest::keyClick(List(), Qt::Key_Escape);
    EXPECT_FALSE(edit_->ListVisible());
    EXPECT_EQ(edit_->SelectedKey(), TPickSearch::NoKey);
    EXPECT_TRUE(changed_.isEmpty());
    EXPECT_TRUE(form_.isVisible());
}

TEST_F(ExPickEditTest, ACodeInABoxWithoutCodeColumnSelectsNothing) {
    PickEditSetup::SetupPickEdit(QStringLiteral("SELECT Id,Name,Spell FROM TbRentCd"), *edit_,
                                 false, false);
    AddTitle(QStringLiteral("0001"), QStringLiteral("少林足球"), QStringLiteral("SLZQ"));
    AddTitle(QStringLiteral("0002"), QStringLiteral("大话西游"), QStringLiteral("DHXY"));

    Type(QStringLiteral("0001"));
    QTest::keyClick(edit_, Qt::Key_Return);
    EXPECT_FALSE(edit_->ListVisible());
    EXPECT_EQ(edit_->SelectedKey(), TPickSearch::NoKey);
    EXPECT_EQ(edit_->text(), QStringLiteral("0001"));
    EXPECT_TRUE(changed_.isEmpty());
}
