#pragma once

#include <QString>

// The rental reports on a copy of a large ledger: the plan of each report's
// statements, then the time to prepare each over its last month, its last
// year and all its years, and the overdue lists.
namespace ReportBench {

void Run(const QString& ledger);

} // namespace ReportBench
