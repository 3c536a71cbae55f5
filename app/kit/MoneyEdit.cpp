#include "app/kit/MoneyEdit.h"

#include "storage/InputChecks.h"

TMoneyEdit::TMoneyEdit(const QString& caption, QWidget* parent)
    : TDigitEdit(parent), caption_(caption) {}

std::optional<Currency> TMoneyEdit::Value() {
    if (!InputChecks::CheckMoney(caption_, text(), zeroAllowed_)) {
        setFocus();
        return std::nullopt;
    }
    return Currency::Parse(text());
}

void TMoneyEdit::SetValue(Currency amount) {
    setText(amount.ToFixed(2));
}
