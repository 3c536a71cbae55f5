#include "reports/ui/ReportActions.h"

#include "app/MainFm.h"
#include "reports/ui/RentDetailFm.h"
#include "reports/ui/RentLateFm.h"
#include "reports/ui/RentMonthFm.h"
#include "reports/ui/RentPieFm.h"
#include "reports/ui/RentTopFm.h"
#include "reports/ui/SRentLateFm.h"

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
    window.SetChildAction<TSRentLateFm>(QStringLiteral("aOver"));
}

} // namespace ReportActions
