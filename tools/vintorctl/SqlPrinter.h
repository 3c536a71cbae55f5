#pragma once

#include <QString>
#include <QTextStream>

class TDM;

// How vintorctl shows the result of one Jet SQL statement: a SELECT as a tab-
// separated header line and one line per row (money as plain decimals, dates
// as short dates), any other statement as "OK <rows affected>".
namespace SqlPrinter {

// Runs the statement on the data module's first query and prints its result;
// a database error is thrown (EVintorError) before anything is printed.
void Execute(TDM& dm, const QString& statement, QTextStream& out);

} // namespace SqlPrinter
