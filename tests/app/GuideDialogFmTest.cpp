#include "app/GuideDialogFm.h"
#include "tests/app/ModalDriver.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class TSampleGuideFm : public TGuideDialogFm {
public:
    using TGuideDialogFm::btnCancel;
    using TGuideDialogFm::btnNext;
    using TGuideDialogFm::btnOk;
    using TGuideDialogFm::btnPrior;
    using TGuideDialogFm::lbText;
};

} // namespace

TEST(GuideDialogFmTest, PagingButtonsFollowThePageAndHideForASinglePage) {
    TSampleGuideFm guide;
    guide.AddPage(QStringLiteral("步骤一"), new QLabel(QStringLiteral("一")));
    EXPECT_TRUE(guide.btnPrior->isHidden());
    EXPECT_TRUE(guide.btnNext->isHidden());

    guide.AddPage(QStringLiteral("步骤二"), new QLabel(QStringLiteral("二")));
    guide.AddPage(QStringLiteral("步骤三"), new QLabel(QStringLiteral("三")));
    EXPECT_FALSE(guide.btnPrior->isHidden());
    EXPECT_EQ(guide.CurrentPage(), 0);
    EXPECT_FALSE(guide.btnPrior->isEnabled());
    EXPECT_TRUE(guide.btnNext->isEnabled());

    guide.btnNext->click();
    guide.btnNext->click();
    EXPECT_EQ(guide.CurrentPage(), 2);
    EXPECT_EQ(guide.lbText->text(), QStringLiteral("步骤三"));
    EXPECT_FALSE(guide.btnNext->isEnabled());
    guide.btnPrior->click();
    EXPECT_EQ(guide.CurrentPage(), 1);

    TModalDriver driver;
    EXPECT_EQ(driver.Exec(guide, [&] { guide.btnOk->click(); }), QDialog::Accepted);
    TSampleGuideFm cancelled;
    EXPECT_EQ(driver.Exec(cancelled, [&] { cancelled.btnCancel->click(); }), QDialog::Rejected);
}
