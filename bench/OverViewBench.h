#pragma once

#include <QString>

// The business overview on a copy of a large ledger: each figure's statement
// with its plan and time over the last year and the last ten years, then the
// whole page over both.
namespace OverViewBench {

void Run(const QString& ledger);

} // namespace OverViewBench
