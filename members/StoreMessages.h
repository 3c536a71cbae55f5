#pragma once

#include "storage/Prompter.h"

#include <QString>

// The refusals of the store operations that no input check covers: a row
// that another window deleted meanwhile, or one that is not this dialog's.
namespace StoreMessages {

// Shows `message` as an error unless `ok`: a check for what no input check
// covers, to run among a dialog's checks.
inline bool Require(bool ok, const QString& message) {
    if (!ok) {
        ShowError(message);
    }
    return ok;
}

inline QString MemberGone() {
    return QStringLiteral("此会员已经不存在，请刷新会员列表。");
}
inline QString NotMemberRecord() {
    return QStringLiteral("此记录不是该会员的资金记录，不能在这里修改或删除。");
}
inline QString AccountGone() {
    return QStringLiteral("此账户已经不存在，请刷新账户列表。");
}
inline QString NotAccountMovement() {
    return QStringLiteral("此记录由系统业务生成，不能在这里修改或删除。");
}
// The same words as the shared money check, for a negative amount where only
// amounts of 0 or more make sense.
inline QString Wrong(const QString& caption) {
    return QStringLiteral("“\"%1\"”输入不正确，请重新输入。").arg(caption);
}

} // namespace StoreMessages
