#pragma once

#include "storage/dao/DM.h"
#include "tests/app/SessionFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <algorithm>

// The stock-in and title dialogs on the example ledger, as the administrator:
// suppliers "华夏音像批发部" and "东方影视发行公司", the cash box and a bank
// account, the fee standards "新片收费" and "连续剧收费"; rental titles
// 00001–00010 and 0001-1 … 0001-10, sale titles S0001–S0004 (S0001 with 5 in
// stock at a cost of 15.00).
class StockFmTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        LogIn(Admin);
    }

    // Types `text` over what the box holds and presses Enter, as the
    // operator does; the box must have the focus.
    static void Type(QWidget* box, const QString& text) {
        EXPECT_EQ(QApplication::focusWidget(), box) << box->objectName().toStdString();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        // Chinese comes from an input method, which hands the box whole words.
        auto* edit = qobject_cast<QLineEdit*>(box);
        const bool ascii =
            std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
        if (edit != nullptr && !ascii) {
            edit->insert(text);
        } else {
            QTest::keyClicks(box, text);
        }
        QTest::keyClick(box, Qt::Key_Return);
    }
    // The dialog's button of this caption ("保存并关闭 &S", ...).
    static QPushButton* Button(QWidget& dialog, const char* caption) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == QString::fromUtf8(caption)) {
                return button;
            }
        }
        ADD_FAILURE() << caption;
        return nullptr;
    }
    // Enter on the control with the focus.
    static void Enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
    static QStringList Column(const QTableView* grid, int column) {
        QStringList cells;
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            cells << grid->model()->index(row, column).data().toString();
        }
        return cells;
    }
    static int Count(const QString& table, const QString& where) {
        return TDM::Instance()
            .SqlFieldText(QStringLiteral("SELECT Count(*) AS N FROM %1 WHERE %2").arg(table, where),
                          QStringLiteral("N"))
            .toInt();
    }
    static QString Field(const QString& sql, const QString& column) {
        return TDM::Instance().SqlFieldText(sql, column);
    }
};
