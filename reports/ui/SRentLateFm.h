#pragma once

#include "reports/ui/SChildFm.h"

class TDigitEdit;

// "影片出租逾期情况": the discs out for edMin days or more (3 by default) with
// their renters, in a grid sorted by a header click; "查询(&F)" applies a
// changed edMin.
class TSRentLateFm : public TSChildFm {
    Q_OBJECT
public:
    TSRentLateFm();

    TDigitEdit* edMin;

protected:
    std::optional<QString> WhereText() override;
};
