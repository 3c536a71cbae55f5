#pragma once

#include "reports/ui/QChildFm.h"

// "影片销售明细表": every disc sold over the dates (the current year by
// default), by month, with the quantity and amount of each month.
class TSaleDetailFm : public TQChildFm {
    Q_OBJECT
public:
    TSaleDetailFm();

protected:
    TStored<TPreparedReport> PrepareReport() override;
};
