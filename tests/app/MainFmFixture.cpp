#include "tests/app/MainFmFixture.h"

void MainFmTest::StartAs(const QString& name, const QString& password) {
    session_->Settings.SetDefaultDb(example_);
    AnswerLogin(name, password);
    ASSERT_TRUE(window_->Start());
}
