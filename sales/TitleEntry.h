#pragma once

#include <QString>

class TCdTitle;

// The fields a rental and a sale title share as the dialogs show and take
// them: texts as typed, the category as the Id of the chosen entry (0 for
// none).
struct TTitleEntry {
    QString code, name, alias1, alias2, director, player, memo;
    int cid = 0;
    QString price = QStringLiteral("0.00");

protected:
    // The shared controls filled from a title ("%0.2f" price).
    void ShowTitle(const TCdTitle& title);
    // The shared typed values into the title; checked values are assumed.
    void TakeTitle(TCdTitle& title) const;
};
