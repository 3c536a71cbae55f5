#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

// Writes a large, internally consistent ledger for measuring the data layer:
// rental titles and members, ten years of rental bills with their fund
// movements, member payments, sales, stock-in batches and transfers. The same
// options (seed and end date included) always give the same ledger.
namespace LargeLedgerGenerator {

struct TOptions {
    int rentalTitles = 100000;
    int members = 20000;
    int rentalLines = 2000000;
    int saleTitles = 8000;
    int saleLines = 100000;
    int years = 10;
    QDate lastDay = QDate::currentDate(); // the last day with business
    quint64 seed = 20040501;
};

struct TStats {
    qint64 rentalTitles = 0;
    qint64 titlesOut = 0; // Status 2
    qint64 members = 0;
    qint64 rentalLines = 0;
    qint64 rentalBills = 0;
    qint64 billsOut = 0;
    qint64 billsCancelled = 0;
    qint64 fundMovements = 0;
    qint64 memberPayments = 0;
    qint64 saleTitles = 0;
    qint64 saleLines = 0;
    qint64 stockInLines = 0;
    double seconds = 0;   // wall time of the whole generation
    qint64 fileBytes = 0; // size of the finished ledger
};

// Writes the ledger at `path` (written beside it first and renamed when done,
// so an interrupted run never leaves a half ledger under that name). Refuses
// to overwrite an existing file (EOleException).
TStats Generate(const QString& path, const TOptions& options = {});

// One line per figure of `stats`, for the console.
QString Describe(const TStats& stats);

} // namespace LargeLedgerGenerator
