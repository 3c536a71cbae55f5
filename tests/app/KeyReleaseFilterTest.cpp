#include "app/KeyReleaseFilter.h"
#include "app/ChildFm.h"
#include "app/DialogFm.h"
#include "tests/app/ModalDriver.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A working window that keeps every key release its hook is given and
// consumes F5 to F8, as the desks do.
class TRecordingChildFm : public TChildFm {
public:
    explicit TRecordingChildFm(QWidget* parent = nullptr)
        : TChildFm(parent), edit(new QLineEdit(this)) {
        new QVBoxLayout(this);
        layout()->addWidget(edit);
    }

    bool MessageHook(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            ++presses;
        }
        if (event->type() != QEvent::KeyRelease) {
            return false;
        }
        released << static_cast<QKeyEvent*>(event)->key();
        const int key = ReleasedFunctionKey(event);
        return key >= Qt::Key_F5 && key <= Qt::Key_F8;
    }

    QLineEdit* edit;
    QList<int> released;
    int presses = 0;
};

class KeyReleaseFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&host_);
        layout->addWidget(first_);
        layout->addWidget(second_);
        host_.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host_));
        first_->edit->setFocus();
        TKeyReleaseFilter::Instance().SetCurrent(first_);
    }
    void TearDown() override { TKeyReleaseFilter::Instance().SetCurrent(nullptr); }

    QWidget host_;
    TRecordingChildFm* first_ = new TRecordingChildFm(&host_);
    TRecordingChildFm* second_ = new TRecordingChildFm(&host_);
};

} // namespace

TEST_F(KeyReleaseFilterTest, TheCurrentWindowGetsEachKeyOnceWhereverTheFocusIsInItsWindow) {
    QTest::keyPress(first_->edit, Qt::Key_F6);
    EXPECT_TRUE(first_->released.isEmpty());
    EXPECT_EQ(first_->presses, 1);
    QTest::keyRelease(first_->edit, Qt::Key_F6);
    EXPECT_EQ(first_->released, QList<int>{Qt::Key_F6});

    // A key the hook leaves alone travels up the parents but is handed over
    // only once.
    QTest::keyClick(first_->edit, Qt::Key_F9);
    EXPECT_EQ(first_->released, QList<int>({Qt::Key_F6, Qt::Key_F9}));

    // The whole top-level window of the working window counts.
    second_->edit->setFocus();
    QTest::keyClick(second_->edit, Qt::Key_F7);
    EXPECT_EQ(first_->released.last(), Qt::Key_F7);
    EXPECT_TRUE(second_->released.isEmpty());

    // A held key repeats without acting again.
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_F6, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(second_->edit, &repeated);
    EXPECT_EQ(first_->released.size(), 3);
}

TEST_F(KeyReleaseFilterTest, OnlyTheCurrentWindowAndNotTheDialogsAboveIt) {
    TKeyReleaseFilter::Instance().SetCurrent(second_);
    QTest::keyClick(first_->edit, Qt::Key_F5);
    EXPECT_TRUE(first_->released.isEmpty());
    EXPECT_EQ(second_->released, QList<int>{Qt::Key_F5});

    TDialogFm dialog(&host_);
    auto* edit = new QLineEdit(&dialog);
    TModalDriver driver;
    driver.Exec(dialog, [&] {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_F6);
        dialog.Reject();
    });
    EXPECT_EQ(second_->released, QList<int>{Qt::Key_F5});

    delete second_;
    second_ = nullptr;
    EXPECT_EQ(TKeyReleaseFilter::Instance().Current(), nullptr);
    QTest::keyClick(first_->edit, Qt::Key_F5);
    EXPECT_TRUE(first_->released.isEmpty());
}
