#include "members/ui/OperatorPage.h"

#include "app/kit/GridFooter.h"
#include "members/ui/AddOperatorFm.h"
#include "tests/app/Screenshots.h"
#include "tests/app/SessionFixture.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

using Kind = TScriptedPrompter::Kind;

void Click(TAddOperatorFm& dialog, const QString& caption) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == caption) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << caption.toStdString();
}

const QString SaveNew = QStringLiteral("保存并新添 &N");
const QString SaveClose = QStringLiteral("保存并关闭 &S");

// The rows (from 0) whose permission is ticked.
QList<int> Ticked(const TAddOperatorFm& dialog) {
    QList<int> rows;
    for (int row = 0; row < dialog.dgOp->rowCount(); ++row) {
        if (dialog.dgOp->item(row, 0)->checkState() == Qt::Checked) {
            rows.append(row);
        }
    }
    return rows;
}

void Tick(TAddOperatorFm& dialog, int row, bool on) {
    dialog.dgOp->item(row, 0)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

class OperatorPageTest : public SessionTest {
protected:
    // The page in a list window hosted by the main window, as the settings
    // window hosts it.
    void Open(const QString& name, const QString& password = QString()) {
        LogIn(name, password);
        page_ = new TOperatorPage;
        Host(new TListWindow(page_));
    }
    QString Column(int id, const char* column) {
        return session_->Dm.SqlFieldText(
            QStringLiteral("SELECT %1 AS V FROM TbOperator WHERE Id=%2").arg(column).arg(id),
            QStringLiteral("V"));
    }
    int OperatorCount() {
        return session_->Dm
            .SqlFieldText(QStringLiteral("SELECT Count(*) AS V FROM TbOperator"),
                          QStringLiteral("V"))
            .toInt();
    }

    TOperatorPage* page_ = nullptr;
};

} // namespace

TEST_F(OperatorPageTest, ListsOperatorsWithAReadOnlyTickPerPermission) {
    Open(Admin);
    EXPECT_EQ(page_->dgList->model()->columnCount(), 24);
    EXPECT_EQ(page_->dgList->model()->headerData(2, Qt::Horizontal).toString(),
              QStringLiteral("撤销出租"));
    EXPECT_EQ(page_->ftList->Cell(0), QStringLiteral("操作员人数：2 人"));
    ASSERT_TRUE(page_->dgList->SelectId(2));
    const QModelIndex row = page_->dgList->currentIndex();
    EXPECT_EQ(row.sibling(row.row(), 2).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(row.sibling(row.row(), 5).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(page_->dgList->model()->flags(row.sibling(row.row(), 2)) & Qt::ItemIsEditable);
    Screenshots::Save(window_->grab(), QStringLiteral("operator-page.png"));
}

TEST_F(OperatorPageTest, TheAdministratorKeepsNameAndPermissionsAndMayChangeThePassword) {
    Open(Admin);
    const QString flags = Column(1, "Op1&Op5&Op22");
    ASSERT_TRUE(page_->dgList->SelectId(1));
    driver_.WhenShown<TAddOperatorFm>([](TAddOperatorFm& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("新添/修改操作员"));
        EXPECT_FALSE(dialog.edName->isEnabled());
        EXPECT_FALSE(dialog.dgOp->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), dialog.edPassword);
        EXPECT_EQ(dialog.edPassword->maxLength(), 8);
        dialog.edPassword->setText(QStringLiteral("Boss"));
        dialog.edRePassword->setText(QStringLiteral("Boss"));
        Screenshots::Save(dialog.grab(), QStringLiteral("operator-dialog-admin.png"));
        Click(dialog, SaveClose);
    });
    QTest::keyClick(page_->dgList, Qt::Key_F6);
    EXPECT_EQ(Column(1, "Name"), Admin);
    EXPECT_EQ(Column(1, "Password"), QStringLiteral("Boss"));
    EXPECT_EQ(Column(1, "Op1&Op5&Op22"), flags);
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());
}

TEST_F(OperatorPageTest, DeletingTheAdministratorOrAnOperatorWithMovementsIsRefused) {
    Open(Admin);
    session_->Dm.ExecSql(QStringLiteral(
        "INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,AId3,Sum1,Sum2,Memo) "
        "VALUES (#2024-06-15#,17,1,0,2,1,0,0,5,5,\"\")"));
    prompter_.SetDefaultAnswer(true);
    for (const int id : {1, 2}) {
        ASSERT_TRUE(page_->dgList->SelectId(id));
        page_->btnDelete->click();
    }
    EXPECT_EQ(prompter_.Texts(Kind::Warning),
              (QStringList{QStringLiteral("管理员不能删除。"),
                           QStringLiteral("此操作员已经参加过经营活动，不能删除。")}));
    EXPECT_EQ(OperatorCount(), 2);

    session_->Dm.ExecSql(QStringLiteral("DELETE * FROM TbFTransaction WHERE CId3=2"));
    ASSERT_TRUE(page_->dgList->SelectId(2));
    page_->btnDelete->click();
    EXPECT_EQ(OperatorCount(), 1);
    EXPECT_EQ(page_->ftList->Cell(0), QStringLiteral("操作员人数：1 人"));
}

TEST_F(OperatorPageTest, TicksOfTheSavedOperatorStartTheNextNewOne) {
    Open(Admin);
    driver_.WhenShown<TAddOperatorFm>([this](TAddOperatorFm& dialog) {
        EXPECT_EQ(dialog.dgOp->rowCount(), 23);
        EXPECT_EQ(dialog.dgOp->item(22, 1)->text(), QStringLiteral("账本管理"));
        EXPECT_TRUE(Ticked(dialog).isEmpty());
        EXPECT_EQ(QApplication::focusWidget(), dialog.edName);
        dialog.edName->setText(QStringLiteral("小李"));
        dialog.edPassword->setText(QStringLiteral("abc"));
        dialog.edRePassword->setText(QStringLiteral("abd"));
        Tick(dialog, 0, true);
        // Space ticks the row of the current cell, wherever in the row it is.
        dialog.dgOp->setFocus();
        dialog.dgOp->setCurrentCell(4, 1);
        QTest::keyClick(dialog.dgOp, Qt::Key_Space);
        Click(dialog, SaveNew);
        // Refused: the dialog keeps everything and the focus goes to the password.
        EXPECT_EQ(prompter_.Texts(Kind::Error),
                  QStringList{QStringLiteral("两次密码输入不相同，请重新输入密码")});
        EXPECT_EQ(QApplication::focusWidget(), dialog.edPassword);
        EXPECT_EQ(dialog.edName->text(), QStringLiteral("小李"));
        dialog.edRePassword->setText(QStringLiteral("abc"));
        Click(dialog, SaveNew);
        EXPECT_TRUE(dialog.edName->text().isEmpty());
        EXPECT_TRUE(dialog.edPassword->text().isEmpty());
        EXPECT_EQ(Ticked(dialog), (QList<int>{0, 4}));
        dialog.edName->setText(QStringLiteral("小赵"));
        Tick(dialog, 4, false);
        Click(dialog, SaveClose);
    });
    page_->btnAdd->click();
    EXPECT_EQ(OperatorCount(), 4);
    const int li =
        session_->Dm
            .SqlFieldText(QStringLiteral("SELECT Id AS V FROM TbOperator WHERE Name=\"小李\""),
                          QStringLiteral("V"))
            .toInt();
    EXPECT_EQ(Column(li, "Password"), QStringLiteral("abc"));
    EXPECT_EQ(Column(li, "Op1&Op5&Op6"), QStringLiteral("110"));
    EXPECT_EQ(Column(li + 1, "Op1&Op5&Op6"), QStringLiteral("100"));
    EXPECT_EQ(page_->dgList->SelectedId(), li + 1) << "the last saved row is selected";
}

TEST_F(OperatorPageTest, EditingOnesOwnPermissionsChangesTheMenuAtOnce) {
    Open(Clerk, ClerkPassword);
    QAction* reports = window_->Menu(QStringLiteral("mReport"))->menuAction();
    EXPECT_FALSE(reports->isEnabled());
    ASSERT_TRUE(page_->dgList->SelectId(2));
    driver_.WhenShown<TAddOperatorFm>([](TAddOperatorFm& dialog) {
        EXPECT_EQ(dialog.edName->text(), QStringLiteral("小王"));
        EXPECT_EQ(dialog.edRePassword->text(), QStringLiteral("1234"));
        EXPECT_EQ(Ticked(dialog), (QList<int>{0, 1, 2, 3, 12, 13, 16}));
        Tick(dialog, 20, true); // "查看统计分析报表"
        Click(dialog, SaveClose);
    });
    page_->btnEdit->click();
    EXPECT_TRUE(session_->Operator.Has(21));
    EXPECT_TRUE(reports->isEnabled());
}
