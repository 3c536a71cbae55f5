#pragma once

#include <QString>

#include <optional>

class QWidget;
class TDigitEdit;

// The day counts of the overdue reports: a digit entry of at most three
// digits (0…999 days).
namespace DaysEntry {

TDigitEdit* Make(const QString& name, int days, QWidget* parent);
// The days typed, checked as a whole number under `caption`; on a refusal the
// message has been shown and the entry has the focus.
std::optional<int> Days(const QString& caption, TDigitEdit& edit);

} // namespace DaysEntry
