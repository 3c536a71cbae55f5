#include "sales/ui/SearchBillFm.h"

#include "app/ExPickEdit.h"
#include "app/kit/DataGrid.h"
#include "app/kit/DateEdit.h"
#include "app/kit/DeskGrid.h"
#include "app/kit/GridFooter.h"
#include "app/kit/MoneyEdit.h"
#include "sales/ui/SaleFm.h"
#include "storage/Clock.h"
#include "tests/app/Screenshots.h"
#include "tests/app/SessionFixture.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace {

// Three sales on the example ledger: 45.00 (S0001 and S0002) on 2024-06-14,
// 48.00 (S0003) and 25.00 (S0001) on 2024-06-15.
class SearchBillFmTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        LogIn(Admin);
        auto* desk = new TSaleFm;
        Host(desk);
        TClock::SetToday(QDate(2024, 6, 14));
        Sell(*desk, {QStringLiteral("S0001"), QStringLiteral("S0002")});
        TClock::SetToday(QDate(2024, 6, 15));
        Sell(*desk, {QStringLiteral("S0003")});
        Sell(*desk, {QStringLiteral("S0001")});
    }
    static void Sell(TSaleFm& desk, const QStringList& codes) {
        for (const QString& code : codes) {
            QTest::keyClicks(desk.edCCode, code);
            QTest::keyClick(desk.edCCode, Qt::Key_Return);
        }
        desk.btnSale->click();
        desk.btnReStart->click();
    }
    static QStringList Column(QAbstractItemModel* model, int column) {
        QStringList cells;
        for (int row = 0; row < model->rowCount(); ++row) {
            cells << model->index(row, column).data().toString();
        }
        return cells;
    }
};

} // namespace

TEST_F(SearchBillFmTest, TodaysSalesAtFirstThenByDayAndAmount) {
    TSearchBillFm search;
    EXPECT_EQ(search.windowTitle(), QStringLiteral("查找销售单据"));
    EXPECT_EQ(search.edSum->text(), QStringLiteral("0.00"));
    EXPECT_EQ(Column(search.dgBill->model(), 2),
              (QStringList{QStringLiteral("48.00"), QStringLiteral("25.00")}));
    EXPECT_EQ(search.ftBill->Cell(0), QStringLiteral("总数：2"));
    // The first sale's lines are shown at once.
    EXPECT_EQ(Column(search.tlLines->model(), 1), QStringList{QStringLiteral("指环王")});
    EXPECT_EQ(search.ChosenSn(), QStringLiteral("3"));

    search.edDay->setDate(QDate(2024, 6, 1));
    search.btnSearch->click();
    EXPECT_EQ(search.ftBill->Cell(0), QStringLiteral("总数：3"));
    search.edSum->setText(QStringLiteral("45"));
    search.btnSearch->click();
    EXPECT_EQ(Column(search.dgBill->model(), 0), QStringList{QStringLiteral("2024-06-14")});
    EXPECT_EQ(Column(search.dgBill->model(), 1), QStringList{QStringLiteral("管理员")});
    EXPECT_EQ(Column(search.tlLines->model(), 0),
              (QStringList{QStringLiteral("S0001"), QStringLiteral("S0002")}));
    EXPECT_EQ(search.ftLines->Cell(2), QStringLiteral("总数：2"));
    EXPECT_EQ(search.ftLines->Cell(3), QStringLiteral("合计：45.00"));
    EXPECT_EQ(search.ChosenSn(), QStringLiteral("1"));
    Screenshots::Save(search.grab(), QStringLiteral("bill-search.png"));

    // An amount that is not one is refused and the list stays.
    search.edSum->setText(QStringLiteral("4x"));
    EXPECT_FALSE(search.Search());
    EXPECT_EQ(prompter_.AllTexts().size(), 1);
    EXPECT_EQ(search.ftBill->Cell(0), QStringLiteral("总数：1"));
}

TEST_F(SearchBillFmTest, EscReturnsNoBill) {
    QString found = QStringLiteral("untouched");
    driver_.WhenShown<TSearchBillFm>([](TSearchBillFm& search) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &search,
                        Qt::Key_Escape);
    });
    found = TSearchBillFm::Find(window_.get());
    EXPECT_TRUE(found.isEmpty());
}
