#pragma once

#include <QString>

// The sales reports on a copy of a large ledger: the plan of each report's
// statement, then the time to prepare each over the ledger's last year of
// sales and over all its years.
namespace SaleReportBench {

void Run(const QString& ledger);

} // namespace SaleReportBench
