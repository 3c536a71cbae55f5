#pragma once

#include "app/kit/DigitEdit.h"
#include "storage/Currency.h"

#include <optional>

// A money entry: a digit box whose amount is read through the shared money
// check under the field's caption, so a malformed number is reported in the
// check's words and the typed text stays as it was.
class TMoneyEdit : public TDigitEdit {
    Q_OBJECT
public:
    explicit TMoneyEdit(const QString& caption = QString(), QWidget* parent = nullptr);

    // The caption the check names in its message (the field's label text).
    void SetCaption(const QString& caption) { caption_ = caption; }
    const QString& Caption() const { return caption_; }
    void SetZeroAllowed(bool allowed) { zeroAllowed_ = allowed; }

    // The typed amount; nothing after the check has shown its message, and
    // the box then has the focus again.
    std::optional<Currency> Value();
    // Shows an amount with two decimals.
    void SetValue(Currency amount);

private:
    QString caption_;
    bool zeroAllowed_ = true;
};
