#pragma once

#include "reports/ui/QChildFm.h"

// "影片月销售情况": quantity and amount per disc category of each month, the
// current year by default.
class TSaleMonthFm : public TQChildFm {
    Q_OBJECT
public:
    TSaleMonthFm();

protected:
    TStored<TPreparedReport> PrepareReport() override;
};
