#include "app/DesktopFm.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

class TSampleDeskFm : public TDesktopFm {
public:
    TSampleDeskFm() { pnCenter->resize(500, 301); }
    QWidget* Panel() const { return pnCenter; }
};

} // namespace

TEST(DesktopFmTest, TheCentrePanelStaysCentredOnEveryResize) {
    TSampleDeskFm desk;
    desk.resize(1000, 700);
    desk.show();
    EXPECT_EQ(desk.Panel()->pos(), QPoint(250, 200));

    // 250.5 and 149.5 round to the even neighbour.
    desk.resize(1001, 600);
    EXPECT_EQ(desk.Panel()->pos(), QPoint(250, 150));

    // A window smaller than the panel keeps its middle on the panel's middle.
    desk.resize(300, 201);
    EXPECT_EQ(desk.Panel()->pos(), QPoint(-100, -50));
}
