#include "members/OperatorEdits.h"

#include "storage/InputChecks.h"
#include "storage/Prompter.h"
#include "storage/RefusalRun.h"
#include "storage/records/Operator.h"

namespace OperatorEdits {

const std::array<TPermission, PermissionCount>& Permissions() {
    static const std::array<TPermission, PermissionCount> permissions{{
        {QStringLiteral("出租、返还业务"), QStringLiteral("出租业务")},
        {QStringLiteral("撤消已经出租的影片"), QStringLiteral("撤销出租")},
        {QStringLiteral("销售业务"), QStringLiteral("销售业务")},
        {QStringLiteral("退还业务"), QStringLiteral("退还业务")},
        {QStringLiteral("光盘管理"), QStringLiteral("光盘管理")},
        {QStringLiteral("出租进货"), QStringLiteral("出租进货")},
        {QStringLiteral("修改出租影片库的影片资料"), QStringLiteral("修改租影")},
        {QStringLiteral("删除出租影片库的影片资料"), QStringLiteral("删除租影")},
        {QStringLiteral("注销或者恢复出租影片库的影片"), QStringLiteral("注销影片")},
        {QStringLiteral("销售进货"), QStringLiteral("销售进货")},
        {QStringLiteral("修改销售影片库的影片资料"), QStringLiteral("修改销影")},
        {QStringLiteral("删除销售影片库的影片资料"), QStringLiteral("删除销影")},
        {QStringLiteral("会员管理"), QStringLiteral("会员管理")},
        {QStringLiteral("会员开户"), QStringLiteral("会员开户")},
        {QStringLiteral("修改会员资料"), QStringLiteral("修改会员")},
        {QStringLiteral("删除会员"), QStringLiteral("删除会员")},
        {QStringLiteral("会员缴费"), QStringLiteral("会员缴费")},
        {QStringLiteral("修改会员缴费记录"), QStringLiteral("修改记录")},
        {QStringLiteral("删除会员缴费记录"), QStringLiteral("删除记录")},
        {QStringLiteral("账户资金管理"), QStringLiteral("账户管理")},
        {QStringLiteral("查看统计分析报表"), QStringLiteral("查看报表")},
        {QStringLiteral("修改系统设置"), QStringLiteral("修改设置")},
        {QStringLiteral("账本管理"), QStringLiteral("账本管理")},
    }};
    return permissions;
}

TEntry EntryOf(const TOperator& op) {
    TEntry entry;
    entry.name = op.Name;
    entry.password = op.Password;
    entry.rePassword = op.Password;
    for (int n = 1; n <= PermissionCount; ++n) {
        entry.ticks[n] = op.Has(n);
    }
    return entry;
}

TChecked Check(int id, const TEntry& entry) {
    const QString name = QStringLiteral("edName");
    const QString password = QStringLiteral("edPassword");
    const QString rePassword = QStringLiteral("edRePassword");
    TRefusalRun run;
    run.Check(name, [&] { return InputChecks::CheckNotEmpty(QStringLiteral("姓名"), entry.name); })
        .Check(
            name,
            [&] { return !InputChecks::NameTaken(id, entry.name, QStringLiteral("TbOperator")); })
        .Check(password,
               [&] {
                   return entry.rePassword.trimmed().isEmpty() ||
                          InputChecks::CheckNotEmpty(QStringLiteral("密码"), entry.password);
               })
        .Check(rePassword,
               [&] {
                   return entry.password.trimmed().isEmpty() ||
                          InputChecks::CheckNotEmpty(QStringLiteral("重复输入密码"),
                                                     entry.rePassword);
               })
        .Check(password, [&] {
            if (entry.password == entry.rePassword) {
                return true;
            }
            ShowError(QStringLiteral("两次密码输入不相同，请重新输入密码"));
            return false;
        });
    return run.Result();
}

void Store(const TEntry& entry, TOperator& op) {
    op.Password = entry.password;
    if (op.Id == AdministratorId) {
        return;
    }
    op.Name = entry.name;
    for (int n = 1; n <= PermissionCount; ++n) {
        op.Op[n] = entry.ticks[n];
    }
}

} // namespace OperatorEdits
