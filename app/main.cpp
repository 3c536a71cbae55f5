// The desktop program and its composition root: the one place that knows the
// windows of every subsystem and hands them to the shell.
#include "app/MainFm.h"
#include "app/StartUp.h"
#include "members/ui/LoginFm.h"
#include "members/ui/OptionFm.h"
#include "members/ui/PersonFm.h"
#include "rental/ui/PunishFm.h"
#include "rental/ui/RentalFm.h"
#include "reports/ui/ReportActions.h"
#include "sales/ui/ManageFm.h"
#include "sales/ui/SaleFm.h"

namespace {

void Compose(TMainFm& window) {
    window.SetLogin(&TLoginFm::Login);
    window.SetChildAction<TRentalFm>(QStringLiteral("aRental"));
    window.SetChildAction<TSaleFm>(QStringLiteral("aSale"));
    window.SetChildAction<TOptionFm>(QStringLiteral("aOption"));
    window.SetChildAction<TPersonFm>(QStringLiteral("aPerson"));
    window.SetChildAction<TManageFm>(QStringLiteral("aManage"));
    ReportActions::Register(window);
}

} // namespace

int main(int argc, char* argv[]) {
    return StartUp::Run(argc, argv, Compose, &TPunishFm::Ask);
}
