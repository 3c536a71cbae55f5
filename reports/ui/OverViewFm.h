#pragma once

#include "reports/ui/QChildFm.h"

// "经营情况一览表": the money and discs of a date range on one page, today by
// default.
class TOverViewFm : public TQChildFm {
    Q_OBJECT
public:
    TOverViewFm();

protected:
    TStored<TPreparedReport> PrepareReport() override;
};
