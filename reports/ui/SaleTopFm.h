#pragma once

#include "reports/ui/RankListFm.h"

// "影片销售排行榜": the ten best-selling titles of the dates with their
// amounts, or ten per category with "影片分类排行榜" ticked.
class TSaleTopFm : public TRankListFm {
    Q_OBJECT
public:
    TSaleTopFm();

protected:
    TStored<TPreparedReport> PrepareReport() override;
};
