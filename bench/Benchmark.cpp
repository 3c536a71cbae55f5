// vintor_bench: times the counter's hot paths on a large generated ledger,
// the rental and sales desks' and the disc library's with their real windows
// offscreen. It prints figures and never fails on them.

#include "bench/BalanceBench.h"
#include "bench/CounterWrites.h"
#include "bench/DeskBench.h"
#include "bench/FundBench.h"
#include "bench/GridModelBench.h"
#include "bench/ImportBench.h"
#include "bench/LargeLedgerGenerator.h"
#include "bench/LayerOverhead.h"
#include "bench/LedgerSamples.h"
#include "bench/LibraryBench.h"
#include "bench/Measurement.h"
#include "bench/MembersBench.h"
#include "bench/OverViewBench.h"
#include "bench/QueryPlan.h"
#include "bench/RentalBenchmarks.h"
#include "bench/ReportBench.h"
#include "bench/SaleDeskBench.h"
#include "bench/SaleReportBench.h"
#include "bench/SeededRandom.h"
#include "storage/JetDate.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"
#include "storage/records/Account.h"
#include "storage/records/RentCd.h"

#include <QApplication>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int LookupRuns = 300;
constexpr int ReportRuns = 15;
constexpr int WriteRuns = 60;
constexpr int OpenRuns = 20;
constexpr int Clerk = 1;

using Measurement::Print;

// Samples of the ledger's own values, drawn the same way on every run.
struct TSamples {
    QStringList titleCodes;
    QStringList memberCodes;
    QStringList initials;     // three-letter prefixes of title Spells
    QStringList namePrefixes; // first two characters of title names
    QStringList nameMiddles;  // two characters from inside title names
    QStringList memberInitials;
    QList<int> members;
    QList<int> membersWithOpenRentals;
    QList<int> discsOut;
    QList<int> openSns;
    QList<int> titleIds;
    QList<int> quotaMembers; // member type with a quota: the rental reduces it
    QList<int> inStock;
};

QList<int> Ids(TDM& dm, const QString& sql) {
    QList<int> ids;
    for (const QString& value : LedgerSamples::Column(dm, sql, QStringLiteral("Id"))) {
        ids.append(value.toInt());
    }
    return ids;
}

int MaxId(TDM& dm, const char* table) {
    return dm
        .SqlFieldText(Format(QStringLiteral("SELECT Max(Id) AS MaxId FROM %s"), {table}),
                      QStringLiteral("MaxId"))
        .toInt();
}

TSamples DrawSamples(TDM& dm) {
    TSamples s;
    TSeededRandom random(7);
    const int titles = MaxId(dm, "TbRentCd");
    const int members = MaxId(dm, "TbAssociator");
    for (int n = 0; n < 200; ++n) {
        const int title = int(random.Between(1, titles));
        const int member = int(random.Between(1, members));
        dm.OpenSql(
            Format(QStringLiteral("SELECT Code,Name,Spell FROM TbRentCd WHERE Id=%d"), {title}));
        const QString name = dm.Q1.FieldByName(QStringLiteral("Name")).AsString();
        s.titleCodes.append(dm.Q1.FieldByName(QStringLiteral("Code")).AsString());
        s.initials.append(dm.Q1.FieldByName(QStringLiteral("Spell")).AsString().left(3));
        s.namePrefixes.append(name.left(2));
        s.nameMiddles.append(name.mid(name.size() > 3 ? 1 : 0, 2));
        dm.OpenSql(
            Format(QStringLiteral("SELECT Code,Spell FROM TbAssociator WHERE Id=%d"), {member}));
        s.memberCodes.append(dm.Q1.FieldByName(QStringLiteral("Code")).AsString());
        s.memberInitials.append(dm.Q1.FieldByName(QStringLiteral("Spell")).AsString().left(2));
        dm.Q1.Close();
        s.members.append(member);
        s.titleIds.append(title);
    }
    s.membersWithOpenRentals =
        Ids(dm, QStringLiteral("SELECT DISTINCT TOP 200 AId AS Id FROM TbRTransaction WHERE CId2=2 "
                               "AND AId>0"));
    s.discsOut =
        Ids(dm, QStringLiteral("SELECT TOP 200 CId1 AS Id FROM TbRTransaction WHERE CId2=2"));
    s.openSns = Ids(dm, QStringLiteral("SELECT TOP 200 Sn AS Id FROM TbRTransaction WHERE CId2=2"));
    s.quotaMembers = Ids(dm, QStringLiteral("SELECT TOP 100 Id FROM TbAssociator WHERE AId=3"));
    s.inStock = Ids(dm, Format(QStringLiteral("SELECT TOP %d Id FROM TbRentCd WHERE Status=1 "
                                              "ORDER BY Id DESC"),
                               {3 * (WriteRuns + 1)}));
    return s;
}

// Reads every row, as a grid or a pick list does.
void ReadAll(TDM& dm, const QString& sql) {
    dm.OpenSql(sql);
    while (!dm.Q1.Eof()) {
        dm.Q1.Next();
    }
    dm.Q1.Close();
}

// Times a SELECT built from sample n, after printing the plan of its first form.
void TimeQuery(TDM& dm, const QString& name, int runs, const std::function<QString(int)>& sqlOf,
               QStringList& missing) {
    const QStringList plan = QueryPlan::Explain(dm.DbBase, sqlOf(0));
    Print(Measurement::Line(name, Measurement::Time(runs, [&](int n) { ReadAll(dm, sqlOf(n)); })));
    for (const QString& step : plan) {
        Print(QStringLiteral("      plan: ") + step);
    }
    for (const QString& scan : QueryPlan::FullScans(plan)) {
        missing.append(name + QStringLiteral(": ") + scan);
    }
}

void TimeOpening(const QString& path) {
    Print(Measurement::Line(QStringLiteral("open ledger (connect + catalog)"),
                            Measurement::Time(OpenRuns, [&](int) {
                                TDM dm;
                                dm.DbBase.SetDatabaseName(path);
                                dm.DbBase.Open();
                                dm.DbBase.Close();
                            })));
}

template <typename T> T Pick(const QList<T>& list, int n) {
    return list[n % list.size()];
}

void TimeLookups(TDM& dm, const TSamples& s, QStringList& missing) {
    TRentCd disc;
    Print(Measurement::Line(
        QStringLiteral("rental title by code (TRentCd::LoadByCode)"),
        Measurement::Time(LookupRuns, [&](int n) { disc.LoadByCode(Pick(s.titleCodes, n)); })));
    auto q = [](const char* pattern, std::initializer_list<TFormatArg> args) {
        return SqlFormat(QString::fromUtf8(pattern), args);
    };
    TimeQuery(
        dm, QStringLiteral("rental title by code (SQL)"), LookupRuns,
        [&](int n) {
            return q("SELECT * FROM TbRentCd WHERE Code=\"%s\"", {Pick(s.titleCodes, n)});
        },
        missing);
    TimeQuery(
        dm, QStringLiteral("member by code"), LookupRuns,
        [&](int n) {
            return q("SELECT * FROM TbAssociator WHERE Code=\"%s\"", {Pick(s.memberCodes, n)});
        },
        missing);
    TimeQuery(
        dm, QStringLiteral("pick edit: titles by initials (SPELL LIKE \"ABC*\")"), LookupRuns,
        [&](int n) {
            return q("SELECT Id,Code,Name,Spell,Status FROM TbRentCd WHERE SPELL LIKE "
                     "\"%s*\"",
                     {Pick(s.initials, n)});
        },
        missing);
    TimeQuery(
        dm, QStringLiteral("pick edit: titles by code prefix"), LookupRuns,
        [&](int n) {
            return q("SELECT Id,Code,Name,Spell,Status FROM TbRentCd WHERE CODE LIKE \"%s*\"",
                     {Pick(s.titleCodes, n).left(4)});
        },
        missing);
    TimeQuery(
        dm, QStringLiteral("pick edit: titles by name prefix"), LookupRuns,
        [&](int n) {
            return q("SELECT Id,Code,Name,Spell,Status FROM TbRentCd WHERE NAME LIKE \"%s*\"",
                     {Pick(s.namePrefixes, n)});
        },
        missing);
    TimeQuery(
        dm, QStringLiteral("pick edit: members by initials"), LookupRuns,
        [&](int n) {
            return q("SELECT Id,Code,Name,Spell FROM TbAssociator WHERE SPELL LIKE \"%s*\"",
                     {Pick(s.memberInitials, n)});
        },
        missing);
    TimeQuery(
        dm, QStringLiteral("disc search: name fragment (Name LIKE \"*ab*\")"), ReportRuns,
        [&](int n) {
            return q("SELECT * FROM TbRentCd WHERE  Name LIKE \"*%s*\" ", {Pick(s.nameMiddles, n)});
        },
        missing);
    TimeQuery(
        dm, QStringLiteral("member's open rentals (held lines)"), LookupRuns,
        [&](int n) {
            return q("SELECT Id,AId FROM TbRTransaction WHERE AId=%d AND CId2=%d ORDER BY Day1 ASC",
                     {Pick(s.membersWithOpenRentals, n), 2});
        },
        missing);
    TimeQuery(
        dm, QStringLiteral("member's open rentals for return"), LookupRuns,
        [&](int n) {
            return q("SELECT Id,FId FROM TbRTransaction WHERE CId2=%d AND AId=%d",
                     {2, Pick(s.membersWithOpenRentals, n)});
        },
        missing);
    TimeQuery(
        dm, QStringLiteral("open lines of the bill holding a disc"), LookupRuns,
        [&](int n) {
            return q("SELECT Id,AId FROM TbRTransaction WHERE CId2=%d AND Sn=(SELECT Top 1 Sn FROM "
                     "TbRTransaction WHERE CId2=%d AND CId1=%d ORDER BY Id DESC)",
                     {2, 2, Pick(s.discsOut, n)});
        },
        missing);
    TimeQuery(
        dm, QStringLiteral("open bill's movement by Sn"), LookupRuns,
        [&](int n) {
            return q("SELECT FId FROM TbRTransaction WHERE (CId2=%d) AND (Sn=%d)",
                     {2, Pick(s.openSns, n)});
        },
        missing);
    TimeQuery(
        dm, QStringLiteral("repeat-rental check (member, title)"), LookupRuns,
        [&](int n) {
            return q("SELECT Id,Day1 FROM TbRTransaction WHERE AId=%d AND CId1=%d",
                     {Pick(s.members, n), Pick(s.titleIds, n)});
        },
        missing);
    TimeQuery(
        dm, QStringLiteral("Max(Id)+1 serial of the rental lines"), LookupRuns,
        [&](int) { return QStringLiteral("SELECT Max(Id) AS MaxId FROM TbRTransaction"); },
        missing);
}

void TimeWrites(TDM& dm, const TSamples& s) {
    if (s.inStock.size() < 3 * (WriteRuns + 1) || s.quotaMembers.isEmpty()) {
        Print(QStringLiteral("rental writes skipped: too few titles in stock or quota members"));
        return;
    }
    // The engine has the discs loaded by the time the operator commits.
    std::vector<std::unique_ptr<TRentCd>> discs;
    for (const int id : s.inStock) {
        discs.push_back(std::make_unique<TRentCd>());
        discs.back()->LoadById(id);
    }
    std::vector<CounterWrites::TBill> bills;
    Print(Measurement::Line(
        QStringLiteral("commit a rental of 3 discs"), Measurement::Time(WriteRuns, [&](int n) {
            const size_t first = size_t(bills.size()) * 3;
            bills.push_back(CounterWrites::Rent(
                dm, Pick(s.quotaMembers, n),
                {discs[first].get(), discs[first + 1].get(), discs[first + 2].get()}, Clerk));
        })));
    size_t next = 0;
    Print(Measurement::Line(QStringLiteral("commit the return of that bill"),
                            Measurement::Time(WriteRuns, [&](int) {
                                CounterWrites::Return(dm, bills[next++], Clerk);
                            })));
}

void TimeReports(TDM& dm, QStringList& missing) {
    TAccount cashBox;
    cashBox.Id = TAccount::CashBoxId;
    Print(Measurement::Line(QStringLiteral("cash-box balance (TAccount::Balance)"),
                            Measurement::Time(ReportRuns, [&](int) { cashBox.Balance(); })));
    const QString last = dm.SqlFieldText(QStringLiteral("SELECT Max(Day) AS D FROM TbFTransaction"),
                                         QStringLiteral("D"));
    const int year = JetDate::ParseShort(last.left(10)).value_or(QDate::currentDate()).year() - 1;
    const QString from = QStringLiteral("%1-01-01").arg(year);
    const QString to = QStringLiteral("%1-12-31").arg(year);
    TimeQuery(
        dm, QStringLiteral("monthly rental totals over a year"), ReportRuns,
        [&](int) {
            return SqlFormat(
                "SELECT Left(A.Day,7) AS Month,Sum(A.Sum1) AS TDeposit, Sum(ABS(A.Sum2)) "
                "AS TRent FROM TbFTransaction AS A WHERE A.Day>=#%s# And A.Day<=#%s# AND "
                "((A.CId1=%d) OR (A.CId1=%d)) GROUP BY Left(A.Day,7)",
                {from, to, 2, 1});
        },
        missing);
    TimeQuery(
        dm, QStringLiteral("rental ranking over a year"), ReportRuns,
        [&](int) {
            return SqlFormat(
                "SELECT B.Code, B.Name, Sum(B.Power) AS TPower FROM TbRTransaction AS A "
                "LEFT JOIN TbRentCd AS B ON B.Id=A.CId1 WHERE ((A.Day1>=#%s# And "
                "A.Day1<=#%s#) OR (A.Day2>=#%s# And A.Day2<=#%s#)) AND ((A.CId2=%d) OR "
                "(A.CId2=%d)) GROUP BY B.Code, B.Name ORDER BY Sum(B.Power) DESC",
                {from, to, from, to, 2, 1});
        },
        missing);
}

struct TArguments {
    QString ledger;
    bool small = false;
    // "grid": the list grid's figures alone; otherwise one of WindowParts.
    QString only;
};

// The parts that work on a copy of the ledger of their own, by the name
// `--only` takes; a full run runs them all, in this order, after the core's.
struct TPart {
    const char* name;
    void (*run)(const QString& ledger);
};
constexpr TPart WindowParts[] = {
    {"desk", DeskBench::Run},         {"sale", SaleDeskBench::Run},
    {"library", LibraryBench::Run},   {"members", MembersBench::Run},
    {"balance", BalanceBench::Run},   {"report", ReportBench::Run},
    {"fund", FundBench::Run},         {"salereport", SaleReportBench::Run},
    {"overview", OverViewBench::Run}, {"import", ImportBench::Run},
};

bool KnownPart(const QString& name) {
    return name == QStringLiteral("grid") ||
           std::any_of(std::begin(WindowParts), std::end(WindowParts),
                       [&](const TPart& part) { return name == QLatin1String(part.name); });
}

bool ParseArguments(const QStringList& args, TArguments& out) {
    for (qsizetype n = 1; n < args.size(); ++n) {
        if (args[n] == QStringLiteral("--small")) {
            out.small = true;
        } else if (args[n] == QStringLiteral("--ledger") && n + 1 < args.size()) {
            out.ledger = args[++n];
        } else if (args[n] == QStringLiteral("--only") && n + 1 < args.size() &&
                   KnownPart(args[n + 1])) {
            out.only = args[++n];
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // The desk is drawn offscreen unless told otherwise: no screen needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    TArguments args;
    if (!ParseArguments(app.arguments(), args)) {
        Print(QStringLiteral(
            "usage: vintor_bench [--ledger PATH] [--small] "
            "[--only "
            "grid|desk|sale|library|members|balance|report|fund|salereport|overview|import]"));
        return 2;
    }
    LargeLedgerGenerator::TOptions options;
    if (args.small) {
        options.rentalTitles /= 10;
        options.members /= 10;
        options.rentalLines /= 10;
        options.saleTitles /= 10;
        options.saleLines /= 10;
    }
    if (args.ledger.isEmpty()) {
        args.ledger = QCoreApplication::applicationDirPath() +
                      (args.small ? QStringLiteral("/bench-ledger-small.mdb")
                                  : QStringLiteral("/bench-ledger.mdb"));
    }
    try {
        if (QFileInfo::exists(args.ledger)) {
            Print(QStringLiteral("ledger %1 (%2 MB)")
                      .arg(args.ledger)
                      .arg(double(QFileInfo(args.ledger).size()) / (1024.0 * 1024.0), 0, 'f', 1));
        } else {
            Print(QStringLiteral("generating %1 ...").arg(args.ledger));
            Print(LargeLedgerGenerator::Describe(
                LargeLedgerGenerator::Generate(args.ledger, options)));
        }
        for (const TPart& part : WindowParts) {
            if (args.only == QLatin1String(part.name)) {
                part.run(args.ledger);
                return 0;
            }
        }
        TimeOpening(args.ledger);
        TDM dm;
        dm.DbBase.SetDatabaseName(args.ledger);
        dm.DbBase.Open();
        GridModelBench::Run(dm);
        if (!args.only.isEmpty()) {
            return 0;
        }
        const TSamples samples = DrawSamples(dm);
        QStringList missing;
        TimeLookups(dm, samples, missing);
        TimeWrites(dm, samples);
        TimeReports(dm, missing);
        RentalBenchmarks::Run(dm);
        LayerOverhead::Compare(dm, samples.titleCodes, samples.initials);
        Print(QStringLiteral("\nsteps that walk a whole table or index:"));
        for (const QString& line : missing) {
            Print(QStringLiteral("  ") + line);
        }
        if (missing.isEmpty()) {
            Print(QStringLiteral("  none"));
        }
        // Closed, so the copy the desk works on holds every write above.
        dm.DbBase.Close();
        for (const TPart& part : WindowParts) {
            part.run(args.ledger);
        }
    } catch (const EVintorError& error) {
        Print(QStringLiteral("vintor_bench: ") + error.Message());
        return 1;
    }
    return 0;
}
