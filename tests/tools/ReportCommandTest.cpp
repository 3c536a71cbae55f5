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

TEST_F(ReportCommand, SaleReportsPrintSoldLinesOnlyAndDrawTheirPages) {
    dm_->ExecSql(
        QStringLiteral("INSERT INTO TbSaleCd (Id,Code,Name,Spell,Day,Alias1,Alias2,CId,"
                       "Director,Player,Number1,Number2,Cost,Price,Memo) VALUES (1,\"S1\","
                       "\"红高粱\",\"\",#2024-01-01#,\"\",\"\",1,\"\",\"\",5,5,10,20,\"\")"));
    // Two sets at 8.5 tenths, and a refunded line that never counts.
    for (const char* line : {"#2024-06-03#,1,6,1,8.5,2,20,1", "#2024-06-04#,1,7,2,0,1,20,2"}) {
        dm_->ExecSql(QStringLiteral("INSERT INTO TbSTransaction (Day,CId1,CId2,FId,Discount,"
                                    "[Number],Price,Sn) VALUES (%1)")
                         .arg(QLatin1String(line)));
    }
    TRun run = Report({QStringLiteral("sale-top"), QStringLiteral("--group"),
                       QStringLiteral("--today"), QStringLiteral("2024-06-15")});
    EXPECT_EQ(run.rc, 0) << run.err.toStdString();
    EXPECT_EQ(run.out,
              QStringLiteral("TITLE\t影片销售排行榜\t2024-06-01\t2024-06-30\n"
                             "HEADER\t排名\t影片编号\t影片名称\t总销售数量(套)\t金额合计(元)\n"
                             "GROUP\t电影\n"
                             "ROW\t1\tS1\t红高粱\t2\t34.00\n"
                             "FOOTER\t小计\t2\t￥34.00\n"
                             "SUMMARY\t合计\t2\t￥34.00\n"));

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("detail.pdf"));
    run = Report({QStringLiteral("sale-detail"), QStringLiteral("--today"),
                  QStringLiteral("2024-06-15"), QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(run.rc, 0) << run.err.toStdString();
    EXPECT_TRUE(
        run.out.startsWith(QStringLiteral("TITLE\t影片销售明细表\t2024-01-01\t2024-12-31\n")))
        << run.out.toStdString();
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5).startsWith("%PDF-"));

    run =
        Report({QStringLiteral("sale-pie"), QStringLiteral("--from"), QStringLiteral("2024-06-04"),
                QStringLiteral("--to"), QStringLiteral("2024-06-04")});
    EXPECT_EQ(run.rc, 1);
    EXPECT_EQ(run.err, QStringLiteral("WARN: 没有数据！无法查看此报表。\n"));
}

TEST_F(ReportCommand, OverviewPrintsEachFigureOnceAndMarksTheRedOnes) {
    // A walk-in disc out on a deposit of 20.00, a refund of 5.00 to a member
    // and a stock-in of 100.00: a loss of 85.00.
    dm_->ExecSql(QStringLiteral("INSERT INTO TbFTransaction (Id,Day,CId1,Flag,CId2,CId3,AId1,"
                                "AId2,AId3,Sum1,Sum2,Memo) VALUES (1,#2024-06-03#,2,0,0,1,1,0,0,"
                                "20,0,\"\")"));
    dm_->ExecSql(QStringLiteral("INSERT INTO TbRentCd (Id,Code,Name,Spell,Day,Alias1,Alias2,CId,"
                                "FId,Status,Director,Player,[Number],Price,Power,Memo) VALUES (1,"
                                "\"R1\",\"影片\",\"\",#2024-01-01#,\"\",\"\",1,1,2,\"\",\"\",1,20,"
                                "1,\"\")"));
    dm_->ExecSql(QStringLiteral("INSERT INTO TbRTransaction (Day1,Day2,AId,CId1,FId,Deposit,Rent,"
                                "Sn,CId2) VALUES (#2024-06-03#,#2024-06-03#,0,1,1,20,0,1,2)"));
    dm_->ExecSql(QStringLiteral("INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,"
                                "AId3,Sum1,Sum2,Memo) VALUES (#2024-06-04#,12,1,0,1,1,1,1,5,-5,"
                                "\"\")"));
    dm_->ExecSql(QStringLiteral("INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,"
                                "AId3,Sum1,Sum2,Memo) VALUES (#2024-06-05#,21,0,1,1,1,0,0,-100,0,"
                                "\"\")"));
    TRun run =
        Report({QStringLiteral("overview"), QStringLiteral("--from"), QStringLiteral("2024-06-01"),
                QStringLiteral("--to"), QStringLiteral("2024-06-30")});
    EXPECT_EQ(run.rc, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 34) << run.out.toStdString(); // the title, 32 figures, the profit
    EXPECT_EQ(lines[0], QStringLiteral("TITLE\t经营情况一览表\t2024-06-01\t2024-06-30"));
    EXPECT_EQ(lines[1], QStringLiteral("ROW\t押金(元)\t零租押金：\t20.00"));
    EXPECT_TRUE(lines.contains(QStringLiteral("ROW\t进货(元)\t出租进货：\t100.00")));
    EXPECT_TRUE(lines.contains(QStringLiteral("ROW\t会费/押金(元)\t会员退费：\t-5.00\t-")));
    EXPECT_TRUE(lines.contains(QStringLiteral("ROW\t出租(部)\t零租出租：\t1")));
    EXPECT_EQ(lines.last(), QStringLiteral("SUMMARY\t当前盈亏：\t85.00\t-"));

    // An empty period prints zeros and is no failure.
    run = Report(
        {QStringLiteral("overview"), QStringLiteral("--today"), QStringLiteral("2023-01-01")});
    EXPECT_EQ(run.rc, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("TITLE\t经营情况一览表\t2023-01-01\t2023-01-01\n"
                                                  "ROW\t押金(元)\t零租押金：\t0.00\n")));
    EXPECT_TRUE(run.out.endsWith(QStringLiteral("SUMMARY\t当前盈亏：\t0.00\n")));
}

} // namespace
