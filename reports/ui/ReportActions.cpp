#include "reports/ui/ReportActions.h"

#include "app/MainFm.h"
#include "reports/ui/OverViewFm.h"
#include "reports/ui/RentDetailFm.h"
#include "reports/ui/RentLateFm.h"
#include "reports/ui/RentMonthFm.h"
#include "reports/ui/RentPieFm.h"
#include "reports/ui/RentTopFm.h"
#include "reports/ui/SRentLateFm.h"
#include "reports/ui/SaleDetailFm.h"
#include "reports/ui/SaleMonthFm.h"
#include "reports/ui/SalePieFm.h"
#include "reports/ui/SaleTopFm.h"

namespace ReportActions {

namespace {

template <class T> void SetReport(TMainFm& window, const QString& action) {
    window.SetChildAction(
        action, typeid(T), [] { return new T; },
        [](TChildFm* child) { static_cast<T*>(child)->Refresh(); });
}

} // namespace

void Register(TMainFm& window) {
    SetReport<TRentTopFm>(window, QStringLiteral("aRentTop"));
    SetReport<TRentDetailFm>(window, QStringLiteral("aRentDetail"));
    SetReport<TRentMonthFm>(window, QStringLiteral("aRentMonth"));
    SetReport<TRentLateFm>(window, QStringLiteral("aRentLate"));
    SetReport<TRentPieFm>(window, QStringLiteral("aRentPie"));
    SetReport<TSaleTopFm>(window, QStringLiteral("aSaleTop"));
    SetReport<TSaleDetailFm>(window, QStringLiteral("aSaleDetail"));
    SetReport<TSaleMonthFm>(window, QStringLiteral("aSaleMonth"));
    SetReport<TSalePieFm>(window, QStringLiteral("aSalePie"));
    SetReport<TOverViewFm>(window, QStringLiteral("aOverView"));
    window.SetChildAction<TSRentLateFm>(QStringLiteral("aOver"));
}

} // namespace ReportActions
