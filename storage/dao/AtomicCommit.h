#pragma once

#include "storage/dao/DM.h"

// Runs the writes of one business commit in one transaction. When anything
// fails, the ledger is left as it was, the engine's in-memory state is put
// back from the snapshot taken before, and the error goes on. The engine
// provides Snapshot() and Restore(snapshot).
template <typename TEngine, typename Commit> void CommitAtomically(TEngine& engine, Commit commit) {
    const auto before = engine.Snapshot();
    try {
        TDM::TTransaction transaction(TDM::Instance());
        commit();
        transaction.Commit();
    } catch (...) {
        engine.Restore(before);
        throw;
    }
}
