#pragma once

#include <QString>

// The example ledger that comes with the program ("软件提供的例子账本"): a small
// shop with fee standards, member types of every charging kind, members,
// rental titles (a series among them), sale titles, suppliers and a clerk.
namespace ExampleLedger {

// Writes it at `path` from the blank template; refuses to overwrite.
void Write(const QString& path);

} // namespace ExampleLedger
