#pragma once

#include "members/StoreResult.h"

#include <QString>

#include <functional>
#include <optional>

// Runs a dialog's checks in order and stops at the first that refuses. A
// check shows its message through the prompter; the run keeps that message
// and the field it names, for the dialog to focus.
class TCheckRun {
public:
    // Runs `check` unless an earlier one refused.
    TCheckRun& Check(const QString& field, const std::function<bool()>& check);
    // Refuses with a message of the run's own, shown as an error.
    TCheckRun& Refuse(const QString& field, const QString& message);

    bool Passed() const { return !refusal_.has_value(); }
    // Only meaningful when the run did not pass.
    const TStoreResult& Refusal() const { return *refusal_; }

private:
    std::optional<TStoreResult> refusal_;
};
