#pragma once

#include "reports/ui/QChildFm.h"

class QCheckBox;

// "影片出租排行榜": the ten most rented titles of the dates, or ten per
// category with "影片分类排行榜" ticked; ticking it runs the report again.
class TRentTopFm : public TQChildFm {
    Q_OBJECT
public:
    TRentTopFm();

    QCheckBox* cbGroup;

protected:
    TStored<TPreparedReport> PrepareReport() override;
};
