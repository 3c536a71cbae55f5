// The desktop program and its composition root: the one place that knows the
// windows of every subsystem and hands them to the shell.
#include "app/CommandLine.h"
#include "app/MainFm.h"
#include "app/StartUp.h"
#include "members/ui/FundFm.h"
#include "members/ui/LoginFm.h"
#include "members/ui/OptionFm.h"
#include "members/ui/PersonFm.h"
#include "rental/ui/PunishFm.h"
#include "rental/ui/RentalFm.h"
#include "reports/ui/ReportActions.h"
#include "sales/ui/ManageFm.h"
#include "sales/ui/SaleFm.h"

#include <QApplication>
#include <QIcon>

namespace {

void Compose(TMainFm& window) {
    // The icon and the desktop entry the package installs.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vintor")));
    QGuiApplication::setDesktopFileName(QStringLiteral("vintor"));
    window.SetLogin(&TLoginFm::Login);
    window.SetChildAction<TRentalFm>(QStringLiteral("aRental"));
    window.SetChildAction<TSaleFm>(QStringLiteral("aSale"));
    window.SetChildAction<TOptionFm>(QStringLiteral("aOption"));
    window.SetChildAction<TPersonFm>(QStringLiteral("aPerson"));
    window.SetChildAction<TManageFm>(QStringLiteral("aManage"));
    window.SetChildAction<TFundFm>(QStringLiteral("aFund"));
    ReportActions::Register(window);
}

} // namespace

int main(int argc, char* argv[]) {
    if (const std::optional<int> answered = CommandLine::Answer(argc, argv)) {
        return *answered;
    }
    return StartUp::Run(argc, argv, Compose, &TPunishFm::Ask);
}
