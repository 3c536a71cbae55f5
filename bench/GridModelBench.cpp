#include "bench/GridModelBench.h"

#include "bench/Measurement.h"
#include "bench/QueryPlan.h"
#include "storage/dao/DM.h"
#include "storage/grid/GridData.h"

#include <QElapsedTimer>

#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace GridModelBench {

namespace {

constexpr int ScreenRows = 40;
constexpr int Runs = 5;
constexpr int RareAccount = 37;

using Measurement::Print;

// The movement list of an account as the funds window shows it; the cash box
// (1) holds nearly all of them.
std::unique_ptr<TGridData> AccountList(TDM& dm, int account) {
    auto grid = std::make_unique<TGridData>(&dm.DbBase);
    grid->SetColumns(
        {{QStringLiteral("日期"), QStringLiteral("Day"), TCellKind::Date},
         {QStringLiteral("收支分类"), QStringLiteral("BName"), TCellKind::Text,
          QStringLiteral("B.Name")},
         {QStringLiteral("经手人"), QStringLiteral("CName"), TCellKind::Text,
          QStringLiteral("C.Name")},
         {QStringLiteral("金额"), QStringLiteral("Sum"), TCellKind::Money,
          QStringLiteral("A.Sum1")},
         {QStringLiteral("说明"), QStringLiteral("Memo"), TCellKind::Text, {}, false}});
    grid->SetSql(
        QStringLiteral("SELECT A.*,B.Id AS CId,IIF(A.Flag=0,IIF(A.AId1=1,IIF(A.CId1=1,ABS(A.Sum2),"
                       "A.Sum1),-A.Sum1),-A.Sum1) AS Sum,B.Name AS BName,C.Name AS CName,"
                       "IIF(A.Flag=0,IIF(A.AId1=1,A.AId2,A.AId1),A.AId1) AS AId FROM "
                       "(TbFTransaction AS A LEFT JOIN TbCategory AS B ON A.CId1=B.Id) LEFT JOIN "
                       "TbOperator AS C ON C.Id=A.CId3"),
        QStringLiteral("A.AId1=%1 OR A.AId2=%1").arg(account), QStringLiteral("A.Id"));
    grid->SetSummedColumns({3});
    return grid;
}

// The rows a screen shows from `first` on, of those the list knows (the first
// page until it is counted), as the grid's model does.
void ShowScreen(TGridData& grid, int first) {
    for (int row = first; row < std::min(first + ScreenRows, grid.KnownRows()); ++row) {
        for (int column = 0; column < grid.ColumnCount(); ++column) {
            grid.Text(row, column);
        }
    }
}

// Every row read into pages, in order, every value taken.
void ReadAll(TGridData& grid) {
    for (int row = 0; row < grid.RowCount(); ++row) {
        for (int column = 0; column < grid.ColumnCount(); ++column) {
            grid.Value(row, column);
        }
    }
}

// The same statement stepped through the C API, every column read as the
// engine gives it.
void StepRaw(TDM& dm, const QString& jetSql) {
    const QByteArray sql = dm.DbBase.Translate(jetSql).statements.front().toUtf8();
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(dm.DbBase.Handle(), sql.constData(), int(sql.size()), &statement, nullptr);
    const int columns = sqlite3_column_count(statement);
    qint64 sink = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int column = 0; column < columns; ++column) {
            switch (sqlite3_column_type(statement, column)) {
            case SQLITE_INTEGER:
                sink += sqlite3_column_int64(statement, column);
                break;
            case SQLITE_FLOAT:
                sink += qint64(sqlite3_column_double(statement, column));
                break;
            case SQLITE_TEXT:
                sink += sqlite3_column_bytes(statement, column);
                sink += *sqlite3_column_text(statement, column);
                break;
            default:
                break;
            }
        }
    }
    sqlite3_finalize(statement);
    if (sink == 42) {
        Print(QStringLiteral("."));
    }
}

void Figure(const QString& name, const Measurement::TFigure& figure) {
    Print(Measurement::Line(name, figure));
}

} // namespace

QString ReadBy(bool byOrder) {
    return byOrder ? QStringLiteral("along the order")
                   : QStringLiteral("by the condition's indexes");
}

void PrintPlan(TDM& dm, const QString& name, const QString& jetSql) {
    Print(QStringLiteral("      plan of %1:").arg(name));
    for (const QString& step : QueryPlan::Explain(dm.DbBase, jetSql)) {
        Print(QStringLiteral("        ") + step);
    }
}

void Run(TDM& dm) {
    Print(QStringLiteral("\nlist grid over the cash box's movements:"));
    const double rssBefore = Measurement::StatusMb("VmRSS");
    Figure(QStringLiteral("grid: first screen (first page, 40 rows shown)"),
           Measurement::Time(Runs, [&](int) {
               auto grid = AccountList(dm, 1);
               grid->Reload();
               ShowScreen(*grid, 0);
           }));
    auto grid = AccountList(dm, 1);
    grid->Reload();
    const TQueryRows& rows = grid->Rows();
    Print(QStringLiteral("      first page read %1").arg(ReadBy(rows.FirstPageByOrder())));
    PrintPlan(dm, QStringLiteral("the first page"), rows.FirstPageSql());
    PrintPlan(dm, QStringLiteral("the count"), rows.CountSql());
    PrintPlan(dm, QStringLiteral("a page by its keys"), rows.PageSql());
    std::vector<std::unique_ptr<TGridData>> shown; // one per run and the warm-up
    for (int n = 0; n <= Runs; ++n) {
        shown.push_back(AccountList(dm, 1));
        shown.back()->Reload();
    }
    size_t next = 0;
    Figure(QStringLiteral("grid: count + sum after the first screen"),
           Measurement::Time(Runs, [&](int) { shown[next++]->Count(); }));
    Print(QStringLiteral("      rows listed: %1 (counted %2), sum %3")
              .arg(grid->RowCount())
              .arg(ReadBy(rows.CountedByOrder()), grid->Sum(3).ToPlainText()));
    shown.clear();
    Figure(QStringLiteral("grid: jump to the last screen (fresh list)"),
           Measurement::Time(Runs, [&](int) {
               auto fresh = AccountList(dm, 1);
               fresh->Reload();
               ShowScreen(*fresh, fresh->RowCount() - ScreenRows);
           }));
    const Measurement::TFigure paged = Measurement::Time(Runs, [&](int) {
        auto fresh = AccountList(dm, 1);
        fresh->Reload();
        ReadAll(*fresh);
    });
    Figure(QStringLiteral("grid: read every row (fresh list: first page, count, pages)"), paged);
    const QString jetSql = grid->Sql();
    const Measurement::TFigure raw = Measurement::Time(Runs, [&](int) { StepRaw(dm, jetSql); });
    Figure(QStringLiteral("raw sqlite3 stepping of the same statement"), raw);
    Print(QStringLiteral("      ratio grid / raw: %1 (cpu %2)")
              .arg(paged.medianMs / raw.medianMs, 0, 'f', 2)
              .arg(paged.cpuMedianMs / raw.cpuMedianMs, 0, 'f', 2));
    ReadAll(*grid);
    Print(QStringLiteral("      memory: RSS %1 MB before the grid, %2 MB after reading every row "
                         "(peak %3 MB); pages kept %4")
              .arg(rssBefore, 0, 'f', 1)
              .arg(Measurement::StatusMb("VmRSS"), 0, 'f', 1)
              .arg(Measurement::StatusMb("VmHWM"), 0, 'f', 1)
              .arg(grid->Rows().PagesInMemory()));
    const qint64 middleKey = grid->KeyOf(grid->RowCount() / 2);
    Figure(QStringLiteral("grid: the row of an Id (middle of the list)"),
           Measurement::Time(Runs, [&](int) { grid->RowOfId(middleKey); }));
    Figure(QStringLiteral("grid: sort by category, first screen"),
           Measurement::Time(Runs, [&](int) {
               grid->ToggleSort(1);
               ShowScreen(*grid, 0);
           }));
    Print(QStringLiteral("      first page read %1").arg(ReadBy(rows.FirstPageByOrder())));
    Figure(QStringLiteral("grid: an account of few movements, first screen"),
           Measurement::Time(Runs, [&](int) {
               auto rare = AccountList(dm, RareAccount);
               rare->Reload();
               ShowScreen(*rare, 0);
           }));
    auto rare = AccountList(dm, RareAccount);
    rare->Reload();
    Print(QStringLiteral("      rows listed: %1; first page read %2")
              .arg(rare->RowCount())
              .arg(ReadBy(rare->Rows().FirstPageByOrder())));
}

} // namespace GridModelBench
