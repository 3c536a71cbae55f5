#pragma once

#include "reports/ui/QChildFm.h"

// "影片月出租情况": deposit and rent per month, the current year by default.
class TRentMonthFm : public TQChildFm {
    Q_OBJECT
public:
    TRentMonthFm();

protected:
    TStored<TPreparedReport> PrepareReport() override;
};
