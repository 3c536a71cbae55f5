#pragma once

#include "reports/ui/QChildFm.h"

class QCheckBox;
class TExPickEdit;

// "影片出租明细表": the rental, return and cancellation bills of the dates
// with their discs, of every renter with "全部" ticked, else of the member
// picked in edCode (picking one unticks "全部"; none picked: walk-in renters).
class TRentDetailFm : public TQChildFm {
    Q_OBJECT
public:
    TRentDetailFm();

    TExPickEdit* edCode;
    QCheckBox* cbAll;

protected:
    TStored<TPreparedReport> PrepareReport() override;
};
