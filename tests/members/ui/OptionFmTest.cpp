#include "members/ui/OptionFm.h"

#include "app/kit/DigitEdit.h"
#include "app/kit/GridFooter.h"
#include "app/kit/ListWindow.h"
#include "app/kit/TreePage.h"
#include "members/ui/AddAtorTypeFm.h"
#include "members/ui/AddCategoryFm.h"
#include "members/ui/AddCdCategoryFm.h"
#include "members/ui/AddFeeFm.h"
#include "members/ui/ParentCombo.h"
#include "tests/app/Screenshots.h"
#include "tests/app/SessionFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

namespace {

using Kind = TScriptedPrompter::Kind;

void Click(QWidget& dialog, const QString& caption) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == caption) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no button " << caption.toStdString();
}

void SaveAndClose(QWidget& dialog) {
    Click(dialog, QStringLiteral("保存并关闭 &S"));
}

// Chinese text arrives from the input method, committed as a whole.
void Type(QWidget* box, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
}

QList<int> ParentIds(const QComboBox& parents) {
    QList<int> ids;
    for (int i = 0; i < parents.count(); ++i) {
        ids.append(parents.itemData(i).toInt());
    }
    return ids;
}

class OptionFmTest : public SessionTest {
protected:
    void Open(const QString& name = Admin, const QString& password = QString()) {
        LogIn(name, password);
        option_ = new TOptionFm;
        Host(option_);
    }
    // Brings a page to the front and releases a function key on it.
    void Press(int key) { QTest::keyClick(option_->pcOption->currentWidget(), Qt::Key(key)); }
    template <class TPage> TPage* Page(TOptionFm::TPage index) {
        option_->pcOption->setCurrentIndex(index);
        return qobject_cast<TPage*>(option_->pcOption->currentWidget());
    }
    QString Column(const QString& sql) {
        return session_->Dm.SqlFieldText(sql, QStringLiteral("V"));
    }

    TOptionFm* option_ = nullptr;
};

} // namespace

TEST_F(OptionFmTest, OnlyTheAdministratorSeesTheOperatorsPageAndTheOthersKeepTheirPlaces) {
    Open(Clerk, ClerkPassword);
    QTabWidget* tabs = option_->pcOption;
    EXPECT_EQ(option_->windowTitle(), QStringLiteral("系统设置"));
    ASSERT_EQ(tabs->count(), 11);
    EXPECT_FALSE(tabs->isTabVisible(TOptionFm::OperatorPage));
    EXPECT_EQ(tabs->tabText(TOptionFm::OperatorPage), QStringLiteral("操作员管理"));
    EXPECT_EQ(tabs->tabText(TOptionFm::ShopPage), QStringLiteral("店铺信息"));
    EXPECT_EQ(tabs->tabText(TOptionFm::ExitPage), QStringLiteral("退出/备份"));
    EXPECT_EQ(tabs->currentIndex(), TOptionFm::AtorTypePage);
}

TEST_F(OptionFmTest, EveryDialogRefusesABlankNameAndKeepsTheFocusOnIt) {
    Open();
    EXPECT_TRUE(option_->pcOption->isTabVisible(TOptionFm::OperatorPage));
    struct Case {
        TOptionFm::TPage page;
        const char* title;
        const char* field;
        const char* caption;
    };
    const Case cases[] = {
        {TOptionFm::AtorTypePage, "新添/修改会员类型", "edName1", "会员类型名称"},
        {TOptionFm::CdCategoryPage, "新添/修改影片分类", "edName", "分类名称"},
        {TOptionFm::CategoryPage, "新添/修改收支分类", "edName", "收支分类名称"},
        {TOptionFm::FeePage, "新添/修改收费标准", "edName", "收费标准名称"},
        {TOptionFm::PlayerPage, "新添/修改演员/导演", "edName", "姓名"},
        {TOptionFm::CompanyPage, "新添/修改供应商", "edName", "供应商名称"},
    };
    for (const Case& c : cases) {
        option_->pcOption->setCurrentIndex(c.page);
        prompter_.Clear();
        bool shown = false;
        driver_.WhenShown<TEditDialogFm>([&](TEditDialogFm& dialog) {
            shown = true;
            EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.title));
            SaveAndClose(dialog);
            EXPECT_TRUE(dialog.isVisible());
            ASSERT_NE(QApplication::focusWidget(), nullptr);
            EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(c.field));
        });
        Press(Qt::Key_F5);
        EXPECT_TRUE(shown) << c.title;
        EXPECT_EQ(prompter_.Texts(Kind::Error),
                  QStringList{QStringLiteral("“\"%1\"”输入不能为空，请输入。")
                                  .arg(QString::fromUtf8(c.caption))});
    }
}

TEST_F(OptionFmTest, AFeeStandardTakesHalfUnitsOnly) {
    Open();
    auto* page = Page<TListPage>(TOptionFm::FeePage);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->ftList->Cell(0), QStringLiteral("收费标准总数：3 个"));
    driver_.WhenShown<TAddFeeFm>([this](TAddFeeFm& dialog) {
        EXPECT_EQ(dialog.edDeposit1->text(), QStringLiteral("10"));
        EXPECT_EQ(dialog.edNumber2->text(), QStringLiteral("1"));
        dialog.edName->setText(QStringLiteral("半部收费"));
        dialog.edRent1->setText(QStringLiteral("1.5"));
        for (const char* units : {"1.3", "0"}) {
            dialog.edNumber1->setText(QLatin1String(units));
            SaveAndClose(dialog);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(QApplication::focusWidget(), dialog.edNumber1);
        }
        EXPECT_EQ(prompter_.Texts(Kind::Error),
                  (QStringList{QStringLiteral("“\"零租单位部数\"”输入不正确，应该为0.5的倍数。"
                                              "请重新输入。"),
                               QStringLiteral("“\"零租单位部数\"”不能为零，请重新输入。")}));
        dialog.edNumber1->setText(QStringLiteral("1.5"));
        SaveAndClose(dialog);
    });
    Press(Qt::Key_F5);
    EXPECT_EQ(page->ftList->Cell(0), QStringLiteral("收费标准总数：4 个"));
    const QModelIndex current = page->dgList->currentIndex();
    EXPECT_EQ(current.sibling(current.row(), 0).data().toString(), QStringLiteral("半部收费"));
    EXPECT_EQ(current.sibling(current.row(), 2).data().toString(), QStringLiteral("1.5"));
    EXPECT_EQ(current.sibling(current.row(), 3).data().toString(), QStringLiteral("1.50"));

    // Shown again in its formats.
    driver_.WhenShown<TAddFeeFm>([](TAddFeeFm& dialog) {
        EXPECT_EQ(dialog.edName->text(), QStringLiteral("半部收费"));
        EXPECT_EQ(dialog.edNumber1->text(), QStringLiteral("1.5"));
        EXPECT_EQ(dialog.edDeposit2->text(), QStringLiteral("10.00"));
        EXPECT_EQ(dialog.edDays2->text(), QStringLiteral("1"));
    });
    Press(Qt::Key_F6);
    Screenshots::Save(option_->window()->grab(), QStringLiteral("settings-fee-page.png"));
}

TEST_F(OptionFmTest, AFeeStandardInUseIsNotDeleted) {
    Open();
    auto* page = Page<TListPage>(TOptionFm::FeePage);
    const int used = Column(QStringLiteral("SELECT Min(FId) AS V FROM TbRentCd")).toInt();
    ASSERT_TRUE(page->dgList->SelectId(used));
    prompter_.QueueAnswer(true);
    Press(Qt::Key_F7);
    EXPECT_EQ(prompter_.Texts(Kind::Warning),
              QStringList{QStringLiteral("此收费标准已经被使用，不能删除。")});
    EXPECT_EQ(page->ftList->Cell(0), QStringLiteral("收费标准总数：3 个"));
}

TEST_F(OptionFmTest, TheSecondMemberTypePageStoresPrepaidRentWithoutQuotas) {
    Open();
    auto* page = Page<TListPage>(TOptionFm::AtorTypePage);
    const int types = page->dgList->model()->rowCount();
    driver_.WhenShown<TAddAtorTypeFm>([](TAddAtorTypeFm& dialog) {
        EXPECT_EQ(dialog.edT_Sum->text(), QStringLiteral("0.00"));
        Type(dialog.edName1, QStringLiteral("预存卡"));
        dialog.edT_Day->setText(QStringLiteral("30"));
        dialog.edT_Sum->setText(QStringLiteral("50"));
        dialog.edT_Num->setText(QStringLiteral("10"));
        dialog.cbFee->setCurrentIndex(3);
        dialog.pcType->setCurrentIndex(1);
        EXPECT_EQ(dialog.edName2->text(), QStringLiteral("预存卡")); // typed once, on both pages
        Type(dialog.edMemo2, QStringLiteral("先交钱"));
        EXPECT_EQ(dialog.edMemo1->text(), QStringLiteral("先交钱"));
        dialog.edDays2->clear();
        QTest::keyClicks(dialog.edDays2, QStringLiteral("4"));
        EXPECT_EQ(dialog.edDays1->text(), QStringLiteral("4"));
        dialog.cbPunish2->setCurrentIndex(1);
        Screenshots::Save(dialog.grab(), QStringLiteral("settings-member-type.png"));
        SaveAndClose(dialog);
    });
    Press(Qt::Key_F5);
    EXPECT_EQ(page->dgList->model()->rowCount(), types + 1);
    EXPECT_EQ(
        Column(QStringLiteral("SELECT Fee&\"|\"&T_Day&\"|\"&T_Sum&\"|\"&T_Num&\"|\"&Days&\"|\""
                              "&Punish&\"|\"&Memo AS V FROM TbAtorType WHERE "
                              "Name=\"预存卡\"")),
        QStringLiteral("5|0|0|0|4|3|先交钱"));
    const QModelIndex current = page->dgList->currentIndex();
    EXPECT_EQ(current.sibling(current.row(), 5).data().toString(),
              QStringLiteral("预收租金，租金从押金扣"));

    // Edited again, it opens on the second page.
    driver_.WhenShown<TAddAtorTypeFm>([](TAddAtorTypeFm& dialog) {
        EXPECT_EQ(dialog.pcType->currentIndex(), 1);
        EXPECT_EQ(dialog.edName2->text(), QStringLiteral("预存卡"));
        EXPECT_EQ(dialog.cbPunish2->currentIndex(), 1);
        EXPECT_EQ(QApplication::focusWidget(), dialog.edName2);
    });
    Press(Qt::Key_F6);
}

TEST_F(OptionFmTest, ANewTopLevelCategoryIsOfferedAsParentAtOnce) {
    Open();
    auto* page = Page<TTreePage>(TOptionFm::CdCategoryPage);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->lbFooter->text(), QStringLiteral("分类总数：10 种"));
    driver_.WhenShown<TAddCdCategoryFm>([](TAddCdCategoryFm& dialog) {
        EXPECT_EQ(dialog.cbSubId->currentText(), QStringLiteral("无从属分类"));
        dialog.edName->setText(QStringLiteral("纪录片"));
        Click(dialog, QStringLiteral("保存并新添 &N"));
        EXPECT_TRUE(dialog.edName->text().isEmpty());
        EXPECT_GE(dialog.cbSubId->findText(QStringLiteral("纪录片")), 0);
        dialog.edName->setText(QStringLiteral("自然"));
        dialog.cbSubId->setCurrentIndex(dialog.cbSubId->findText(QStringLiteral("纪录片")));
        SaveAndClose(dialog);
    });
    Press(Qt::Key_F5);
    const QModelIndex child = page->tvList->currentIndex();
    EXPECT_EQ(child.data().toString(), QStringLiteral("自然"));
    EXPECT_EQ(child.parent().data().toString(), QStringLiteral("纪录片"));
    EXPECT_TRUE(page->tvList->isExpanded(child.parent()));
    EXPECT_EQ(page->lbFooter->text(), QStringLiteral("分类总数：12 种"));
    Screenshots::Save(option_->window()->grab(), QStringLiteral("settings-disc-categories.png"));

    // Edited, a category does not offer itself as its parent.
    driver_.WhenShown<TAddCdCategoryFm>([this](TAddCdCategoryFm& dialog) {
        const int film = Column(QStringLiteral("SELECT Id AS V FROM TbCdCategory WHERE "
                                               "Name=\"纪录片\""))
                             .toInt();
        EXPECT_EQ(dialog.cbSubId->currentData().toInt(), film);
        dialog.cbSubId->setCurrentIndex(0);
        SaveAndClose(dialog);
    });
    Press(Qt::Key_F6);
    EXPECT_FALSE(page->tvList->currentIndex().parent().isValid()); // now at the top
    const int own = int(page->SelectedId());
    driver_.WhenShown<TAddCdCategoryFm>([own](TAddCdCategoryFm& dialog) {
        EXPECT_FALSE(ParentIds(*dialog.cbSubId).contains(own));
    });
    Press(Qt::Key_F6);
}

TEST_F(OptionFmTest, AnIncomeCategoryRefusesItsOwnChildAsParent) {
    Open();
    auto* page = Page<TTreePage>(TOptionFm::CategoryPage);
    session_->Dm.ExecSql(QStringLiteral("INSERT INTO TbCategory (Name,Spell,SubId,Flag,Memo) "
                                        "VALUES (\"利息\",\"LX\",26,5,\"\")"));
    const int interest = Column(QStringLiteral("SELECT Max(Id) AS V FROM TbCategory")).toInt();
    page->Reload();
    ASSERT_TRUE(page->SelectId(26));
    driver_.WhenShown<TAddCategoryFm>([&](TAddCategoryFm& dialog) {
        EXPECT_EQ(dialog.edName->text(), QStringLiteral("其他收入"));
        EXPECT_EQ(dialog.cbFlag->currentText(), QStringLiteral("日常收入"));
        const QList<int> offered = ParentIds(*dialog.cbSubId);
        EXPECT_FALSE(offered.contains(26));
        EXPECT_FALSE(offered.contains(interest));
        EXPECT_TRUE(offered.contains(27));
        // A list read before the child was hung there: the save still refuses it.
        dialog.cbSubId->addItem(QStringLiteral("利息"), interest);
        dialog.cbSubId->setCurrentIndex(dialog.cbSubId->count() - 1);
        SaveAndClose(dialog);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), dialog.cbSubId);
    });
    Press(Qt::Key_F6);
    EXPECT_EQ(
        prompter_.Texts(Kind::Error),
        QStringList{QStringLiteral("不能把此分类下的从属分类选为它的“所属分类”，请重新选择。")});
    EXPECT_EQ(Column(QStringLiteral("SELECT SubId AS V FROM TbCategory WHERE Id=26")),
              QStringLiteral("0"));
}

TEST_F(OptionFmTest, ASystemCategoryIsNeitherEditedNorDeleted) {
    Open();
    auto* page = Page<TTreePage>(TOptionFm::CategoryPage);
    ASSERT_TRUE(page->SelectId(1));
    EXPECT_EQ(page->tvList->currentIndex().sibling(page->tvList->currentIndex().row(), 1).data(),
              QStringLiteral("系统业务"));
    bool opened = false;
    driver_.WhenShown<TAddCategoryFm>([&](TAddCategoryFm&) { opened = true; });
    Press(Qt::Key_F6);
    prompter_.QueueAnswer(true);
    Press(Qt::Key_F7);
    EXPECT_FALSE(opened);
    EXPECT_EQ(prompter_.Texts(Kind::Warning),
              (QStringList{QStringLiteral("系统业务分类不能修改。"),
                           QStringLiteral("系统业务分类不能删除。")}));
    EXPECT_EQ(page->SelectedId(), 1);
}
