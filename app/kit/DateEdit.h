#pragma once

#include <QDateEdit>

// A date entry in the short date format "yyyy-MM-dd" with a drop-down
// calendar; it starts on today's date of the program's clock. Its text is
// always a valid date, so the date check of the core accepts it.
//
// An entry that may stay empty (SetEmptyAllowed, a search bound) starts
// blank; Delete or Backspace over the whole text empties it again, and a
// digit, an arrow key or the calendar starts it on today's date.
class TDateEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit TDateEdit(QWidget* parent = nullptr);

    void SetEmptyAllowed(bool allowed);
    bool IsEmpty() const;
    // The date entered; a null date while the entry is empty.
    QDate EnteredDate() const;
    // Shows the date, or empties the entry for a null date (when allowed).
    void SetEnteredDate(const QDate& date);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Puts today's date into an empty entry, its year selected for typing.
    void FillToday();

    bool emptyAllowed_ = false;
};
