#pragma once

class TDAODatabase;

// The kept account balances checked against the counting statement.
namespace BalanceWatch {

// Adds a test failure for every account whose kept balance differs from the
// one its movements count to.
void ExpectKept(TDAODatabase& db);
// Runs ExpectKept after every commit of the connection, the program's own
// transactions and single statements alike (until it reconnects).
void Watch(TDAODatabase& db);

} // namespace BalanceWatch
