#pragma once

#include <QString>

#include <optional>
#include <utility>

// Why a check-then-store operation stored nothing: the entry field the operator
// has to correct (its control name, such as "edCode"; empty when no single
// field is at fault) and the message. The operation has already shown the
// message through the prompter; a dialog puts the focus on the field and keeps
// what was typed. Engine failures are exceptions, never refusals.
struct TRefusal {
    QString field;
    QString message;
};

// The outcome of a check or of a store that yields nothing: no refusal when it
// passed.
using TChecked = std::optional<TRefusal>;

// The outcome of a store that yields a value (the Id of the saved row, the path
// of the file made): the value, or the refusal.
template <class TValue> class TStored {
public:
    TStored(TValue value) : value_(std::move(value)) {}
    TStored(TRefusal refusal) : refusal_(std::move(refusal)) {}

    bool Ok() const { return !refusal_.has_value(); }
    // Only meaningful when the store succeeded.
    const TValue& Value() const { return value_; }
    // Only meaningful when the store was refused.
    const TRefusal& Refusal() const { return *refusal_; }

private:
    TValue value_{};
    std::optional<TRefusal> refusal_;
};
