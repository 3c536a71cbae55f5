#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

class TOperator;

// The main window's menus and actions: names, captions, keys and the
// permission flag that gates each one.
namespace MainActions {

struct TMenu {
    QString name;    // "mLedger"
    QString caption; // "账本管理"
    bool hidden = false;
};

struct TAction {
    QString menu;    // the name of the menu it sits in
    QString name;    // "aOpen"
    QString caption; // "打开/新建账本"
    QKeySequence key;
    // 1 for the ledger actions every operator keeps (re-login, leave, exit).
    int tag = 0;
    // The operator flag that enables it; 0 when it is always allowed.
    int permission = 0;
    bool hidden = false;
};

// The menus in menu-bar order, and every action in menu order.
const QList<TMenu>& Menus();
const QList<TAction>& Actions();

// The menu whose whole content one flag gates (the reports), and that flag.
inline const QString ReportMenu = QStringLiteral("mReport");
inline constexpr int ReportPermission = 21;

// Whether the operator holds the flag that gates the action.
bool Permitted(const TAction& action, const TOperator& op);

} // namespace MainActions
