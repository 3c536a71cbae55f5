#include "app/kit/DateEdit.h"

#include "storage/Clock.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

// The value an empty entry holds: the lowest date, shown as a blank.
const QDate EmptyDate(1752, 9, 14);

} // namespace

TDateEdit::TDateEdit(QWidget* parent) : QDateEdit(TClock::Today(), parent) {
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    setCalendarPopup(true);
}

void TDateEdit::SetEmptyAllowed(bool allowed) {
    const QDate entered = IsEmpty() ? TClock::Today() : date();
    emptyAllowed_ = allowed;
    if (allowed) {
        setMinimumDate(EmptyDate);
        setSpecialValueText(QStringLiteral(" "));
        setDate(EmptyDate);
    } else {
        setSpecialValueText(QString());
        clearMinimumDate();
        setDate(entered);
    }
}

bool TDateEdit::IsEmpty() const {
    return emptyAllowed_ && date() == minimumDate();
}

QDate TDateEdit::EnteredDate() const {
    return IsEmpty() ? QDate() : date();
}

void TDateEdit::SetEnteredDate(const QDate& date) {
    setDate(date.isValid() || !emptyAllowed_ ? date : minimumDate());
}

void TDateEdit::FillToday() {
    setDate(TClock::Today());
    setCurrentSection(QDateTimeEdit::YearSection);
    setSelectedSection(QDateTimeEdit::YearSection);
}

void TDateEdit::keyPressEvent(QKeyEvent* event) {
    if (emptyAllowed_) {
        const int key = event->key();
        const bool erase = key == Qt::Key_Delete || key == Qt::Key_Backspace;
        if (erase && (IsEmpty() || lineEdit()->selectedText() == text())) {
            setDate(minimumDate());
            return;
        }
        const bool starts = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                            key == Qt::Key_PageDown || (key >= Qt::Key_0 && key <= Qt::Key_9);
        if (IsEmpty() && starts) {
            FillToday();
            if (key < Qt::Key_0 || key > Qt::Key_9) {
                return; // the arrow only brought today's date
            }
        }
    }
    QDateEdit::keyPressEvent(event);
}

void TDateEdit::mousePressEvent(QMouseEvent* event) {
    if (IsEmpty()) {
        FillToday();
    }
    QDateEdit::mousePressEvent(event);
}
