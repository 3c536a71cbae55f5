#pragma once

#include "reports/ui/RankListFm.h"

// "影片出租排行榜": the ten most rented titles of the dates, or ten per
// category with "影片分类排行榜" ticked.
class TRentTopFm : public TRankListFm {
    Q_OBJECT
public:
    TRentTopFm();

protected:
    TStored<TPreparedReport> PrepareReport() override;
};
