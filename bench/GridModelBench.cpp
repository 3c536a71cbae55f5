#include "bench/GridModelBench.h"

#include "bench/Measurement.h"
#include "storage/dao/DM.h"
#include "storage/grid/GridData.h"

#include <QElapsedTimer>
#include <QFile>

#include <sqlite3.h>

#include <cstdio>
#include <memory>

namespace GridModelBench {

namespace {

constexpr int ScreenRows = 40;
constexpr int Runs = 5;

void Print(const QString& text) {
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// A figure of /proc/self/status in MB ("VmRSS", "VmHWM").
double StatusMb(const char* name) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(name)) {
            return line.mid(line.indexOf(':') + 1).trimmed().split(' ').first().toDouble() / 1024;
        }
    }
    return 0;
}

// The movement list of the cash box as the funds window shows it.
std::unique_ptr<TGridData> CashBoxList(TDM& dm) {
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
        QStringLiteral("A.AId1=1 OR A.AId2=1"), QStringLiteral("A.Id"));
    return grid;
}

void ShowScreen(TGridData& grid, int first) {
    for (int row = first; row < std::min(first + ScreenRows, grid.RowCount()); ++row) {
        for (int column = 0; column < grid.ColumnCount(); ++column) {
            grid.Text(row, column);
        }
    }
}

// Every row read into pages, in order.
void ReadAll(TGridData& grid) {
    for (int row = 0; row < grid.RowCount(); ++row) {
        grid.KeyOf(row);
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

void Run(TDM& dm) {
    Print(QStringLiteral("\nlist grid over the cash box's movements:"));
    const double rssBefore = StatusMb("VmRSS");
    Figure(QStringLiteral("grid: first screen (count + 40 rows shown)"),
           Measurement::Time(Runs, [&](int) {
               auto grid = CashBoxList(dm);
               grid->Reload();
               ShowScreen(*grid, 0);
           }));
    auto grid = CashBoxList(dm);
    grid->Reload();
    Print(QStringLiteral("      rows listed: %1").arg(grid->RowCount()));
    Figure(QStringLiteral("grid: jump to the last screen (fresh list)"),
           Measurement::Time(Runs, [&](int) {
               auto fresh = CashBoxList(dm);
               fresh->Reload();
               ShowScreen(*fresh, fresh->RowCount() - ScreenRows);
           }));
    const Measurement::TFigure paged = Measurement::Time(Runs, [&](int) { ReadAll(*grid); });
    Figure(QStringLiteral("grid: read every row, in order (pages)"), paged);
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
              .arg(StatusMb("VmRSS"), 0, 'f', 1)
              .arg(StatusMb("VmHWM"), 0, 'f', 1)
              .arg(grid->Rows().PagesInMemory()));
    const qint64 middleKey = grid->KeyOf(grid->RowCount() / 2);
    Figure(QStringLiteral("grid: the row of an Id (middle of the list)"),
           Measurement::Time(Runs, [&](int) { grid->RowOfId(middleKey); }));
    Figure(QStringLiteral("grid: sort by category, first screen"),
           Measurement::Time(Runs, [&](int) {
               grid->ToggleSort(1);
               ShowScreen(*grid, 0);
           }));
}

} // namespace GridModelBench
