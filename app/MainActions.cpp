#include "app/MainActions.h"

#include "storage/records/Operator.h"

namespace {

// Every ledger action needs this flag, except those tagged 1.
constexpr int LedgerPermission = 23;

const QString Ledger = QStringLiteral("mLedger");
const QString Report = MainActions::ReportMenu;
const QString Help = QStringLiteral("mHelp");

MainActions::TAction LedgerAction(const char* name, const char* caption,
                                  const QKeySequence& key = {}, int tag = 0) {
    return {Ledger, QString::fromUtf8(name),        QString::fromUtf8(caption), key,
            tag,    tag == 1 ? 0 : LedgerPermission};
}

MainActions::TAction Action(const QString& menu, const char* name, const char* caption,
                            int permission = 0, const QKeySequence& key = {}) {
    return {menu, QString::fromUtf8(name), QString::fromUtf8(caption), key, 0, permission};
}

MainActions::TAction ReportAction(const char* name, const char* caption) {
    return Action(Report, name, caption, MainActions::ReportPermission);
}

} // namespace

namespace MainActions {

const QList<TMenu>& Menus() {
    static const QList<TMenu> menus = {
        {Ledger, QStringLiteral("账本管理")},
        {QStringLiteral("mRental"), QStringLiteral("出租业务")},
        {QStringLiteral("mSale"), QStringLiteral("销售业务")},
        {QStringLiteral("mManage"), QStringLiteral("光盘管理")},
        {QStringLiteral("mPerson"), QStringLiteral("会员管理")},
        {QStringLiteral("mFund"), QStringLiteral("账户/资金管理")},
        {QStringLiteral("mQuery"), QStringLiteral("业务查询"), true},
        {Report, QStringLiteral("统计分析")},
        {QStringLiteral("mOption"), QStringLiteral("系统设置")},
        {Help, QStringLiteral("帮助")},
    };
    return menus;
}

const QList<TAction>& Actions() {
    static const QList<TAction> actions = [] {
        QList<TAction> list = {
            LedgerAction("aOpen", "打开/新建账本"),
            LedgerAction("aDataTools", "账本数据结转"),
            LedgerAction("aMailto", "以电子邮件发送账本"),
            LedgerAction("aBackup", "备份账本"),
            LedgerAction("aRestore", "恢复账本"),
            LedgerAction("aCompact", "整理账本"),
            LedgerAction("aCleaner", "废旧记录清理"),
            LedgerAction("aLogin", "重新登录系统", QKeySequence(Qt::Key_F11), 1),
            LedgerAction("aLeave", "暂时离开", {}, 1),
            LedgerAction("aExit", "退出", QKeySequence(Qt::CTRL | Qt::Key_Q), 1),
            Action(QStringLiteral("mRental"), "aRental", "出租业务", 1, Qt::Key_F1),
            Action(QStringLiteral("mSale"), "aSale", "销售业务", 3, Qt::Key_F2),
            Action(QStringLiteral("mManage"), "aManage", "光盘管理", 5, Qt::Key_F3),
            Action(QStringLiteral("mPerson"), "aPerson", "会员管理", 13, Qt::Key_F4),
            Action(QStringLiteral("mFund"), "aFund", "账户/资金管理", 20),
            Action(QStringLiteral("mQuery"), "aOver", "影片出租逾期情况"),
            ReportAction("aRentTop", "影片出租排行榜"),
            ReportAction("aRentDetail", "影片出租明细表"),
            ReportAction("aRentMonth", "影片月出租情况"),
            ReportAction("aRentLate", "影片出租逾期报表"),
            ReportAction("aRentPie", "影片出租情况分布图"),
            ReportAction("aSaleTop", "影片销售排行榜"),
            ReportAction("aSaleDetail", "影片销售明细表"),
            ReportAction("aSaleMonth", "影片月销售情况"),
            ReportAction("aSalePie", "影片销售情况分布图"),
            ReportAction("aOverView", "经营情况一览表"),
            Action(QStringLiteral("mOption"), "aOption", "系统设置", 22),
            Action(Help, "aContent", "帮助内容"),
            Action(Help, "aBeginner", "软件快速入门"),
            Action(Help, "aTip", "软件小窍门"),
            Action(Help, "aHomepage", "Tolmar软件网站"),
            Action(Help, "aNewVersion", "检查是否有新版软件"),
            Action(Help, "aAbout", "关于"),
        };
        // The old-records action has no menu entry of its own.
        for (TAction& action : list) {
            action.hidden = action.name == QStringLiteral("aCleaner");
        }
        return list;
    }();
    return actions;
}

bool Permitted(const TAction& action, const TOperator& op) {
    return action.permission == 0 || op.Has(action.permission);
}

} // namespace MainActions
