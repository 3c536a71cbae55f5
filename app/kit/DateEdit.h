#pragma once

#include <QDateEdit>

// A date entry in the short date format "yyyy-MM-dd" with a drop-down
// calendar; it starts on today's date of the program's clock. Its text is
// always a valid date, so the date check of the core accepts it.
class TDateEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit TDateEdit(QWidget* parent = nullptr);
};
