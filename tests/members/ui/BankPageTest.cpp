#include "members/ui/BankPage.h"
#include "app/kit/GridFooter.h"
#include "members/ui/AddBankFm.h"
#include "tests/app/Screenshots.h"
#include "tests/app/SessionFixture.h"

#include "app/KeyReleaseFilter.h"
#include <QLineEdit>

#include <QPushButton>
#include <QTest>

namespace {

void SaveAndClose(TAddBankFm& dialog) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("保存并关闭 &S")) {
            button->click();
        }
    }
}

class BankPageTest : public SessionTest {
protected:
    std::unique_ptr<TListWindow> host_;
    void SetUp() override {
        SessionTest::SetUp();
        LogIn(Admin);
        page_ = new TBankPage;
        // Shown on its own: the hosting main window would first ask for a ledger.
        host_ = std::make_unique<TListWindow>(page_);
        host_->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(host_.get()));
        TKeyReleaseFilter::Instance().SetCurrent(host_.get());
    }
    QString CurrentName() const {
        const QModelIndex current = page_->dgList->currentIndex();
        return current.sibling(current.row(), 0).data().toString();
    }
    TBankPage* page_ = nullptr;
};

} // namespace

TEST_F(BankPageTest, F5AddsABankAndTheSavedRowIsSelected) {
    EXPECT_EQ(page_->ftList->Cell(0), QStringLiteral("金融机构总数：2个"));
    driver_.WhenShown<TAddBankFm>([](TAddBankFm& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("新添/修改金融机构"));
        EXPECT_TRUE(dialog.edName->text().isEmpty());
        dialog.edName->setText(QStringLiteral("招商银行"));
        dialog.edMemo->setText(QStringLiteral("对公"));
        SaveAndClose(dialog);
    });
    QTest::keyClick(page_->dgList, Qt::Key_F5);
    EXPECT_EQ(CurrentName(), QStringLiteral("招商银行"));
    EXPECT_EQ(page_->ftList->Cell(0), QStringLiteral("金融机构总数：3个"));
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());
}

TEST_F(BankPageTest, ABlankNameIsRefusedAndEditShowsTheRow) {
    ASSERT_TRUE(page_->dgList->SelectId(2));
    driver_.WhenShown<TAddBankFm>([this](TAddBankFm& dialog) {
        EXPECT_EQ(dialog.edName->text(), QStringLiteral("中国建设银行"));
        dialog.edName->setText(QStringLiteral("  "));
        SaveAndClose(dialog);
        EXPECT_TRUE(dialog.isVisible()); // refused: stays open, nothing saved
        EXPECT_EQ(prompter_.AllTexts().size(), 1);
        dialog.edName->setText(QStringLiteral("建设银行"));
        SaveAndClose(dialog);
    });
    page_->btnEdit->click();
    EXPECT_EQ(CurrentName(), QStringLiteral("建设银行"));
    EXPECT_EQ(page_->dgList->SelectedId(), 2);
}

TEST_F(BankPageTest, DeleteAsksWithTheNameAndABankIsNeverRefused) {
    ASSERT_TRUE(page_->dgList->SelectId(1));
    prompter_.QueueAnswer(true);
    QTest::keyClick(page_->dgList, Qt::Key_F7);
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Question),
              QStringList{QStringLiteral("确实要删除 [\"中国工商银行\"]吗？")});
    EXPECT_EQ(page_->ftList->Cell(0), QStringLiteral("金融机构总数：1个"));
    Screenshots::Save(page_->window()->grab(), QStringLiteral("bank-page.png"));
}
