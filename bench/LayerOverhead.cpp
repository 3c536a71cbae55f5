#include "bench/LayerOverhead.h"

#include "bench/Measurement.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"

#include <sqlite3.h>

#include <cstdio>
#include <functional>

namespace LayerOverhead {

namespace {

constexpr int Runs = 200;
constexpr int HeavyRuns = 5;

// Reads every row and column as text through the layer.
void ThroughLayer(TDM& dm, const QString& sql) {
    dm.OpenSql(sql);
    for (; !dm.Q1.Eof(); dm.Q1.Next()) {
        for (int i = 0; i < dm.Q1.FieldCount(); ++i) {
            dm.Q1.Fields(i).AsString();
        }
    }
    dm.Q1.Close();
}

// The same, with the translated statement prepared and stepped directly.
void Direct(TDM& dm, const QString& sql) {
    const QByteArray text = dm.DbBase.Translate(sql).statements.front().toUtf8();
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(dm.DbBase.Handle(), text.constData(), int(text.size()), &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            sqlite3_column_text(statement, i);
        }
    }
    sqlite3_finalize(statement);
}

void Row(TDM& dm, const char* name, int runs, const std::function<QString(int)>& sqlOf) {
    dm.DbBase.Translate(sqlOf(0)); // both sides start from a known translation
    const auto layer = Measurement::Time(runs, [&](int n) { ThroughLayer(dm, sqlOf(n)); });
    const auto direct = Measurement::Time(runs, [&](int n) { Direct(dm, sqlOf(n)); });
    const double ratio = direct.cpuMedianMs > 0 ? layer.cpuMedianMs / direct.cpuMedianMs : 0;
    std::printf("%-44s layer %9.3f ms   direct %9.3f ms   ratio %5.2f  (cpu medians)\n", name,
                layer.cpuMedianMs, direct.cpuMedianMs, ratio);
}

} // namespace

void Compare(TDM& dm, const QStringList& titleCodes, const QStringList& initials) {
    std::printf("\nlayer against direct SQLite:\n");
    auto pick = [](const QStringList& list, int n) { return list.at(n % list.size()); };
    Row(dm, "title by code", Runs, [&](int n) {
        return SqlFormat(QStringLiteral("SELECT * FROM TbRentCd WHERE Code=\"%s\""),
                         {pick(titleCodes, n)});
    });
    Row(dm, "titles by initials prefix", Runs, [&](int n) {
        return SqlFormat(QStringLiteral("SELECT TOP 100 Id,Code,Name,Status FROM TbRentCd WHERE "
                                        "Spell LIKE \"%s*\""),
                         {pick(initials, n)});
    });
    Row(dm, "NextSerial (Max(Id))", Runs,
        [](int) { return QStringLiteral("SELECT Max(Id) AS MaxId FROM TbRTransaction"); });
    Row(dm, "cash-box balance", HeavyRuns, [](int) {
        return QStringLiteral(
            "SELECT SUM(IIF(A.Flag=0,IIF(A.AId1=1,IIF(A.CId1=1,ABS(A.Sum2),IIF((A."
            "CId1=3 OR A.CId1=7),0,A.Sum1)),-A.Sum1),-A.Sum1)) AS TSum FROM "
            "TbFTransaction AS A WHERE A.AId1=1 OR A.AId2=1");
    });
    Row(dm, "one year of rentals by month", HeavyRuns, [](int) {
        return QStringLiteral("SELECT Left(Day1,7) AS M,Count(Id) AS N,Sum(Deposit) AS D,Sum(Rent) "
                              "AS R FROM TbRTransaction WHERE Day1>=#2023-01-01# AND "
                              "Day1<=#2023-12-31# GROUP BY Left(Day1,7)");
    });
}

} // namespace LayerOverhead
