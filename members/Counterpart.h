#pragma once

#include <QString>

class TFTransaction;

// The other party of a movement as the funds list shows it ("账户/会员").
namespace Counterpart {

// The Id the list calls AId: for an account movement the other account of
// `accountId` (the one whose list it is), for a member movement the member.
int OtherSide(const TFTransaction& movement, int accountId);
// A rental's renter (the walk-in renter for none), the other account of any
// other account movement (empty when there is none), the member of a member
// movement.
QString Name(const TFTransaction& movement, int accountId);

} // namespace Counterpart
