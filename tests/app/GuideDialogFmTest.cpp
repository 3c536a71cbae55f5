#include "app/GuideDialogFm.h"
#include "tests/app/UiTestHelpers.h"

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

    UiTestHelpers::WhenModal([&](QWidget*) { guide.btnOk->click(); });
    EXPECT_EQ(guide.Exec(), QDialog::Accepted);
    TSampleGuideFm cancelled;
    UiTestHelpers::WhenModal([&](QWidget*) { cancelled.btnCancel->click(); });
    EXPECT_EQ(cancelled.Exec(), QDialog::Rejected);
}
