#pragma once

#include <QString>

class TRentCd;

// The title fields of a rental title as the dialogs show and take them: texts
// as typed, category and fee standard as the Ids of the chosen entries (0 for
// none).
struct TTitleRentEntry {
    QString code, name, alias1, alias2, director, player, memo;
    int cid = 0;
    int fid = 0;
    QString number = QStringLiteral("1");
    QString power = QStringLiteral("1.0");
    QString price = QStringLiteral("0.00");

    // The controls filled from a title ("%0.1f" units, "%0.2f" price).
    static TTitleRentEntry From(const TRentCd& title);
    // The typed values into the title; checked values are assumed.
    void CopyInto(TRentCd& title) const;
};
