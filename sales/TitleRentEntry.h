#pragma once

#include "sales/TitleEntry.h"

#include <QString>

class TRentCd;

// The title fields of a rental title as the dialogs show and take them: the
// shared ones and the fee standard as the Id of the chosen entry (0 for
// none).
struct TTitleRentEntry : TTitleEntry {
    int fid = 0;
    QString number = QStringLiteral("1");
    QString power = QStringLiteral("1.0");

    // The controls filled from a title ("%0.1f" units, "%0.2f" price).
    static TTitleRentEntry From(const TRentCd& title);
    // The typed values into the title; checked values are assumed.
    void CopyInto(TRentCd& title) const;
};
