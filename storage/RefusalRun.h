#pragma once

#include "storage/Refusal.h"

#include <QString>

#include <functional>

// Runs an operation's checks in order and stops at the first that refuses. A
// check shows its message through the prompter; the run keeps that message
// and the control name of the field to focus.
class TRefusalRun {
public:
    // Runs `check` unless an earlier one refused.
    TRefusalRun& Check(const QString& field, const std::function<bool()>& check);

    bool Passed() const { return !refusal_.has_value(); }
    // No refusal when every check passed.
    const TChecked& Result() const { return refusal_; }

private:
    TChecked refusal_;
};
