#pragma once

#include "reports/ui/CChildFm.h"

// "影片出租情况分布图": rented units per disc category over the dates (the
// current month by default), with "合计出租影片 %d部" under the pie.
class TRentPieFm : public TCChildFm {
    Q_OBJECT
public:
    TRentPieFm();

protected:
    TStored<TPreparedReport> PrepareReport() override;
};
