#include "app/kit/ListWindow.h"
#include "app/Session.h"
#include "app/kit/GridFooter.h"
#include "storage/records/Fee.h"
#include "tests/app/SessionFixture.h"

#include <QPushButton>
#include <QTest>

namespace {

// The fee standards as a list that needs the settings permission (Op22) and
// deletes through TFee's guard: the example's "新片收费" is rented out.
class ListWindowTest : public SessionTest {
protected:
    TListPage* HostFees() {
        auto* page = new TListPage(&TSession::Current().Dm.DbBase);
        page->SetPermission(22);
        page->SetDeleter<TFee>();
        page->SetUp(QStringLiteral("dgFeeTest"),
                    {{QStringLiteral("收费标准名称"), QStringLiteral("Name")}},
                    QStringLiteral("SELECT * FROM TbFee"), QStringLiteral("收费标准总数：%1个"));
        Host(new TListWindow(page));
        return page;
    }
    static QStringList Names(TListPage& page) {
        QStringList names;
        for (int row = 0; row < page.dgList->model()->rowCount(); ++row) {
            names << page.dgList->model()->index(row, 0).data().toString();
        }
        return names;
    }
};

} // namespace

TEST_F(ListWindowTest, WithoutThePermissionTheButtonsAndTheirKeysDoNothing) {
    LogIn(Clerk, ClerkPassword);
    TListPage* page = HostFees();
    ASSERT_GT(page->dgList->SelectedId(), 0); // a row is current, yet
    EXPECT_FALSE(page->btnAdd->isEnabled());
    EXPECT_FALSE(page->btnDelete->isEnabled());
    QTest::keyClick(page->dgList, Qt::Key_F7);
    EXPECT_TRUE(prompter_.AllTexts().isEmpty()); // not even asked
    EXPECT_EQ(page->dgList->model()->rowCount(), 3);
}

TEST_F(ListWindowTest, F7AsksAndARowInUseIsRefusedWithTheSharedText) {
    LogIn(Admin);
    TListPage* page = HostFees();
    EXPECT_EQ(page->ftList->Cell(0), QStringLiteral("收费标准总数：3个"));
    const int row = int(Names(*page).indexOf(QStringLiteral("新片收费")));
    ASSERT_GE(row, 0);
    page->dgList->setCurrentIndex(page->dgList->model()->index(row, 0));
    const qint64 id = page->dgList->SelectedId();
    prompter_.QueueAnswer(true);
    QTest::keyClick(page->dgList, Qt::Key_F7);
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Question),
              QStringList{QStringLiteral("确实要删除 [\"新片收费\"]吗？")});
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Warning),
              QStringList{QStringLiteral("此收费标准已经被使用，不能删除。")});
    EXPECT_TRUE(Names(*page).contains(QStringLiteral("新片收费")));
    EXPECT_EQ(page->dgList->SelectedId(), id);
}

TEST_F(ListWindowTest, NoToTheQuestionKeepsTheRow) {
    LogIn(Admin);
    TListPage* page = HostFees();
    prompter_.QueueAnswer(false);
    page->btnDelete->click();
    EXPECT_TRUE(prompter_.Texts(TScriptedPrompter::Kind::Warning).isEmpty());
    EXPECT_EQ(page->dgList->model()->rowCount(), 3);
}
