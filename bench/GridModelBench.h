#pragma once

#include <QString>

class TDM;

// Times a list grid over the cash box's movements: the first screen, the
// count that follows it, a jump to the end, finding a row by key, a new order
// and the memory the pages take, with the plans of its statements; reading
// rows into the grid against stepping the same statement through the SQLite C
// API; and the first screen of an account with few movements.
namespace GridModelBench {

void Run(TDM& dm);

// How a list read its rows: "along the order" or "by the condition's indexes".
QString ReadBy(bool byOrder);
// Prints the plan of a list's statement under `name`, indented as the
// figures above it.
void PrintPlan(TDM& dm, const QString& name, const QString& jetSql);

} // namespace GridModelBench
