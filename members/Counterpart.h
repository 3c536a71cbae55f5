#pragma once

#include <QString>

// The other party of a movement as the funds list shows it ("账户/会员"),
// as Jet expressions over a movement row named A (TbFTransaction AS A) in the
// list of the account `accountId`.
namespace Counterpart {

// The Id the list calls AId: for an account movement the other account (0
// when there is none), for a member movement the member.
QString IdSql(int accountId);
// A rental's renter ("零租用户" for the walk-in renter), the other account of
// any other account movement (empty when there is none), the member of a
// member movement.
QString NameSql(int accountId);

} // namespace Counterpart
