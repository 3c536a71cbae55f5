#include "members/ui/OperatorPage.h"

#include "app/MainFm.h"
#include "app/Session.h"
#include "members/OperatorEdits.h"
#include "members/ui/AddOperatorFm.h"

namespace {

// The flag as 1 or 0: a column holding 2 or -1 grants nothing and shows no tick.
QString FlagExpression(int n) {
    return QStringLiteral("IIF(A.Op%1=1,1,0)").arg(n);
}

QList<TGridColumn> Columns() {
    QList<TGridColumn> columns{{QStringLiteral("姓名"), QStringLiteral("Name")}};
    for (int n = 1; n <= OperatorEdits::PermissionCount; ++n) {
        columns.append({OperatorEdits::Permissions()[size_t(n) - 1].caption,
                        QStringLiteral("TXT_OP%1").arg(n), TCellKind::Tick, FlagExpression(n)});
    }
    return columns;
}

QString Select() {
    QStringList fields{QStringLiteral("A.Id"), QStringLiteral("A.Name")};
    for (int n = 1; n <= OperatorEdits::PermissionCount; ++n) {
        fields.append(FlagExpression(n) + QStringLiteral(" AS TXT_OP%1").arg(n));
    }
    return QStringLiteral("SELECT %1 FROM TbOperator AS A").arg(fields.join(u','));
}

} // namespace

TOperatorPage::TOperatorPage(QWidget* parent) : TListPage(&TSession::Current().Dm.DbBase, parent) {
    SetEditor<TAddOperatorFm>();
    SetDeleter<TOperator>();
    SetUp(QStringLiteral("dgOperator"), Columns(), Select(), QStringLiteral("操作员人数：%1 人"));
    connect(this, &TListPage::Saved, this, &TOperatorPage::ReloadCurrentOperator);
}

void TOperatorPage::ReloadCurrentOperator() {
    // The dialog may have saved several rows; the current operator's is
    // read again whichever they were.
    TOperator& current = TSession::Current().Operator;
    TOperator reread;
    if (current.Id <= 0 || !reread.LoadById(current.Id)) {
        return;
    }
    current = reread;
    if (auto* main = qobject_cast<TMainFm*>(window())) {
        main->SettingsChanged();
    }
}
