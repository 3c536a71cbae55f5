#pragma once

#include "reports/ui/QChildFm.h"

class TDigitEdit;

// "影片出租逾期报表": the discs still out that were rented between edMax and
// edMin days ago, with their renters' telephone and address.
class TRentLateFm : public TQChildFm {
    Q_OBJECT
public:
    TRentLateFm();

    TDigitEdit* edMin;
    TDigitEdit* edMax;

protected:
    TStored<TPreparedReport> PrepareReport() override;
};
