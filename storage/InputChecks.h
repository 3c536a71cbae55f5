#pragma once

#include "storage/Currency.h"

#include <QString>

#include <optional>

// The checks every dialog runs on what the operator typed. Each takes the
// field's caption and the typed text, shows an error naming the field when the
// input is refused, and answers true when it is acceptable; the window then
// puts the focus back on the field. The typed text is never changed.
namespace InputChecks {

// Text that is not empty after trimming blanks.
bool CheckNotEmpty(const QString& caption, const QString& text);
// The same test for a pick list filled from master data; the message sends the
// operator to the settings to add the missing entries.
bool CheckChosen(const QString& caption, const QString& text);
// A whole number (32-bit, optional sign); 0 only when zeroAllowed.
bool CheckInteger(const QString& caption, const QString& text, bool zeroAllowed);
// A date in the short date format yyyy-MM-dd.
bool CheckDate(const QString& caption, const QString& text);
// A money amount with at most four (non-zero) decimals, within the range the
// ledger stores exactly (±MaxLedgerMoney); 0 only when zeroAllowed.
bool CheckMoney(const QString& caption, const QString& text, bool zeroAllowed);
// A money amount that is a whole multiple of 0.5 (billing units), in the same
// range; 0 only when zeroAllowed.
bool CheckHalfStep(const QString& caption, const QString& text, bool zeroAllowed);
// The amount typed into a money entry, an empty entry counting as 0, after
// CheckMoney with zero allowed; nothing once the check has reported it.
std::optional<Currency> TypedMoney(const QString& caption, const QString& text);

// True when another row of `table` than `id` already has this Code (a new
// record passes -1); the clash is reported first.
bool CodeTaken(int id, const QString& code, const QString& table);
// The same for Name.
bool NameTaken(int id, const QString& name, const QString& table);

} // namespace InputChecks
