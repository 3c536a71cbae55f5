#include "storage/dao/DM.h"
#include "tests/support/LedgerFixture.h"
#include "tests/support/VintorctlRun.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ReportCommand : public LedgerTest {
protected:
    TRun Report(QStringList args) {
        args.insert(1, ledger_);
        return RunVintorctl(QStringList{QStringLiteral("report")} + args);
    }
};

TEST_F(ReportCommand, PrintsTheRowsTabSeparatedAndFailsWithoutData) {
    dm_->ExecSql(QStringLiteral("INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,"
                                "AId3,Sum1,Sum2,Memo) VALUES (#2024-06-03#,2,0,1,1,0,0,0,20,"
                                "-2.5,\"\")"));
    TRun run = Report(
        {QStringLiteral("rent-month"), QStringLiteral("--today"), QStringLiteral("2024-06-15")});
    EXPECT_EQ(run.rc, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("TITLE\t影片月出租情况\t2024-01-01\t2024-12-31\n"
                                      "HEADER\t年月\t押金合计(元)\t租金合计(元)\n"
                                      "ROW\t2024-06\t20.00\t2.50\n"
                                      "SUMMARY\t合计\t￥20.00\t￥2.50\n"));

    run = Report({QStringLiteral("rent-detail"), QStringLiteral("--member"), QStringLiteral(""),
                  QStringLiteral("--from"), QStringLiteral("2024-06-01"), QStringLiteral("--to"),
                  QStringLiteral("2024-06-30")});
    EXPECT_EQ(run.rc, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("\nGROUP\t2024-06\nROW\t零租用户\t20.00\t2.50\n")))
        << run.out.toStdString();

    run = Report({QStringLiteral("rent-top"), QStringLiteral("--group"), QStringLiteral("--from"),
                  QStringLiteral("2024-06-01")});
    EXPECT_EQ(run.rc, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err, QStringLiteral("WARN: 没有数据！无法查看此报表。\n"));

    run =
        Report({QStringLiteral("rent-pie"), QStringLiteral("--to"), QStringLiteral("2024-13-01")});
    EXPECT_EQ(run.rc, 1);
    EXPECT_EQ(run.err, QStringLiteral("ERROR: “\"结束日期\"”日期输入不正确，请重新输入。\n"));

    // The same rows laid out on pages, as a PDF file; a file that cannot be
    // written is reported, not passed over.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("month.pdf"));
    run = Report({QStringLiteral("rent-month"), QStringLiteral("--today"),
                  QStringLiteral("2024-06-15"), QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(run.rc, 0) << run.err.toStdString();
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5).startsWith("%PDF-"));
    run = Report({QStringLiteral("rent-month"), QStringLiteral("--today"),
                  QStringLiteral("2024-06-15"), QStringLiteral("--pdf"),
                  dir.filePath(QStringLiteral("missing/month.pdf"))});
    EXPECT_EQ(run.rc, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("无法写入文件"))) << run.err.toStdString();
    run = Report({QStringLiteral("rent-nothing")});
    EXPECT_EQ(run.rc, 2);
}

} // namespace
