#pragma once

#include "reports/ui/CChildFm.h"

// "影片销售情况分布图": sold sets per disc category over the dates (the
// current month by default), with "合计销售影片 %d" under the pie.
class TSalePieFm : public TCChildFm {
    Q_OBJECT
public:
    TSalePieFm();

protected:
    TStored<TPreparedReport> PrepareReport() override;
};
