#pragma once

#include <QString>

class TAssociator;

// What the members window's details panel shows of a member: the days and
// discs left as the member's type limits them ("无限制" where it does not),
// the money with two decimals and "元".
struct TMemberDetails {
    QString code;
    QString name;
    QString type;
    QString days;
    QString number;
    QString balance;
    QString deposit;
    QString telephone;
    QString address;
    QString memo;

    // The member as loaded with its type. The disc quota is read as the
    // rental counter reads it: a period that has run out leaves no discs.
    static TMemberDetails Of(const TAssociator& member);
};
