#include "app/kit/DateEdit.h"

#include "storage/Clock.h"

TDateEdit::TDateEdit(QWidget* parent) : QDateEdit(TClock::Today(), parent) {
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    setCalendarPopup(true);
}
