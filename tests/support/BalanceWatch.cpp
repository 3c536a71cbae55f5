#include "tests/support/BalanceWatch.h"

#include "storage/dao/DAODatabase.h"
#include "storage/dao/Errors.h"
#include "storage/ledger/LedgerBalances.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace BalanceWatch {

namespace {

// SQLite's own checkpoint size, which a commit hook takes the place of.
constexpr int CheckpointFrames = 1000;

int AfterCommit(void* context, sqlite3* handle, const char* database, int frames) {
    ExpectKept(*static_cast<TDAODatabase*>(context));
    if (frames >= CheckpointFrames) {
        sqlite3_wal_checkpoint(handle, database);
    }
    return SQLITE_OK;
}

} // namespace

void ExpectKept(TDAODatabase& db) {
    try {
        for (const LedgerBalances::TDifference& d : LedgerBalances::Differences(db)) {
            ADD_FAILURE() << "account " << d.accountId << " keeps "
                          << d.kept.ToPlainText().toStdString() << ", its movements count "
                          << d.counted.ToPlainText().toStdString();
        }
    } catch (const EVintorError& e) {
        ADD_FAILURE() << "balances not readable: " << e.Message().toStdString();
    }
}

void Watch(TDAODatabase& db) {
    sqlite3_wal_hook(db.Handle(), AfterCommit, &db);
}

} // namespace BalanceWatch
