#pragma once

#include "tests/app/SessionFixture.h"

#include <QString>

class TDigitEdit;

// The report windows on the example ledger (no rentals of its own; the clock
// at 2024-06-15): tests write the bills they need.
class ReportsTest : public SessionTest {
protected:
    // A bill of one disc on `day` ("2024-06-15"): a fund movement of `kind`
    // (2 rental, 1 return, 3 cancellation) for `member` (0: walk-in) and its
    // rental line of `title` in `state` (2 out, 1 returned, 3 cancelled).
    static void Bill(const QString& day, int member, int title, int kind = 2, int state = 2);
    // Types `text` into the box as the operator does and presses Enter.
    static void TypeAndEnter(QWidget* box, const QString& text);
    // The warnings and errors shown since the last call, and forgets them.
    QStringList Messages();
};
