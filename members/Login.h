#pragma once

#include "storage/records/Operator.h"

#include <QString>

#include <vector>

// One showing of the login: the ledger's operators as the table returns
// them, the password check that ignores the case of Latin letters, and the
// three misses that end it.
class TLogin {
public:
    enum class TOutcome { LoggedIn, TryAgain, Refused };
    static constexpr int MaxFailures = 3;

    // Loads the operators; `current` is replaced on a successful login only.
    explicit TLogin(TOperator& current);

    const std::vector<TOperator>& Operators() const { return operators_; }
    // The entry to preselect: the current operator's, else the first.
    int PreselectedIndex() const;
    // Checks the typed password for the operator `id`. A match makes that
    // operator current; a miss warns, and the third miss of this showing
    // reports the refusal, whichever operators were chosen.
    TOutcome Try(int id, const QString& password);

    // Latin letters compare without case; every other character as it is.
    static bool PasswordMatches(const QString& typed, const QString& stored);

private:
    TOperator& current_;
    std::vector<TOperator> operators_;
    int failures_ = 0;
};
