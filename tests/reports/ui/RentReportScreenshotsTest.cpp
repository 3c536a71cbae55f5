#include "reports/ui/RentDetailFm.h"
#include "reports/ui/RentLateFm.h"
#include "reports/ui/RentMonthFm.h"
#include "reports/ui/SRentLateFm.h"

#include "tests/app/Screenshots.h"
#include "tests/reports/ui/ReportsFixture.h"

#include <QTest>

namespace {

// The pictures of the rental reports the other tests do not take: the detail
// list, the monthly totals, the late report and the overdue grid, on a few
// months of bills of the example ledger.
class RentReportScreenshots : public ReportsTest {
protected:
    void SetUp() override {
        ReportsTest::SetUp();
        if (!Screenshots::Wanted()) {
            GTEST_SKIP() << "pictures only with VINTOR_SCREENSHOTS=1";
        }
        LogIn(Admin);
        const char* const days[] = {"2024-03-09", "2024-04-02", "2024-04-20", "2024-05-11",
                                    "2024-05-30", "2024-06-01", "2024-06-08", "2024-06-12",
                                    "2024-06-12", "2024-06-15", "2024-06-15"};
        int title = 1;
        for (const char* day : days) {
            Bill(QString::fromLatin1(day), title % 3 == 0 ? 1 : 0, title);
            ++title;
        }
        Bill(QStringLiteral("2024-06-15"), 2, 13, 1, 1);
    }
    template <class T> void Take(T* report, const QString& file) {
        Host(report);
        window_->resize(1024, 700);
        if constexpr (requires { report->Refresh(); }) {
            report->Refresh();
        }
        QTest::qWait(50);
        Screenshots::Save(window_->grab(), file);
    }
};

TEST_F(RentReportScreenshots, DetailList) {
    Take(new TRentDetailFm, QStringLiteral("rent-detail.png"));
}

TEST_F(RentReportScreenshots, MonthlyTotals) {
    Take(new TRentMonthFm, QStringLiteral("rent-month.png"));
}

TEST_F(RentReportScreenshots, LateReport) {
    Take(new TRentLateFm, QStringLiteral("rent-late.png"));
}

TEST_F(RentReportScreenshots, OverdueGrid) {
    Take(new TSRentLateFm, QStringLiteral("rent-late-grid.png"));
}

} // namespace
