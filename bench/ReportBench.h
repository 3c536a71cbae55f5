#pragma once

#include "reports/PreparedReport.h"
#include "storage/Refusal.h"

#include <QString>

#include <functional>

class TDM;

// The rental reports on a copy of a large ledger: the plan of each report's
// statements, then the time to prepare each over its last month, its last
// year and all its years, and the overdue lists.
namespace ReportBench {

void Run(const QString& ledger);

// What opening the ledger does once after a change of the report indexes:
// the indexes are made and the ledger analysed. Prints its time under `name`.
void FirstOpen(TDM& dm, const QString& name);
// Prints the plan of a report's statement, under `name`.
void PrintPlan(TDM& dm, const QString& name, const QString& sql);
// Times preparing a report and prints the figure with the printed rows; a
// refused or empty report stops the benchmark, as it would time nothing.
void Time(const QString& name, const std::function<TStored<TPreparedReport>()>& prepare);

} // namespace ReportBench
