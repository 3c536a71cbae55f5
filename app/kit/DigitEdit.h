#pragma once

#include <QLineEdit>

// An entry box for numbers: typing lets through only the digits, one "." and
// backspace, and "-" where the field takes a sign; any other character is
// swallowed without a sound. Keys that type nothing (arrows, Enter, Tab,
// shortcuts) work as usual, and an input method cannot type into it.
class TDigitEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDigitEdit(QWidget* parent = nullptr);

    void SetSignAllowed(bool allowed) { signAllowed_ = allowed; }
    bool SignAllowed() const { return signAllowed_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool Accepts(QChar typed) const;

    bool signAllowed_ = false;
};
