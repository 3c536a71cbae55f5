#include "app/EnterFm.h"
#include "app/DialogFm.h"
#include "tests/app/ModalDriver.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A window of boxes, a multi-line note, a button and a check box, in tab order.
struct TFormFixture {
    TEnterFm form;
    QLineEdit* first = new QLineEdit(&form);
    QLineEdit* own = new QLineEdit(&form);
    QPlainTextEdit* note = new QPlainTextEdit(&form);
    QPushButton* button = new QPushButton(QStringLiteral("确定"), &form);
    QCheckBox* check = new QCheckBox(QStringLiteral("下次不要显示了。"), &form);
    QLineEdit* last = new QLineEdit(&form);

    TFormFixture() {
        auto* layout = new QVBoxLayout(&form);
        for (QWidget* w : std::initializer_list<QWidget*>{first, own, note, button, check, last}) {
            layout->addWidget(w);
        }
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }
};

} // namespace

TEST(EnterFmTest, EnterMovesTheFocusOnButButtonsAndOwnBoxesKeepIt) {
    TFormFixture f;
    f.first->setFocus();
    QTest::keyClick(f.first, Qt::Key_Return);
    EXPECT_TRUE(f.own->hasFocus());

    TEnterFm::KeepEnter(f.own);
    QTest::keyClick(f.own, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(f.own->hasFocus());

    f.note->setFocus();
    QTest::keyClick(f.note, Qt::Key_Return);
    EXPECT_TRUE(f.note->hasFocus());
    EXPECT_EQ(f.note->toPlainText(), QStringLiteral("\n"));

    int clicks = 0;
    QObject::connect(f.button, &QPushButton::clicked, [&] { ++clicks; });
    f.button->setFocus();
    QTest::keyClick(f.button, Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(f.button->hasFocus());

    // A check box is passed like a box, not ticked.
    f.check->setFocus();
    QTest::keyClick(f.check, Qt::Key_Return);
    EXPECT_FALSE(f.check->isChecked());
    EXPECT_TRUE(f.last->hasFocus());

    // Enter with Ctrl is not the Enter of the rule.
    f.first->setFocus();
    QTest::keyClick(f.first, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(f.first->hasFocus());
}

TEST(EnterFmTest, EnterInADialogMovesWithinTheDialogOnly) {
    TFormFixture f;
    f.first->setFocus();
    TDialogFm dialog(&f.form);
    auto* a = new QLineEdit(&dialog);
    auto* b = new QLineEdit(&dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(a);
    layout->addWidget(b);
    bool moved = false;
    TModalDriver driver;
    const int result = driver.Exec(dialog, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
        a->setFocus();
        QTest::keyClick(a, Qt::Key_Return);
        moved = b->hasFocus();
        dialog.Accept();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(moved);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(DialogFmTest, EscOrTheCloseBoxRejectsAndTheDialogIsCentredOnItsOwner) {
    TEnterFm owner;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();
    TDialogFm dialog(&owner);
    auto* edit = new QLineEdit(&dialog);
    new QVBoxLayout(&dialog);
    dialog.layout()->addWidget(edit);
    dialog.resize(300, 200);

    QPoint centre;
    TModalDriver driver;
    const int escaped = driver.Exec(dialog, [&] {
        centre = dialog.frameGeometry().center();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Escape);
    });
    EXPECT_EQ(escaped, QDialog::Rejected);
    EXPECT_EQ(centre, owner.frameGeometry().center());

    EXPECT_EQ(driver.Exec(dialog, [&] { dialog.close(); }), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
}
